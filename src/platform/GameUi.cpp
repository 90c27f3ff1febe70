#include "GameUi.h"

#include "DXDraw.h"
#include "Handles.h"
#include "Process.h"
#include "Text.h"
#include "Video.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

namespace {

constexpr char BoxTitle[] = "Quillmarsh";

// The progress window: a small dialog with a label and a bar, centred on the screen.
constexpr int ProgressWidth = 238;
constexpr int ProgressHeight = 54;
constexpr int LabelX = 8, LabelY = 8, LabelWidth = 221;
constexpr int BarX = 4, BarY = 32, BarWidth = 229, BarHeight = 16;
constexpr double LabelFontPixels = 11;

// The one progress window of the process; it exists between ShowProgress and HideProgress.
class ProgressWindow {
public:
    // Null when no window can be opened (no display): progress is then not drawn at all.
    static std::unique_ptr<ProgressWindow> Open() {
        auto window = std::unique_ptr<ProgressWindow>(new ProgressWindow);
        if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
            if (!InitVideo()) return nullptr;
            window->mOwnsVideo = true;
        }
        // The user cannot close the window: its close requests are dropped, and closing it
        // while it is the only window must not end the program.
        const char* quitOnLast = SDL_GetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE);
        window->mQuitOnLastWindow = quitOnLast ? quitOnLast : "";
        SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
        window->mWindow.reset(SDL_CreateWindow(ToUtf8("Выполнено..."_cp).c_str(), SDL_WINDOWPOS_CENTERED,
                                               SDL_WINDOWPOS_CENTERED, ProgressWidth, ProgressHeight,
                                               SDL_WINDOW_SHOWN | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR));
        if (!window->mWindow) return nullptr;
        window->mImage.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24, ProgressWidth, ProgressHeight));
        if (cairo_surface_status(window->mImage.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
        return window;
    }

    ~ProgressWindow() {
        if (mWindow) {
            DropCloseRequests();
            mWindow.reset();
        }
        SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, mQuitOnLastWindow.empty() ? nullptr : mQuitOnLastWindow.c_str());
        if (mOwnsVideo) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // Repaints when the text or the filled width of the bar changed.
    void Show(std::string_view text, int position, int maximum) {
        const double fraction = maximum > 0 ? std::clamp(static_cast<double>(position) / maximum, 0.0, 1.0) : 0.0;
        const int filled = static_cast<int>(fraction * (BarWidth - 2));
        if (text == mText && filled == mFilled) return;
        mText = text;
        mFilled = filled;
        Paint();
    }

private:
    ProgressWindow() = default;

    void Paint() {
        const CairoPtr owner(cairo_create(mImage.get()));
        cairo_t* cr = owner.get();
        cairo_set_source_rgb(cr, 0.94, 0.94, 0.94);
        cairo_paint(cr);
        cairo_save(cr);
        cairo_rectangle(cr, LabelX, LabelY, LabelWidth, BarY - LabelY);
        cairo_clip(cr);
        cairo_select_font_face(cr, "Arial", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, LabelFontPixels);
        cairo_font_extents_t font;
        cairo_font_extents(cr, &font);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_move_to(cr, LabelX, LabelY + font.ascent);
        cairo_show_text(cr, ToUtf8(mText).c_str());
        cairo_restore(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_rectangle(cr, BarX, BarY, BarWidth, BarHeight);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0.0, 0.47, 0.84);
        cairo_rectangle(cr, BarX + 1, BarY + 1, mFilled, BarHeight - 2);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0.5, 0.5, 0.5);
        cairo_set_line_width(cr, 1);
        cairo_rectangle(cr, BarX + 0.5, BarY + 0.5, BarWidth - 1, BarHeight - 1);
        cairo_stroke(cr);
        cairo_surface_flush(mImage.get());

        SDL_Surface* screen = SDL_GetWindowSurface(mWindow.get());  // owned by the window
        const SdlSurfacePtr frame(SDL_CreateRGBSurfaceWithFormatFrom(
            cairo_image_surface_get_data(mImage.get()), ProgressWidth, ProgressHeight, 32,
            cairo_image_surface_get_stride(mImage.get()), SDL_PIXELFORMAT_RGB888));
        if (screen && frame) {
            SDL_BlitSurface(frame.get(), nullptr, screen, nullptr);
            SDL_UpdateWindowSurface(mWindow.get());
        }
        SDL_PumpEvents();
        DropCloseRequests();
    }

    void DropCloseRequests() {
        const auto id = static_cast<uintptr_t>(SDL_GetWindowID(mWindow.get()));
        SDL_FilterEvents(
            [](void* windowId, SDL_Event* event) {
                const bool closeOfThis = event->type == SDL_WINDOWEVENT &&
                                         event->window.event == SDL_WINDOWEVENT_CLOSE &&
                                         event->window.windowID == reinterpret_cast<uintptr_t>(windowId);
                return closeOfThis ? 0 : 1;
            },
            reinterpret_cast<void*>(id));
    }

    SdlWindowPtr mWindow;
    CairoSurfacePtr mImage;
    bool mOwnsVideo = false;
    std::string mQuitOnLastWindow;
    std::string mText;
    int mFilled = -1;
};

std::unique_ptr<ProgressWindow>& TheProgressWindow() {
    static std::unique_ptr<ProgressWindow> window;
    return window;
}

// Open failed once: no display, so later calls do not try again while the window would be up.
bool& ProgressUnavailable() {
    static bool unavailable = false;
    return unavailable;
}

}  // namespace

GameUi::GameUi(TDXDraw& draw)
    : mDraw(draw), mWindowThread(std::this_thread::get_id()), mHoldsVideo(InitVideo()) {}

GameUi::~GameUi() {
    TheProgressWindow().reset();
    if (mHoldsVideo) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

// Messages go through the desktop's own dialog (zenity) first: it draws the text with the
// desktop's fonts, where SDL's X11 box may take a Latin-1 core font and garble Cyrillic. SDL's box
// comes next, and only over the game's window: without one SDL may report success while showing
// nothing (no display, or a driver that draws off-screen). The standard error comes last.
void GameUi::Message(std::string_view text) {
    const std::string utf8 = ToUtf8(text);
    // 0 after OK, 1 after the dialog was closed; anything else: no dialog was shown.
    const int shown = RunZenity({"--info", "--no-markup", "--text=" + utf8});
    if (shown == 0 || shown == 1) return;
    if (mDraw.NativeWindow() &&
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, BoxTitle, utf8.c_str(), mDraw.NativeWindow()) == 0)
        return;
    std::cerr << utf8 << std::endl;
}

// The same order as for messages: zenity, SDL's box over the game's window, the standard error.
bool GameUi::Ask(std::string_view text, const char* yes, const char* no) {
    const std::string utf8 = ToUtf8(text);
    // Zenity answers 0 for the first button and 1 for the second (or a closed dialog).
    const int answer = RunZenity({"--question", "--no-markup", "--text=" + utf8, std::string("--ok-label=") + yes,
                                  std::string("--cancel-label=") + no});
    if (answer == 0 || answer == 1) return answer == 0;
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, yes},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, no},
    };
    const SDL_MessageBoxData box{SDL_MESSAGEBOX_INFORMATION, mDraw.NativeWindow(), BoxTitle, utf8.c_str(), 2, buttons,
                                 nullptr};
    int pressed = 0;
    if (mDraw.NativeWindow() && SDL_ShowMessageBox(&box, &pressed) == 0) return pressed == 1;
    std::cerr << utf8 << std::endl;
    return false;
}

int GameUi::RunZenity(std::vector<std::string> arguments) {
    // Without a display zenity answers 1, as for a dialog closed: it is not asked at all.
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((!x11 || !*x11) && (!wayland || !*wayland)) return -1;
    arguments.insert(arguments.begin(), {"zenity", std::string("--title=") + BoxTitle});
    // The game window keeps answering the window manager while the dialog is open.
    const auto pump = [this] {
        if (OnWindowThread()) SDL_PumpEvents();
    };
    return RunProcess(arguments, pump).exitCode;
}

bool GameUi::AskYesNo(std::string_view text) {
    return Ask(text, "Да", "Нет");
}

bool GameUi::AskOkCancel(std::string_view text) {
    return Ask(text, "OK", "Отмена");
}

std::vector<std::string> ZenityFilterArguments(std::string_view filter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= filter.size()) {
        const auto bar = filter.find('|', start);
        parts.emplace_back(filter.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
        if (bar == std::string_view::npos) break;
        start = bar + 1;
    }
    std::vector<std::string> args;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string patterns;
        std::size_t from = 0;
        const std::string& list = parts[i + 1];
        while (from <= list.size()) {
            const auto semi = list.find(';', from);
            std::string pattern = list.substr(from, semi == std::string::npos ? std::string::npos : semi - from);
            if (pattern == "*.*") pattern = "*";
            patterns += (patterns.empty() ? "" : " ") + pattern;
            if (semi == std::string::npos) break;
            from = semi + 1;
        }
        args.push_back("--file-filter=" + ToUtf8(parts[i]) + " | " + patterns);
    }
    return args;
}

std::optional<std::string> GameUi::ChooseFile(const FileDialogSpec& dialog, bool save) {
    std::vector<std::string> argv = {"zenity", "--file-selection", "--title=" + ToUtf8(dialog.title)};
    if (save) {
        argv.push_back("--save");
        argv.push_back("--confirm-overwrite");
    }
    if (!dialog.initialDir.empty()) argv.push_back("--filename=" + dialog.initialDir + "/");
    for (auto& arg : ZenityFilterArguments(dialog.filter)) argv.push_back(std::move(arg));

    // The game window keeps answering the window manager while the dialog is open.
    const ProcessResult result = RunProcess(argv, [] { SDL_PumpEvents(); });
    if (result.exitCode == -1 && result.output.empty()) {
        Message("Не удалось открыть окно выбора файла (нужна программа zenity)."_cp);
        return std::nullopt;
    }
    if (result.exitCode != 0) return std::nullopt;
    std::string path = result.output;
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) path.pop_back();
    if (path.empty()) return std::nullopt;
    if (save && !dialog.defaultExtension.empty() && !std::filesystem::path(path).has_extension())
        path += "." + dialog.defaultExtension;
    return path;
}

std::optional<std::string> GameUi::ChooseOpenFile(const FileDialogSpec& dialog) {
    return ChooseFile(dialog, false);
}

std::optional<std::string> GameUi::ChooseSaveFile(const FileDialogSpec& dialog) {
    return ChooseFile(dialog, true);
}

void GameUi::OpenLink(std::string_view url) {
    OpenLinkOnDesktop(url);
}

void GameUi::ProcessMessages() {
    if (OnWindowThread()) SDL_PumpEvents();
}

void GameUi::ShowProgress(std::string_view text, int position, int maximum) {
    // SDL windows belong to the window's thread; a worker's progress is not drawn.
    if (!OnWindowThread()) return;
    auto& window = TheProgressWindow();
    if (!window && !ProgressUnavailable()) {
        window = ProgressWindow::Open();
        ProgressUnavailable() = !window;
    }
    if (window) window->Show(text, position, maximum);
}

void GameUi::HideProgress() {
    if (!OnWindowThread()) return;
    TheProgressWindow().reset();
    ProgressUnavailable() = false;
}
