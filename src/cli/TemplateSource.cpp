#include "TemplateSource.h"

#include "Input.h"
#include "KindNames.h"
#include "KnightPath.h"
#include "Output.h"
#include "TemplatePicture.h"

#include "crossword/CrosswordFactory.h"
#include "platform/Clock.h"
#include "platform/IndexCollection.h"
#include "platform/Text.h"
#include "template/ShablonFactory.h"
#include "template/ShablonWords.h"

#include <ostream>
#include <vector>

namespace {

// Far more than the picture of a 200 x 200 template takes.
constexpr std::size_t MaxPictureBytes = 16 * 1024 * 1024;

const TKindName& KindOrClassic(const TKindName* kind) {
    return kind ? *kind : *KindNameOf(TShablonKind::Classic);
}

// The names of the kinds whose grid of a size comes from source, separated by ", ".
std::string KindsOfSize(TSizeSource source) {
    std::string names;
    for (const TKindName& kind : AllKindNames())
        if (kind.Size == source) names += (names.empty() ? "" : ", ") + std::string(kind.Name);
    return names;
}

// The names of the kinds that lay out the template picked from the collection their own way.
std::string KindsLaidOut() {
    std::string names;
    for (const TKindName& kind : AllKindNames())
        if (kind.LayOut) names += (names.empty() ? "" : ", ") + std::string(kind.Name);
    return names;
}

// The picked template text laid out the kind's way, as a text of the kind.
std::optional<std::string> LaidOut(const TKindName& kind, const std::optional<std::string>& picked,
                                   std::ostream& err) {
    if (!picked) return std::nullopt;
    const std::string& text = *picked;
    const auto grid = CreateTemplate(SmallNumberOf(text[1]), SmallNumberOf(text[2]), SmallNumberOf(text[0]));
    if (!grid || !grid->ParseTemplate(text, 0, 0)) {
        err << "crossgen: the collection holds a damaged template\n";
        return std::nullopt;
    }
    const auto shablon = kind.LayOut(*grid);
    return shablon->SerializeTemplate(0, 0, shablon->Width - 1, shablon->Height - 1);
}

// The knight grid of a path: as large as its cells need, or of the size given.
std::optional<std::string> PathGridText(const TKindName& kind, const std::string& path, int width, int height,
                                        std::ostream& err) {
    if (width == 0 && !KnightPathSize(path, width, height)) width = height = 1;
    const auto shablon = CreateTemplate(width, height, static_cast<int>(kind.Template));
    std::string error = "this build makes no " + std::string(kind.Name) + " templates";
    if (!shablon || !SetKnightPath(*shablon, path, error)) {
        err << "crossgen: " << error << "\n";
        return std::nullopt;
    }
    return shablon->SerializeTemplate(0, 0, shablon->Width - 1, shablon->Height - 1);
}

// The complaint about a --parity that the kind or the value does not allow.
std::nullopt_t BadParity(std::ostream& err) {
    err << "crossgen: --parity wants on or off, and a kind that has the switch (circular)\n";
    return std::nullopt;
}

}  // namespace

std::string TemplateSourceHelp() {
    std::string help =
        "  --kind NAME        the kind of template or crossword: " + KindNameList() +
        "\n"
        "                     (default: the kind of the file or picture, classic for --size)\n"
        "  --size WxH         a grid of W columns and H rows: a template of that size picked at\n"
        "                     random from the collection and read into the kind";
    if (const std::string field = KindsOfSize(TSizeSource::LetterField); !field.empty())
        help += "; for " + field + " a field of letter cells";
    if (const std::string own = KindsOfSize(TSizeSource::OwnShape); !own.empty())
        help += "; for " + own + " the kind's own shape";
    if (const std::string laid = KindsLaidOut(); !laid.empty())
        help += ";\n                     for " + laid +
                " that template laid on the kind's lattice (its across words running\n"
                "                     down-right, its down words down-left)";
    return help +
           "\n"
           "  --template FILE    use this template file instead; a file of another kind is read\n"
           "                     into the kind when the kind takes it; - reads it from the standard\n"
           "                     input\n"
           "  --picture FILE     use this template picture (as crossgen template prints it) instead;\n"
           "                     - reads it from the standard input\n"
           "  --parity on|off    with --size, for circular: the diagonal words start at the even\n"
           "                     columns (on) or the odd ones (off, the default)\n"
           + KnightPathHelp + ChainOptionsHelp + ChildrenOptionsHelp +
           "  --templates FILE   the template collection (default: templates.col in the working\n"
           "                     directory, where the game reads it)\n"
           "  --seed N           seed the random choices: the same seed and files give the same\n"
           "                     result (default: seeded from the clock)\n";
}

void TTemplateSource::AddOptions(TOptionParser& parser, const TCrossgenDefaults& defaults) {
    TemplatesFile = defaults.TemplatesFile;
    parser.Value("--size", [this](const std::string& value) -> std::string {
        return ParseSize(value, Width, Height) ? "" : "wants WxH with sides from 1 to 200";
    });
    parser.Text("--template", TemplateFile);
    parser.Text("--picture", PictureFile);
    parser.Text("--parity", Parity);
    parser.Text("--path", Path);
    Chains.AddOptions(parser);
    Children.AddOptions(parser);
    AddKindOption(parser);
    parser.Text("--templates", TemplatesFile);
    parser.Seed("--seed", Seed);
}

void TTemplateSource::AddKindOption(TOptionParser& parser) {
    parser.Value("--kind", [this](const std::string& value) -> std::string {
        Kind = FindKindName(value);
        return Kind ? "" : "wants one of " + KindNameList();
    });
}

bool TTemplateSource::Check(const TOptionParser& parser) const {
    const bool pathGrid = (parser.Given("--path") || parser.Given("--chain")) && !parser.Given("--size");
    if (parser.Given("--size") + parser.Given("--template") + parser.Given("--picture") + pathGrid != 1)
        return parser.Complain("one of --size WxH, --template FILE and --picture FILE");
    if (Kind && Kind->Size == TSizeSource::FilesOnly && parser.Given("--size"))
        return parser.Complain(std::string("--template FILE or --picture FILE for ") + Kind->Name +
                               " templates, which --size cannot make");
    return true;
}

void TTemplateSource::SeedRandom() const {
    SeedRandomFrom(Seed);
}

void SeedRandomFrom(const std::optional<uint32_t>& seed) {
    if (seed)
        RandSeed(*seed);
    else
        Randomize();
}

std::string TTemplateSource::InputName() const {
    if (!TemplateFile.empty()) return TemplateFile;
    if (!PictureFile.empty()) return PictureFile;
    return "the " + std::to_string(Width) + "x" + std::to_string(Height) + " grid";
}

std::vector<std::string> TTemplateSource::Inputs() const {
    std::vector<std::string> inputs = {TemplateFile, PictureFile};
    if (Width > 0 && TemplateFile.empty() && PictureFile.empty()) inputs.push_back(TemplatesFile);
    return inputs;
}

const std::string* TTemplateSource::InputText(std::ostream& err) const {
    if (!mInputText) {
        std::string bytes;
        if (!ReadInput(TemplateFile.empty() ? PictureFile : TemplateFile, bytes, err)) return nullptr;
        mInputText = std::move(bytes);
    }
    return &*mInputText;
}

std::optional<std::string> TTemplateSource::PickEntry(std::ostream& err) const {
    if (!CheckInput(TemplatesFile, err)) return std::nullopt;
    TIndexCollection collection;
    collection.FileName = TemplatesFile;
    if (!collection.LoadFromFile()) {
        err << "crossgen: cannot read the template collection " << TemplatesFile << "\n";
        return std::nullopt;
    }
    const char wantedWidth = SmallNumberChar(Width);
    const char wantedHeight = SmallNumberChar(Height);
    std::vector<std::string> texts;
    for (int i = 0; i < collection.Count(); ++i) {
        std::string text = collection.EntryText(i);
        if (text.size() < 12 || text[10] != wantedWidth || text[11] != wantedHeight) continue;
        if (text.starts_with(TShablon::Prefix)) text.erase(0, TShablon::Prefix.size());
        texts.push_back(std::move(text));
    }
    if (texts.empty()) {
        err << "crossgen: " << TemplatesFile << " holds no template of " << Width << "x" << Height << "\n";
        return std::nullopt;
    }
    return texts[RandomInt(static_cast<int>(texts.size()))];
}

bool TTemplateSource::ReadHeader(TShablonHeader& header, std::ostream& err) const {
    const std::string* text = InputText(err);
    if (!text) return false;
    if (TShablon::ParseTemplateHeader(*text, header)) return true;
    err << "crossgen: " << TemplateFile << " is not a template file\n";
    return false;
}

std::optional<std::string> TTemplateSource::FileBody(std::ostream& err) const {
    TShablonHeader header;
    if (!ReadHeader(header, err)) return std::nullopt;
    return mInputText->substr(TShablon::Prefix.size());
}

std::unique_ptr<TShablon> TTemplateSource::ReadPicture(std::ostream& err, const TKindName** named) const {
    const std::string* text = InputText(err);
    if (!text) return nullptr;
    if (text->size() > MaxPictureBytes) {
        err << "crossgen: cannot read " << PictureFile << ": is larger than " << MaxPictureBytes << " bytes\n";
        return nullptr;
    }
    std::string error;
    auto shablon = ReadTemplatePicture(*text, error, named);
    if (!shablon) err << "crossgen: " << PictureFile << ": " << error << "\n";
    return shablon;
}

std::optional<std::string> TTemplateSource::GridText(std::ostream& err) const {
    std::unique_ptr<TShablon> shablon;
    if (!PictureFile.empty()) {
        shablon = ReadPicture(err);
        if (!shablon) return std::nullopt;
    } else {
        const TKindName& kind = KindOrClassic(Kind);
        if (!Path.empty()) return PathGridText(kind, Path, Width, Height, err);
        // A knight grid is the cells of its path: without one there is no template to make.
        if (kind.Template == TShablonKind::Knight) {
            err << "crossgen: a knight template needs its path (--path \"X,Y X,Y ...\")\n";
            return std::nullopt;
        }
        if (!Parity.empty() && kind.Size != TSizeSource::OwnShape) return BadParity(err);
        if (kind.Size == TSizeSource::Collection && kind.LayOut) return LaidOut(kind, PickEntry(err), err);
        if (kind.Size == TSizeSource::Collection) return PickEntry(err);
        if (kind.Rows != 0 && Height != kind.Rows) {
            err << "crossgen: a " << kind.Name << " has " << kind.Rows << " rows: --size Wx" << kind.Rows << "\n";
            return std::nullopt;
        }
        int width = Width, height = Height;
        if (width == 0 && !Chains.ChainSize(width, height)) width = height = 1;
        shablon = CreateTemplate(width, height, static_cast<int>(kind.Template));
        if (!shablon) {
            err << "crossgen: this build makes no " << kind.Name << " templates\n";
            return std::nullopt;
        }
        if (kind.Size == TSizeSource::LetterField) shablon->ClearRect(0, 0, Width - 1, Height - 1, true);
        if (std::string error; !Chains.Apply(*shablon, error) || !Children.Apply(*shablon, error)) {
            err << "crossgen: " << error << "\n";
            return std::nullopt;
        }
        if (!Parity.empty() && !(kind.SetPictureValue && kind.SetPictureValue(*shablon, "parity", Parity)))
            return BadParity(err);
    }
    return shablon->SerializeTemplate(0, 0, shablon->Width - 1, shablon->Height - 1);
}

std::optional<int> TTemplateSource::OwnKind(std::ostream& err, const TKindName** named) const {
    if (!TemplateFile.empty()) {
        const auto text = FileBody(err);
        if (!text) return std::nullopt;
        return SmallNumberOf((*text)[0]);
    }
    if (!PictureFile.empty()) {
        const auto shablon = ReadPicture(err, named);
        if (!shablon) return std::nullopt;
        return static_cast<int>(shablon->Kind);
    }
    return static_cast<int>(TShablonKind::Classic);
}

namespace {

// Why a template of kind code could not read the text of kind own; false.
bool Unreadable(std::ostream& err, const std::string& input, int own, int code) {
    if (own == code)
        err << "crossgen: " << input << " is a damaged " << KindLabel(own) << " template\n";
    else
        err << "crossgen: " << input << " is a " << KindLabel(own) << " template, which " << KindLabel(code)
            << " templates cannot read\n";
    return false;
}

}  // namespace

std::unique_ptr<TShablon> TTemplateSource::TemplateOfText(const std::string& text, int code, std::ostream& err) const {
    auto shablon = CreateTemplate(SmallNumberOf(text[1]), SmallNumberOf(text[2]), code);
    if (!shablon) {
        err << "crossgen: " << InputName() << " is a " << KindLabel(SmallNumberOf(text[0]))
            << " template, which crossgen does not make\n";
        return nullptr;
    }
    if (!shablon->LoadFromText(text)) return Unreadable(err, InputName(), SmallNumberOf(text[0]), code), nullptr;
    if (!TemplateFile.empty() && TemplateFile != StandardStreamName) shablon->FileName = TemplateFile;
    return shablon;
}

std::unique_ptr<TShablon> TTemplateSource::LoadTemplate(std::ostream& err) const {
    const auto text = TemplateFile.empty() ? GridText(err) : FileBody(err);
    if (!text) return nullptr;
    return TemplateOfText(*text, Kind ? static_cast<int>(Kind->Template) : SmallNumberOf((*text)[0]), err);
}

std::unique_ptr<TCrossword> TTemplateSource::MakeCrossword(std::ostream& err) const {
    const TKindName* kind = Kind;
    if (!kind) {
        // A picture names its kind; a file gives only the code, which goes by its usual name.
        const auto own = OwnKind(err, &kind);
        if (!own) return nullptr;
        if (!kind) kind = *own >= 0 && *own < ShablonKindCount ? KindNameOf(static_cast<TShablonKind>(*own)) : nullptr;
        if (!kind) {
            err << "crossgen: " << InputName() << " is a template of kind " << *own << ", which crossgen cannot fill\n";
            return nullptr;
        }
    }
    if (!kind->Crossword) {
        err << "crossgen: " << kind->Name << " templates make no crossword to fill\n";
        return nullptr;
    }
    auto crossword = CreateCrossword(static_cast<int>(*kind->Crossword));
    if (!crossword) err << "crossgen: this build makes no " << kind->Name << " crosswords\n";
    return crossword;
}

bool TTemplateSource::LoadInto(TCrossword& crossword, std::ostream& err) const {
    const int code = static_cast<int>(crossword.Template->Kind);
    const auto text = TemplateFile.empty() ? GridText(err) : FileBody(err);
    if (!text) return false;
    const int own = SmallNumberOf((*text)[0]);
    // A grid made for a size is of the crossword's kind already, or read into it.
    if ((!TemplateFile.empty() || !PictureFile.empty()) && !TemplateKindFits(crossword.Kind, own)) {
        err << "crossgen: " << InputName() << " is a " << KindLabel(own) << " template, which " << KindLabel(code)
            << " crosswords cannot fill\n";
        return false;
    }
    crossword.SetWidth(SmallNumberOf((*text)[1]));
    crossword.SetHeight(SmallNumberOf((*text)[2]));
    if (!crossword.Template->LoadFromText(*text)) return Unreadable(err, InputName(), own, code);
    if (!TemplateFile.empty() && TemplateFile != StandardStreamName) crossword.Template->FileName = TemplateFile;
    crossword.TakeTemplate();
    return true;
}
