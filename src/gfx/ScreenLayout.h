#pragma once

// Where things stand on the 790 x 530 game screen: the places the screens put their panels,
// controls and buttons, shared by the screens and the artwork that is drawn to fit them.

struct TScreenPoint {
    int X = 0;
    int Y = 0;
};

constexpr int ScreenWidth = 790;
constexpr int ScreenHeight = 530;

// --- the simple-game menu ---
constexpr TScreenPoint SimpleBoxAt{280, 140};    // "MBOX"
constexpr TScreenPoint SimpleTitleAt{290, 140};  // left edge, vertical centre
constexpr TScreenPoint CrossSizeAt{290, 160};
constexpr TScreenPoint BlockSizeAt{290, 180};
constexpr TScreenPoint SimpleHardAt{290, 193};
constexpr TScreenPoint CreateAt{320, 212};
constexpr TScreenPoint BeginAt{320, 244};
constexpr TScreenPoint LoadAt{320, 276};
constexpr TScreenPoint RatingAt{320, 320};

// --- the rating-game menu ---
constexpr TScreenPoint RatingBoxAt{140, 140};    // "MBOX1"
constexpr TScreenPoint RatingTitleAt{150, 140};
constexpr TScreenPoint SizeAt{150, 160};
constexpr TScreenPoint RatingHardAt{150, 173};
constexpr TScreenPoint Create2At{180, 192};
constexpr TScreenPoint Begin2At{180, 224};
constexpr TScreenPoint Load2At{180, 256};
constexpr TScreenPoint SimpleAt{180, 300};
constexpr TScreenPoint MenuResultsAt{500, 45};

constexpr int HardBoxWidth = 205;  // the check box's width; its height is the text height

// --- the play screen ---
constexpr TScreenPoint BottomPanelAt{0, 442};  // "LB"
constexpr TScreenPoint SaveAt{49, 428};
constexpr TScreenPoint CloseAt{577, 428};
constexpr TScreenPoint ClearAt{225, 428};
constexpr TScreenPoint HintAt{401, 428};
constexpr TScreenPoint LeftAt{324, 392};
constexpr TScreenPoint RightAt{356, 392};
constexpr TScreenPoint DownAt{296, 392};
constexpr TScreenPoint UpAt{272, 392};
constexpr TScreenPoint TimeTextAt{4, 392};
constexpr TScreenPoint SecondLineAt{4, 410};  // the hint line or the rating points
constexpr TScreenPoint PlayResultsAt{500, 30};

// The field of 16 x 16 cells the board lies in. A crossword of even width starts its field at
// FieldLeft, one of odd width half a cell further right, so that every crossword is centred on
// the same point; the same holds for heights.
constexpr int CellPixels = 24;  // a cell's side
constexpr int FieldCells = 16;
constexpr int FieldLeft = 4;
constexpr int FieldTop = 4;
constexpr int OddFieldShift = CellPixels / 2;

// The tray stands centred in the area right of the field; a shard lies this far inside the
// frame of its tray slot.
constexpr int TrayAreaLeft = 390;
constexpr int TrayAreaWidth = 400;
constexpr int TrayFrameInset = 2;

// The banner strip below the play screen.
constexpr int BannerLeft = 22;
constexpr int BannerCentreY = 495;
