#include "CrosswordOptions.h"

#include "crossword/Crossword.h"
#include "crossword/CrosswordFactory.h"
#include "platform/FileText.h"
#include "template/ShablonWords.h"

#include <filesystem>
#include <ostream>

namespace {

// A crossword file begins with this, then its kind as one character.
constexpr std::string_view CrosswordFileMagic = "CROSSWORD";

}  // namespace

const char* const DefinitionOptionsHelp =
    "  --definitions            give every word one of the definitions of its dictionary entry,\n"
    "                           chosen at random\n"
    "  --max-clue-length N      only definitions of at most N characters\n"
    "  --prefer-picture-clues   a definition that names a picture when there is one\n"
    "  --min-clue-font PT       clues printed in the grid (scanwords, strip, honeycombs,\n"
    "                           American): only definitions that fit the word's clue box at a\n"
    "                           font of at least PT points (default 6)\n";

void TDefinitionOptions::AddOptions(TOptionParser& parser) {
    parser.Flag("--definitions", Pick);
    parser.Number("--max-clue-length", MaxLength, 1, 255);
    parser.Flag("--prefer-picture-clues", PreferPictures);
    parser.Number("--min-clue-font", MinFontSize, 1, 72);
}

bool TDefinitionOptions::Check(const TOptionParser& parser) const {
    if (Pick || (!parser.Given("--max-clue-length") && !parser.Given("--prefer-picture-clues") &&
                 !parser.Given("--min-clue-font")))
        return true;
    return parser.Complain("--definitions with --max-clue-length, --prefer-picture-clues and --min-clue-font");
}

void TDefinitionOptions::Apply(TCrossword& crossword) const {
    if (!Pick) return;
    // Kinds without clues in the grid take no notice of the fit.
    TDefinitionChoice choice{.LimitLength = MaxLength > 0,
                             .MaxLength = static_cast<uint8_t>(MaxLength),
                             .CheckFits = true,
                             .MinFontSize = static_cast<float>(MinFontSize),
                             .PreferPictures = PreferPictures};
    TCrosswordWords& words = crossword.Words;
    for (int i = 0; i < words.Count(); ++i) {
        choice.Slot = i;
        int entry = 0;
        std::string definition;
        if (!words.SlotFilled(i) || !crossword.Dictionary.Find(words.SlotWord(i), entry) ||
            !crossword.PickDefinition(true, crossword.Dictionary.Definition(entry), definition, choice))
            continue;
        words.SetSlotDefinition(i, definition);
        words.SetSlotHasDefinition(i, true);
    }
}

std::unique_ptr<TCrossword> CrosswordOfFile(const std::string& path, std::ostream& err) {
    std::string head;
    int kind = static_cast<int>(TCrosswordKind::Classic);
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error) && ReadFileText(path, head, CrosswordFileMagic.size() + 1) &&
        head.starts_with(CrosswordFileMagic) &&
        head.size() > CrosswordFileMagic.size())
        kind = SmallNumberOf(head[CrosswordFileMagic.size()]);
    auto crossword = CreateCrossword(kind);
    if (!crossword) {
        err << "crossgen: " << path << " holds a crossword of kind " << kind << ", which this build does not make\n";
        return nullptr;
    }
    crossword->Interactive = 0;
    crossword->Dictionary.ShowProgress = false;
    return crossword;
}

bool LoadCrosswordFile(TCrossword& crossword, const std::string& path, const std::string& dictionaryFile,
                       std::ostream& err) {
    crossword.FileName = path;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        err << "crossgen: cannot read the crossword file " << path << "\n";
        return false;
    }
    std::string extra;
    if (!crossword.LoadFromFile(dictionaryFile.empty(), true, extra)) {
        err << "crossgen: " << path << " is not a readable crossword file\n";
        return false;
    }
    if (!dictionaryFile.empty() && !crossword.LoadDictionary(dictionaryFile)) {
        err << "crossgen: cannot load the dictionary " << dictionaryFile << "\n";
        return false;
    }
    return true;
}

bool LoadStyleFile(TCrossword& crossword, const std::string& styleFile, std::ostream& err) {
    if (styleFile.empty()) return true;
    if (!crossword.LoadStyles(styleFile)) {
        err << "crossgen: cannot read the style file " << styleFile << "\n";
        return false;
    }
    return StyleValuesInRange(*crossword.Template, styleFile, err);
}

bool StyleValuesInRange(const TShablon& shablon, const std::string& styleFile, std::ostream& err) {
    for (const TIniClamp& clamp : shablon.StyleClamps)
        err << "crossgen: " << styleFile << ": [" << clamp.Section << "] " << clamp.Key << "=" << clamp.Value
            << " is out of range (" << clamp.Min << " to " << clamp.Max << ")\n";
    return shablon.StyleClamps.empty();
}
