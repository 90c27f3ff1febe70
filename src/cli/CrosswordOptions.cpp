#include "CrosswordOptions.h"

#include "Input.h"

#include "crossword/Crossword.h"
#include "crossword/CrosswordFactory.h"
#include "platform/Text.h"
#include "template/ShablonWords.h"

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

const char* const CrosswordInputHelp =
    "  --dict FILE        the dictionary to use instead of the one the file names\n"
    "  --partial          take an incomplete file as it is: one whose words do not all find their\n"
    "                     place in its grid (each is named), or one saved by fill --save-partial\n";

void TCrosswordInput::AddOptions(TOptionParser& parser) {
    parser.Text("--dict", DictionaryFile);
    parser.Flag("--partial", Partial);
}

bool IsCompleteFile(const TCrossword& crossword) {
    return crossword.UnplacedWords.empty() && !crossword.Incomplete;
}

std::unique_ptr<TCrossword> TCrosswordInput::Load(const std::string& path, std::ostream& err) const {
    std::string bytes;
    if (!ReadInput(path, bytes, err)) return nullptr;
    if (!DictionaryFile.empty() && !CheckInput(DictionaryFile, err)) return nullptr;
    if (!bytes.starts_with(CrosswordFileMagic) || bytes.size() <= CrosswordFileMagic.size()) {
        err << "crossgen: " << path << " is not a crossword file\n";
        return nullptr;
    }
    const int kind = SmallNumberOf(bytes[CrosswordFileMagic.size()]);
    auto crossword = CreateCrossword(kind);
    if (!crossword) {
        err << "crossgen: " << path << " holds a crossword of kind " << kind << ", which this build does not make\n";
        return nullptr;
    }
    crossword->Interactive = 0;
    crossword->Dictionary.ShowProgress = false;
    crossword->FileName = path;
    if (!crossword->LoadText(bytes, DictionaryFile.empty(), true)) {
        err << "crossgen: " << path << " is not a readable crossword file\n";
        return nullptr;
    }
    if (!DictionaryFile.empty() && !crossword->LoadDictionary(DictionaryFile)) {
        err << "crossgen: cannot load the dictionary " << DictionaryFile << "\n";
        return nullptr;
    }
    for (const std::string& word : crossword->UnplacedWords)
        err << "crossgen: " << path << ": " << (word.empty() ? "a damaged word record" : "the word " + ToUtf8(word))
            << " finds no place in the grid\n";
    if (crossword->Incomplete) err << "crossgen: " << path << " holds a fill that did not finish\n";
    if (IsCompleteFile(*crossword) || Partial) return crossword;
    err << "crossgen: " << path << " is incomplete (--partial takes it as it is)\n";
    return nullptr;
}

bool LoadStyleFile(TCrossword& crossword, const std::string& styleFile, std::ostream& err) {
    if (styleFile.empty()) return true;
    if (!CheckInput(styleFile, err)) return false;
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
