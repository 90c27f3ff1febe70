// Makes the fuzz targets' seed inputs with the project's own writers: small pictures of every
// kind, picture, banner and template collections, dictionaries of every cell format, template
// texts, files and pictures of every kind, crossword files of every kind (filled by crossgen with
// the game's dictionary), style files, cell-shape scripts, knight paths, puzzle images, clues
// with markup, saved games and tournament files. The seeds are committed (fuzz/corpus); run this
// again when a writer changes. Usage: fuzz_make_seeds CORPUS_DIR [DICTIONARY]
// (DICTIONARY: dic1.wdi of the build, default ../bin/dic1.wdi beside this program)

#include "FuzzSupport.h"
#include "banner/GifWriter.h"
#include "cellshape/CellOutline.h"
#include "cli/Crossgen.h"
#include "cli/TemplatePicture.h"
#include "crossword/CrosswordFactory.h"
#include "dictionary/DictionaryWriter.h"
#include "game/Game.h"
#include "kinds/HoneyShablon.h"
#include "kinds/Kinds.h"
#include "platform/Clock.h"
#include "platform/Process.h"
#include "platform/FileText.h"
#include "platform/GraphCollection.h"
#include "platform/IndexCollection.h"
#include "platform/RecordFile.h"
#include "platform/Text.h"
#include "template/ShablonFactory.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <tuple>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using TSeeds = std::map<std::string, std::string>;  // file name -> bytes

TDIB Pattern(int w, int h, TColor32 base) {
    TDIB image(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.SetPixel(x, y, (x + y) % 3 == 0 ? 0 : base + 0x010203 * (x * 7 + y));
    return image;
}

// An SVG as Cairo writes one: shapes, a line, text (glyphs become symbols and references).
std::string CairoSvg(int w, int h, const char* text) {
    std::string out;
    const auto append = [](void* closure, const unsigned char* data, unsigned int length) {
        static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
        return CAIRO_STATUS_SUCCESS;
    };
    cairo_surface_t* surface = cairo_svg_surface_create_for_stream(append, &out, w, h);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 0.9, 0.8, 0.2);
    cairo_rectangle(cr, 1, 1, w - 2, h / 2.0);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.1, 0.2, 0.7);
    cairo_set_line_width(cr, 1.5);
    cairo_move_to(cr, 0, h);
    cairo_line_to(cr, w, 0);
    cairo_stroke(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, h / 2.0);
    cairo_move_to(cr, 2, h - 2);
    cairo_show_text(cr, text);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    cairo_surface_destroy(surface);
    return out;
}

std::string PictureData(TPictureKind kind, int w, int h, TColor32 base) {
    const auto picture = kind == TPictureKind::Metafile ? TPicture::FromData(kind, CairoSvg(w, h, "Ab"))
                                                        : TPicture::FromImage(kind, Pattern(w, h, base));
    return picture ? picture->Data() : std::string();
}

std::string Animation(int w, int h, int frames, bool transparent) {
    std::vector<TGifFrame> list;
    for (int i = 0; i < frames; ++i) {
        TGifFrame frame{Pattern(w, h, 0x203040 + 0x101010 * i), 5 * i, std::nullopt};
        if (transparent && i > 0) frame.Transparent = 0;
        list.push_back(std::move(frame));
    }
    return EncodeGif(w, h, list, true);
}

std::string TemplateBody(int w, int h) {
    auto shablon = CreateTemplate(w, h, 0);
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) shablon->SetLetterCell(x, y, (x % 3 != 2 && y % 2 == 0) || x % 4 == 0);
    return shablon->SerializeTemplate(0, 0, w - 1, h - 1);
}

void Add(TSeeds& seeds, const std::string& name, std::string bytes) {
    if (bytes.empty()) {
        std::fprintf(stderr, "fuzz_make_seeds: no bytes for %s\n", name.c_str());
        std::exit(1);
    }
    seeds[name] = std::move(bytes);
}

void MakePictures(std::map<std::string, TSeeds>& all) {
    Add(all["bmp"], "seed-3x2", PictureData(TPictureKind::Bitmap, 3, 2, 0x102030));
    Add(all["bmp"], "seed-17x5", PictureData(TPictureKind::Bitmap, 17, 5, 0x804020));
    Add(all["jpeg"], "seed-8x8", PictureData(TPictureKind::Jpeg, 8, 8, 0x102030));
    Add(all["jpeg"], "seed-21x13", PictureData(TPictureKind::Jpeg, 21, 13, 0x406080));
    Add(all["svg"], "seed-blank", TPicture::Blank(TPictureKind::Metafile, 12, 7)->Data());
    Add(all["svg"], "seed-drawing", PictureData(TPictureKind::Metafile, 24, 16, 0));

    TGraphCollection pictures;
    pictures.AddFromStream(TPictureKind::Bitmap, "BACK", PictureData(TPictureKind::Bitmap, 6, 4, 0x102030));
    pictures.AddFromStream(TPictureKind::Jpeg, "PHOTO", PictureData(TPictureKind::Jpeg, 8, 8, 0x406080));
    pictures.AddFromStream(TPictureKind::Metafile, "SHAPE", PictureData(TPictureKind::Metafile, 10, 6, 0));
    pictures.SetTag(0, 0x00FF00);
    Add(all["picture_collection"], "seed-screens", pictures.SaveToText());
    TGraphCollection glyphs;
    for (const int code : {65, 192, 448})
        glyphs.AddFromStream(TPictureKind::Bitmap, std::to_string(code), PictureData(TPictureKind::Bitmap, 5, 7, 0xFFFFFF));
    Add(all["picture_collection"], "seed-glyphs", glyphs.SaveToText());
}

void MakeBanners(std::map<std::string, TSeeds>& all) {
    Add(all["gif"], "seed-still", Animation(4, 3, 1, false));
    Add(all["gif"], "seed-animated", Animation(9, 5, 3, true));
    std::string banners;
    AppendTwoPartRecord(banners, IntToBytes(2) + "README.md", Animation(6, 3, 2, false));
    AppendTwoPartRecord(banners, IntToBytes(1) + "https://example.org/", Animation(6, 3, 3, true));
    Add(all["banner_collection"], "seed-two", banners);
}

void MakeTemplates(std::map<std::string, TSeeds>& all) {
    TIndexCollection templates;
    for (const auto [w, h] : {std::pair{8, 8}, {12, 9}}) {
        const std::string body = TemplateBody(w, h);
        Add(all["template_text"], Format("seed-%dx%d", w, h), body);
        Add(all["template_file"], Format("seed-%dx%d", w, h), std::string(TShablon::Prefix) + body);
        templates.Add(Format("t%dx%d", w, h), std::string(TShablon::Prefix) + body);
    }
    Add(all["template_collection"], "seed-two", templates.SaveToText());
}

void MakeDictionaries(std::map<std::string, TSeeds>& all) {
    const std::string hundred("сто"_cp), house("дом"_cp), cat("кот"_cp), lake("озеро"_cp);
    std::vector<DictionaryWord> words = {{house, WordCategory::Ordinary, std::string("жилище; здание"_cp)},
                                         {cat, WordCategory::Reserve, ""},
                                         {lake, WordCategory::Ordinary, std::string("водоём"_cp)},
                                         {hundred, WordCategory::Unavailable, ""}};
    for (const uint8_t format : {CellFormatSingle, CellFormatSingleAnyOrder}) {
        auto ordered = words;
        SortInDictionaryOrder(ordered, format);
        Add(all["dictionary"], Format("seed-format%d", format), DictionaryFileBytes({format}, ordered));
    }
    const std::vector<DictionaryWord> pairs = {{std::string("домкот"_cp)}, {std::string("озерос"_cp), WordCategory::Ordinary, "x"}};
    Add(all["dictionary"], "seed-format1", DictionaryFileBytes({CellFormatPairs}, pairs));
    const std::vector<DictionaryWord> pieces = {{std::string("до~м~а"_cp)}, {std::string("к~от"_cp), WordCategory::Ordinary, "y"}};
    Add(all["dictionary"], "seed-format2", DictionaryFileBytes({CellFormatPieces}, pieces));
    DictionaryLayout fragments{CellFormatPiecesWithFragments};
    fragments.fragmentText = "до;*DO;*от;*OT;*"_cp;
    Add(all["dictionary"], "seed-format3", DictionaryFileBytes(fragments, pieces));
    DictionaryLayout mapped{CellFormatSingle, 1, "abcdefghijklmnopqrstuvwxyz", "", true, "ab", "AB"};
    Add(all["dictionary"], "seed-lettermap", DictionaryFileBytes(mapped, {{"ab"}, {"abc", WordCategory::Ordinary, "z"}}));
}

void MakeGames(std::map<std::string, TSeeds>& all) {
    TGame game("/nonexistent");
    for (const auto [W, H, w, h] : {std::tuple{12, 12, 4, 4}, {9, 12, 3, 4}, {16, 16, 4, 4}}) {
        game.SetupGeometry(W, H, w, h);
        for (int id = 0; id < MaxShards; ++id)
            for (int c = 0; c < MaxShardSide; ++c)
                for (int r = 0; r < MaxShardSide; ++r)
                    game.ShardLetters[id][c][r] = (id + c + r) % 5 == 0 ? '*' : static_cast<char>(0xC0 + (id + c + r) % 32);
        game.DealShards();
        game.ResetBoard();
        const TShardSlot first = game.Tray[0][0];
        game.PickUp(first.X + 5, first.Y + 5);
        game.Drop(game.BoardSlotLeft(1) + 5, game.BoardSlotTop(0) + 5);
        game.HintUsed = W == 9;
        Add(all["saved_game"], Format("seed-%dx%d-%dx%d", W, H, w, h), game.SaveGameText());
    }

    const std::string path = (fs::temp_directory_path() / ("zelvana-seed-" + std::to_string(::getpid()))).string();
    game.SimpleMode = false;
    game.TournamentFile = path;
    game.InitTournament();
    std::string fresh;
    if (!game.WriteTournament() || !ReadFileText(path, fresh)) std::exit(1);
    Add(all["tournament"], "seed-fresh", fresh);
    const TTournamentEntry first = game.Tournament[0];
    game.SetupGeometry(first.W, first.H, first.w, first.h);
    game.ResetBoard();
    game.GiveUp();
    game.GameOver = false;
    game.PickUp(game.BoardSlotLeft(0) + 1, game.BoardSlotTop(0) + 1);
    game.Drop(game.BoardSlotLeft(0) + 1, game.BoardSlotTop(0) + 1);  // won: recorded and written
    std::string played;
    if (!game.Won || !ReadFileText(path, played)) std::exit(1);
    Add(all["tournament"], "seed-one-won", played);
    fs::remove(path);
}

// crossgen run with a scratch folder's files.
class TCrossgenRun {
public:
    TCrossgenRun(std::string folder, std::string dictionary) : mFolder(std::move(folder)), mDictionary(std::move(dictionary)) {}

    std::string Path(const std::string& name) const { return (fs::path(mFolder) / name).string(); }
    // What the run prints; empty when it refused its arguments or files.
    std::string Out(const std::vector<std::string>& args) const {
        std::ostringstream out, err;
        const int code = RunCrossgen(args, out, err, {Path("templates.col"), mDictionary});
        return code == ExitCode::BadInput ? std::string() : out.str();
    }
    // The bytes of the file a run writes under name (the last argument); empty for none.
    std::string File(std::vector<std::string> args, const std::string& name) const {
        args.push_back(Path(name));
        Out(args);
        std::string bytes;
        return ReadFileText(Path(name), bytes) ? bytes : std::string();
    }

private:
    std::string mFolder;
    std::string mDictionary;
};

// A honeycomb of 7 x 5 cells with two ring centres, as crossgen prints it.
std::string HoneycombPicture(bool square) {
    std::unique_ptr<TBaseHoneyShablon> honey;
    if (square)
        honey = std::make_unique<THoneyShablon_8>(7, 5);
    else
        honey = std::make_unique<THoneyShablon>(7, 5);
    honey->ClearRect(0, 0, 6, 4, true);
    for (const auto [x, y] : {std::pair{2, 2}, {4, 2}}) {
        honey->SetLetterCell(x, y, false);
        honey->SetStartDirection(x, y, square ? 4 : 0);
    }
    honey->NumberCells();
    return TemplatePicture(*honey);
}

// The template source of every kind crossgen names, as its options.
std::map<std::string, std::vector<std::string>> KindSources(const TCrossgenRun& run) {
    const auto picture = [&](const std::string& name, const std::string& text) {
        if (!WriteFileText(run.Path(name), text)) std::exit(1);
        return std::vector<std::string>{"--picture", run.Path(name)};
    };
    return {
        {"classic", {"--size", "8x8"}},
        {"estonian", {"--kind", "estonian", "--size", "8x8"}},
        {"american", {"--kind", "american", "--size", "8x8"}},
        {"scanword", picture("scanword.txt", "scanword 4x3\n# .a27 . .\n# . # #\n# . # #\n")},
        {"scanword2", picture("scanword2.txt", "scanword2 4x3\n# .a27 . .\n# . # #\n# . # #\n")},
        {"scanword3", picture("scanword3.txt", "scanword3 4x3\n# .a27 . .t4\n# . # .\n# . # .\n")},
        {"fillword", {"--kind", "fillword", "--size", "5x4"}},
        {"field", {"--kind", "field", "--size", "4x3"}},
        {"wordfield", {"--kind", "wordfield", "--size", "5x4"}},
        {"football", {"--kind", "football", "--size", "7x5"}},
        {"knight", {"--kind", "knight", "--path", "0,0 2,1 4,0 3,2 4,4 2,3 0,4 1,2"}},
        {"picturepuzzle", picture("puzzle.txt", "picturepuzzle 3x2 colors=4 background=0\n.c1 .c2 #\n# .c3 .c3\n")},
        {"circular", {"--kind", "circular", "--size", "8x4"}},
        {"chainword", {"--kind", "chainword", "--size", "5x4"}},
        {"crosschainword", {"--kind", "crosschainword", "--chain", "0,0:RRDDLLUR"}},
        {"children", {"--kind", "children", "--size", "6x5", "--keyword", "сон"}},
        {"strip", {"--kind", "strip", "--size", "8x2"}},
        {"honeycomb", picture("honey.txt", HoneycombPicture(false))},
        {"honeycomb8", picture("honey8.txt", HoneycombPicture(true))},
        {"diagonal", {"--kind", "diagonal", "--size", "8x8"}},
    };
}

// Template texts, files and pictures, crossword files and ipuz files of every kind, through crossgen.
void MakeKinds(std::map<std::string, TSeeds>& all, const std::string& dictionary) {
    const std::string folder = (fs::temp_directory_path() / ("zelvana-seeds-" + std::to_string(::getpid()))).string();
    fs::create_directories(folder);
    const TCrossgenRun run(folder, dictionary);
    TIndexCollection templates;
    templates.FileName = run.Path("templates.col");
    for (const auto [w, h] : {std::pair{8, 8}, {12, 9}})
        templates.Add(Format("t%dx%d", w, h), std::string(TShablon::Prefix) + TemplateBody(w, h));
    if (!templates.SaveToFile()) std::exit(1);

    for (const auto& [kind, source] : KindSources(run)) {
        std::vector<std::string> make = {"template", "--seed", "1"};
        make.insert(make.end(), source.begin(), source.end());
        const std::string picture = run.Out(make);
        if (!picture.empty()) Add(all["template_picture"], "seed-" + kind, picture);
        make.push_back("--out");
        const std::string file = run.File(make, "kind.shb");
        if (file.size() > TShablon::Prefix.size()) {
            Add(all["template_file"], "seed-" + kind, file);
            Add(all["template_text"], "seed-" + kind, file.substr(TShablon::Prefix.size()));
        }
        std::vector<std::string> fill = {"fill", "--seed", "2", "--time-limit", "5", "--definitions"};
        fill.insert(fill.end(), source.begin(), source.end());
        if (kind == "knight") fill.push_back("--answer-lines");
        fill.push_back("--save");
        const std::string crossword = run.File(fill, "kind.cwd");
        if (!crossword.empty()) Add(all["crossword_file"], "seed-" + kind, crossword);
        const std::string ipuz = run.File({"ipuz", run.Path("kind.cwd"), "--out"}, "kind.ipuz");
        if (!ipuz.empty()) Add(all["ipuz"], "seed-" + kind, ipuz);
        fs::remove(run.Path("kind.shb"));
        fs::remove(run.Path("kind.cwd"));
        fs::remove(run.Path("kind.ipuz"));
    }
    const std::string phrase =
        run.File({"fill", "--kind", "knight", "--path", "0,0 2,1 4,0 3,2", "--phrase", "конь", "--save"}, "phrase.cwd");
    if (!phrase.empty()) Add(all["crossword_file"], "seed-knight-phrase", phrase);
    fs::remove_all(folder);
}

// Style files as crossword kinds write them, behind the byte that picks the kind.
void MakeStyles(std::map<std::string, TSeeds>& all) {
    const std::string path = (fs::temp_directory_path() / ("zelvana-seed-style-" + std::to_string(::getpid()))).string();
    for (const int kind : {0, 2, 5, 8, 10, 15}) {
        fs::remove(path);
        const auto crossword = CreateCrossword(kind);
        crossword->Template->WideOutline.Show = true;
        crossword->Template->LetterCellLook.Form.Form = KletkaForm::Mixed;
        crossword->Template->LetterCellLook.Form.Param1 = 31;
        std::string bytes;
        if (!crossword->SaveStyles(path) || !ReadFileText(path, bytes)) std::exit(1);
        Add(all["style_file"], Format("seed-kind%d", kind), std::string(1, static_cast<char>(kind)) + bytes);
    }
    fs::remove(path);
}

// The scripts of the base forms the generator writes, and one with every anchor.
void MakeScripts(std::map<std::string, TSeeds>& all) {
    for (const uint8_t form : {KletkaForm::Rounded, KletkaForm::Ellipse, KletkaForm::Mixed, KletkaForm::Notched,
                               KletkaForm::Looped}) {
        TKletkaForm record;
        record.Form = form;
        record.Param1 = 31;
        record.Param2 = 20;
        record.Param3 = 7;
        record.Param4 = 50;
        std::vector<std::string> lines;
        MakeBaseFormScript(record, lines);
        std::string text;
        for (const std::string& line : lines) text += line + "\n";
        Add(all["cell_script"], Format("seed-form%d", form), text);
    }
    Add(all["cell_script"], "seed-anchors",
        "SCALE 0\nBEGIN 10, 10\nTOPRIGHT\nARC -10, 10, -10, 0, 1, 5\nBOTTOMRIGHT\nLINE 0, -10\nBOTTOMLEFT\nLINE 0, 0\nEND\n");
}

void MakeOthers(std::map<std::string, TSeeds>& all) {
    Add(all["knight_path"], "seed-board", "0,0 2,1 4,0 3,2 4,4 2,3 0,4 1,2");
    Add(all["knight_path"], "seed-far", "199,199 197,198 195,199");
    Add(all["puzzle_image"], "seed-bmp", PictureData(TPictureKind::Bitmap, 9, 7, 0x205080));
    Add(all["puzzle_image"], "seed-jpeg", PictureData(TPictureKind::Jpeg, 9, 7, 0x205080));
    Add(all["clue_markup"], "seed-codes", std::string("&W80&L120&S90&RU&Z&HНа~звание ре~ки в Си~бири"_cp));
    Add(all["clue_markup"], "seed-plain", std::string("Крупное хищное животное семейства кошачьих"_cp));
    Add(all["clue_markup"], "seed-long", "&W255" + std::string(3000, static_cast<char>(0xE0)));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: fuzz_make_seeds CORPUS_DIR [DICTIONARY]\n");
        return 2;
    }
    UseQuietUi();
    RegisterKinds();
    RandSeed(20240611);
    std::map<std::string, TSeeds> all;
    MakePictures(all);
    MakeBanners(all);
    MakeTemplates(all);
    MakeDictionaries(all);
    MakeGames(all);
    MakeKinds(all, argc == 3 ? argv[2] : ExecutableDir() + "/../bin/dic1.wdi");
    MakeStyles(all);
    MakeScripts(all);
    MakeOthers(all);
    for (const auto& [target, seeds] : all) {
        const fs::path folder = fs::path(argv[1]) / target;
        fs::create_directories(folder);
        for (const auto& [name, bytes] : seeds)
            if (!WriteFileText((folder / name).string(), bytes)) return 1;
    }
    return 0;
}
