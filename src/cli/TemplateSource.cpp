#include "TemplateSource.h"

#include "crossword/Crossword.h"
#include "platform/Clock.h"
#include "platform/IndexCollection.h"
#include "platform/Text.h"
#include "template/ShablonFactory.h"

#include <filesystem>
#include <ostream>
#include <vector>

const char* const TemplateSourceHelp =
    "  --size WxH         pick a template of W columns and H rows at random from the collection\n"
    "  --template FILE    use this template file instead\n"
    "  --templates FILE   the template collection (default: templates.col in the working\n"
    "                     directory, where the game reads it)\n"
    "  --seed N           seed the random choices: the same seed and files give the same\n"
    "                     result (default: seeded from the clock)\n";

void TTemplateSource::AddOptions(TOptionParser& parser, const TCrossgenDefaults& defaults) {
    TemplatesFile = defaults.TemplatesFile;
    parser.Value("--size", [this](const std::string& value) -> std::string {
        return ParseSize(value, Width, Height) ? "" : "wants WxH with sides from 1 to 200";
    });
    parser.Text("--template", TemplateFile);
    parser.Text("--templates", TemplatesFile);
    parser.Seed("--seed", Seed);
}

bool TTemplateSource::Check(const TOptionParser& parser) const {
    if (parser.Given("--size") == parser.Given("--template"))
        return parser.Complain("either --size WxH or --template FILE");
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

std::optional<std::string> TTemplateSource::PickEntry(std::ostream& err) const {
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
    if (TShablon::ReadTemplateHeader(TemplateFile, header)) return true;
    if (!std::filesystem::exists(TemplateFile))
        err << "crossgen: cannot read the template file " << TemplateFile << "\n";
    else
        err << "crossgen: " << TemplateFile << " is not a template file\n";
    return false;
}

std::unique_ptr<TShablon> TTemplateSource::LoadTemplate(std::ostream& err) const {
    if (TemplateFile.empty()) {
        const auto entry = PickEntry(err);
        if (!entry) return nullptr;
        const int kind = entry->empty() ? -1 : static_cast<unsigned char>((*entry)[0]) - '0';
        auto shablon = CreateTemplate(Width, Height, kind);
        if (!shablon || !shablon->ParseTemplate(*entry, 0, 0)) {
            err << "crossgen: a template of " << Width << "x" << Height << " in " << TemplatesFile
                << " is damaged\n";
            return nullptr;
        }
        return shablon;
    }
    TShablonHeader header;
    if (!ReadHeader(header, err)) return nullptr;
    auto shablon = CreateTemplate(header.Width, header.Height, header.Kind);
    if (!shablon) {
        err << "crossgen: " << TemplateFile << " is a template of kind " << header.Kind
            << ", which this engine does not make\n";
        return nullptr;
    }
    shablon->FileName = TemplateFile;
    if (!shablon->LoadFromFile()) {
        err << "crossgen: cannot read the template file " << TemplateFile << "\n";
        return nullptr;
    }
    return shablon;
}

bool TTemplateSource::LoadInto(TCrossword& crossword, std::ostream& err) const {
    if (TemplateFile.empty()) {
        const auto entry = PickEntry(err);
        if (!entry) return false;
        crossword.SetWidth(Width);
        crossword.SetHeight(Height);
        if (!crossword.Template->ParseTemplate(*entry, 0, 0)) {
            err << "crossgen: a template of " << Width << "x" << Height << " in " << TemplatesFile
                << " is damaged\n";
            return false;
        }
        crossword.PrepareForFill();
        return true;
    }
    TShablonHeader header;
    if (!ReadHeader(header, err)) return false;
    if (header.Kind != static_cast<int>(crossword.Template->Kind)) {
        err << "crossgen: " << TemplateFile << " is a template of kind " << header.Kind
            << "; this crossword fills templates of kind " << static_cast<int>(crossword.Template->Kind) << "\n";
        return false;
    }
    if (!crossword.LoadTemplateFile(TemplateFile)) {
        err << "crossgen: cannot read the template file " << TemplateFile << "\n";
        return false;
    }
    return true;
}
