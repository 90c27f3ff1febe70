// crossgen page and book, read back as a reader's tools see them: the PDF's text (pdftotext), its
// pages and their size (pdfinfo) and its fonts (pdffonts); and the print look of picture and draw.

#include "PictureFiles.h"

#include "../crossword/CrosswordFixture.h"

#include "cli/BookFill.h"
#include "cli/Crossgen.h"
#include "crossword/Crossword.h"
#include "platform/Process.h"
#include "platform/RecordingUi.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace {

const std::string DataDir = ZELVANA_DATA_DIR;

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

Outcome Crossgen(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = RunCrossgen(args, out, err, {DataDir + "/templates.col", DataDir + "/dic1.wdi"});
    return {code, out.str(), err.str()};
}

std::string Tool(const std::vector<std::string>& argv) {
    const ProcessResult result = RunProcess(argv);
    EXPECT_EQ(result.exitCode, 0) << argv[0];
    return result.output;
}

// The text of pages first..last, every run of white space made one blank.
std::string PdfText(const std::string& pdf, int first = 0, int last = 0) {
    std::vector<std::string> argv = {"pdftotext"};
    if (first > 0) argv.insert(argv.end(), {"-f", std::to_string(first), "-l", std::to_string(last)});
    argv.insert(argv.end(), {pdf, "-"});
    return std::regex_replace(Tool(argv), std::regex("\\s+"), " ");
}

std::string PdfInfo(const std::string& pdf, const std::string& key) {
    std::smatch match;
    const std::string info = Tool({"pdfinfo", pdf});
    return std::regex_search(info, match, std::regex(key + ":\\s*([^\\n]*)")) ? match[1].str() : std::string();
}

// The clue of every slot as the list prints it ("12. Жилое здание (3)."), in UTF-8, across then
// down, each part in the order of the numbers.
std::vector<std::vector<std::string>> ListedClues(const TCrossword& crossword) {
    std::vector<std::pair<int, std::string>> across, down;
    const TCrosswordWords& words = crossword.Words;
    for (int i = 0; i < words.Count(); ++i) {
        const int number = crossword.Template->GetNumber(words.WordX(i), words.WordY(i));
        std::string clue = ToUtf8(crossword.FormatDefinition(words.SlotDefinition(i), true).Text);
        clue = std::regex_replace(clue, std::regex("^\\s+|\\s+$"), "");
        const std::string entry = std::to_string(number) + ". " + clue + " (" + std::to_string(words.WordLength(i)) + ").";
        (words.WordPath(i).starts_with("6") ? across : down).emplace_back(number, entry);
    }
    std::vector<std::vector<std::string>> parts(2);
    std::sort(across.begin(), across.end());
    std::sort(down.begin(), down.end());
    for (const auto& [number, entry] : across) parts[0].push_back(entry);
    for (const auto& [number, entry] : down) parts[1].push_back(entry);
    return parts;
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

class PageCommand : public CrosswordTest {
protected:
    void SetUp() override {
        CrosswordTest::SetUp();
        mFile = Path("p.cwd");
        const Outcome fill = Crossgen({"fill", "--size", "15x15", "--seed", "1", "--definitions", "--save", mFile});
        ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err;
        mCrossword.Dictionary.ShowProgress = false;
        mCrossword.Interactive = 0;
        mCrossword.FileName = mFile;
        std::string extra;
        ASSERT_TRUE(mCrossword.LoadFromFile(true, false, extra));
    }

    std::string mFile;
    TClassicCrossword mCrossword;
};

TEST_F(PageCommand, PdfHoldsEveryClueOnceUnderItsHeadingInOrderAndTheSolutionsLetters) {
    const std::string pdf = Path("page.pdf");
    const Outcome run = Crossgen({"page", mFile, "--out", pdf, "--lengths", "--solution", "separate", "--title", "Кроссворд"});
    ASSERT_EQ(run.exitCode, ExitCode::Filled) << run.err;
    EXPECT_EQ(PdfInfo(pdf, "Pages"), "2");

    const std::string fonts = Tool({"pdffonts", pdf});
    std::istringstream lines(fonts);
    std::string line;
    int faces = 0;
    for (int n = 0; std::getline(lines, line); ++n) {
        if (n < 2 || line.empty()) continue;
        ++faces;
        // name, type, encoding, then emb sub uni object: "emb" is the third word from the end but two.
        EXPECT_TRUE(std::regex_search(line, std::regex(R"(\s+yes\s+(yes|no)\s+(yes|no)\s+\d+\s+\d+\s*$)"))) << line;
    }
    EXPECT_GT(faces, 0);

    const std::string text = PdfText(pdf, 1, 1);
    const std::size_t acrossHeading = text.find("По горизонтали"), downHeading = text.find("По вертикали");
    ASSERT_NE(acrossHeading, std::string::npos);
    ASSERT_NE(downHeading, std::string::npos);
    EXPECT_LT(text.find("Кроссворд"), acrossHeading);
    const auto parts = ListedClues(mCrossword);
    ASSERT_GT(parts[0].size() + parts[1].size(), 20u);
    std::size_t last = acrossHeading;
    for (std::size_t part = 0; part < 2; ++part) {
        if (part == 1) {
            EXPECT_LT(last, downHeading);
            last = downHeading;
        }
        for (const std::string& clue : parts[part]) {
            EXPECT_EQ(Occurrences(text, clue), 1u) << clue;
            const std::size_t at = text.find(clue);
            EXPECT_GT(at, last) << clue;
            last = at;
        }
    }
    EXPECT_EQ(text.find("???"), std::string::npos);

    // The solution page shows every letter of the grid.
    const std::string solution = PdfText(pdf, 2, 2);
    std::map<std::string, int> needed;
    for (int x = 0; x < mCrossword.Width; ++x)
        for (int y = 0; y < mCrossword.Height; ++y)
            if (mCrossword.Template->IsLetterCell(x, y))
                ++needed[ToUtf8(mCrossword.Dictionary.ToUpperText(mCrossword.CellText(x, y)))];
    ASSERT_GT(needed.size(), 10u);
    for (const auto& [letter, count] : needed) EXPECT_GE(Occurrences(solution, letter), static_cast<std::size_t>(count)) << letter;
}

TEST_F(PageCommand, PaperIsA4UnlessAsked) {
    struct Case {
        std::vector<std::string> options;
        double width, height;  // points
    };
    const Case cases[] = {
        {{}, 595.276, 841.89},
        {{"--paper", "letter"}, 612, 792},
        {{"--paper", "A5", "--margins", "10"}, 419.528, 595.276},
        {{"--paper", "200x200mm", "--columns", "2", "--font-size", "7"}, 566.929, 566.929},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"page", mFile, "--out", Path("paper.pdf")};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const Outcome run = Crossgen(args);
        ASSERT_EQ(run.exitCode, ExitCode::Filled) << run.err;
        const std::string size = PdfInfo(Path("paper.pdf"), "Page size");
        std::smatch match;
        ASSERT_TRUE(std::regex_search(size, match, std::regex(R"(^([\d.]+) x ([\d.]+) pts)"))) << size;
        EXPECT_NEAR(std::stod(match[1].str()), c.width, 0.1) << size;
        EXPECT_NEAR(std::stod(match[2].str()), c.height, 0.1) << size;
    }
}

TEST_F(PageCommand, IncompleteCrosswordIsRefusedUnlessAllowed) {
    const std::string bare = Path("bare.cwd");
    ASSERT_EQ(Crossgen({"fill", "--size", "9x9", "--seed", "3", "--save", bare}).exitCode, ExitCode::Filled);
    const Outcome refused = Crossgen({"page", bare, "--out", Path("bare.pdf")});
    EXPECT_EQ(refused.exitCode, ExitCode::NotFilled);
    EXPECT_NE(refused.err.find("words without a clue"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(Path("bare.pdf")));

    const Outcome allowed = Crossgen({"page", bare, "--out", Path("bare.pdf"), "--allow-incomplete"});
    ASSERT_EQ(allowed.exitCode, ExitCode::Filled) << allowed.err;
    const std::string text = PdfText(Path("bare.pdf"));
    EXPECT_EQ(text.find("???"), std::string::npos);
    EXPECT_NE(text.find("1. ______"), std::string::npos) << text;
}

TEST_F(PageCommand, SvgAndPngHoldOnePageEach) {
    ASSERT_EQ(Crossgen({"page", mFile, "--out", Path("page.png"), "--solution", "separate"}).exitCode, ExitCode::Filled);
    const TDIB first = ReadPng(Path("page.png"));
    EXPECT_EQ(first.Width(), 1240);
    EXPECT_EQ(first.Height(), 1754);
    EXPECT_TRUE(ShowsADrawing(first));
    EXPECT_TRUE(ShowsADrawing(ReadPng(Path("page-2.png"))));
    ASSERT_EQ(Crossgen({"page", mFile, "--out", Path("page.svg")}).exitCode, ExitCode::Filled);
    EXPECT_TRUE(FileBytes(Path("page.svg")).starts_with("<?xml"));
    EXPECT_FALSE(std::filesystem::exists(Path("page-2.svg")));
}

TEST_F(PageCommand, PrintLookOfPictureAndDraw) {
    ASSERT_EQ(Crossgen({"picture", mFile, "--look", "print", "--out", Path("print.png")}).exitCode, ExitCode::Filled);
    // Red and blue are gone: every pixel is a grey.
    const TDIB picture = ReadPng(Path("print.png"));
    for (int y = 0; y < picture.Height(); y += 3)
        for (int x = 0; x < picture.Width(); x += 3) {
            const TColor32 p = picture.Pixel(x, y);
            ASSERT_EQ(p >> 16 & 0xFF, p & 0xFF) << x << "," << y;
            ASSERT_EQ(p >> 8 & 0xFF, p & 0xFF) << x << "," << y;
        }
    EXPECT_EQ(Crossgen({"draw", "--size", "15x15", "--seed", "1", "--look", "print", "--block-shade", "50", "--out",
                   Path("draw.svg")})
                  .exitCode,
              ExitCode::Filled);
}

TEST_F(PageCommand, HelpAndComplaints) {
    for (const char* command : {"page", "book"}) {
        const Outcome help = Crossgen({command, "--help"});
        EXPECT_EQ(help.exitCode, ExitCode::Filled) << command;
        for (const char* option : {"--out", "--paper", "--margins", "--columns", "--font", "--font-size", "--lengths",
                                   "--solution", "--allow-incomplete", "--title"})
            EXPECT_NE(help.out.find(option), std::string::npos) << command << " " << option;
    }
    EXPECT_NE(Crossgen({"book", "--help"}).out.find("--jobs"), std::string::npos);
    const std::vector<std::vector<std::string>> cases = {
        {"page", mFile},
        {"page", "--out", Path("a.pdf")},
        {"page", mFile, "--out", Path("a.gif")},
        {"page", mFile, "--out", Path("a.pdf"), "--paper", "A3"},
        {"page", mFile, "--out", Path("a.pdf"), "--margins", "100"},
        {"page", mFile, "--out", Path("a.pdf"), "--columns", "9"},
        {"page", mFile, "--out", Path("a.pdf"), "--font-size", "40"},
        {"page", mFile, "--out", Path("a.pdf"), "--solution", "upside"},
        {"page", mFile, "--out", Path("a.pdf"), "--font", "No Such Face Anywhere"},
        {"page", Path("missing.cwd"), "--out", Path("a.pdf")},
        {"page", mFile, "--out", Path("no/such/dir/a.pdf")},
        {"picture", mFile, "--font", "DejaVu Sans", "--out", Path("a.png")},
        {"picture", mFile, "--look", "print", "--view", "--out", Path("a.png")},
        {"draw", "--size", "9x9", "--look", "fancy", "--out", Path("a.png")},
        {"book", "--size", "9x9", "--out", Path("b.pdf")},
        {"book", "--size", "9x9", "--count", "2", "--out", Path("b.png")},
        {"book", "--count", "2", "--out", Path("b.pdf")},
        {"book", "--size", "9x9", "--count", "2", "--jobs", "0", "--out", Path("b.pdf")},
    };
    for (const auto& args : cases) {
        const Outcome run = Crossgen(args);
        EXPECT_EQ(run.exitCode, ExitCode::BadInput) << args[0] << " " << args.back();
        EXPECT_FALSE(run.err.empty()) << args.back();
    }
}

TEST_F(PageCommand, FillWordListsItsWordsAndKnightItsPhraseLines) {
    // The fill prints its words last, one a line: "X,Y DIRECTION PATH WORD".
    const std::string fillWord = Path("fw.cwd");
    const Outcome fill = Crossgen({"fill", "--kind", "fillword", "--size", "6x6", "--seed", "2", "--save", fillWord});
    ASSERT_EQ(fill.exitCode, ExitCode::Filled) << fill.err;
    std::vector<std::string> words;
    std::istringstream lines(fill.out);
    for (std::string line; std::getline(lines, line);)
        if (std::regex_match(line, std::regex(R"(\d+,\d+ .* \S+)"))) words.push_back(line.substr(line.rfind(' ') + 1));
    ASSERT_GT(words.size(), 3u);
    ASSERT_EQ(Crossgen({"page", fillWord, "--out", Path("fw.pdf")}).exitCode, ExitCode::Filled);
    const std::string found = PdfText(Path("fw.pdf"));
    EXPECT_NE(found.find("Найдите слова"), std::string::npos) << found;
    for (const std::string& word : words) EXPECT_GE(Occurrences(found, " " + word + " "), 1u) << word;

    const std::string knight = Path("knight.cwd");
    ASSERT_EQ(Crossgen({"fill", "--kind", "knight", "--path", "0,0 2,1 4,0 6,1 7,3 5,4 3,3 1,4 0,6 2,7 4,6 6,7",
                        "--phrase", "кот спит тут", "--save", knight})
                  .exitCode,
              ExitCode::Filled);
    ASSERT_EQ(Crossgen({"page", knight, "--solution", "separate", "--out", Path("knight.pdf")}).exitCode,
              ExitCode::Filled);
    const std::string puzzle = PdfText(Path("knight.pdf"), 1, 1);
    EXPECT_NE(puzzle.find("Фраза"), std::string::npos) << puzzle;
    // A place for each of the phrase's ten letters; pdftotext spaces them as it likes.
    std::string places = puzzle;
    std::erase(places, ' ');
    EXPECT_NE(places.find("__________"), std::string::npos) << puzzle;
    EXPECT_EQ(places.find("___________"), std::string::npos) << puzzle;
    EXPECT_EQ(puzzle.find("кот"), std::string::npos) << puzzle;
    EXPECT_NE(PdfText(Path("knight.pdf"), 2, 2).find("кот спит тут"), std::string::npos);
}

class BookCommand : public CrosswordTest {};

TEST_F(BookCommand, PuzzlesNumberedThenTheirSolutionsAndTheSameBookWhateverTheJobs) {
    ScopedRecordingUi ui;
    std::string texts[2];
    for (const int jobs : {1, 3}) {
        const std::string pdf = Path("book" + std::to_string(jobs) + ".pdf");
        const Outcome run = Crossgen({"book", "--count", "3", "--size", "9x9", "--seed", "11", "--definitions", "--jobs",
                                 std::to_string(jobs), "--out", pdf});
        ASSERT_EQ(run.exitCode, ExitCode::Filled) << run.err;
        const int pages = std::stoi(PdfInfo(pdf, "Pages"));
        ASSERT_GE(pages, 4);
        for (int k = 1; k <= 3; ++k) EXPECT_NE(PdfText(pdf, k, k).find("Кроссворд № " + std::to_string(k)), std::string::npos);
        const std::string solutions = PdfText(pdf, 4, pages);
        EXPECT_NE(solutions.find("Ответы"), std::string::npos);
        for (int k = 1; k <= 3; ++k)
            EXPECT_TRUE(std::regex_search(solutions, std::regex("№ ?" + std::to_string(k) + "\\b"))) << k;
        texts[jobs == 1 ? 0 : 1] = PdfText(pdf);
    }
    EXPECT_EQ(texts[0], texts[1]);
    std::vector<std::string> shown;
    for (const auto& step : ui->Progress) shown.push_back(step.text);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "puzzle 3 of 3"), 2);
}

TEST_F(BookCommand, NoAnswerTwiceAndTheSameFillsWhateverTheThreads) {
    const std::vector<std::string> args = {"--size", "9x9", "--definitions"};
    std::vector<std::vector<std::string>> books;
    for (const int jobs : {1, 4}) {
        std::ostringstream err;
        TOptionParser parser("book", err);
        TFillJob job;
        job.AddOptions(parser, {DataDir + "/templates.col", DataDir + "/dic1.wdi"});
        ASSERT_TRUE(parser.Parse(args));
        std::vector<TBookPuzzle> puzzles;
        ASSERT_EQ(FillBook(job, parser, 7, jobs, 5, puzzles, err), TBookResult::Filled) << err.str();
        ASSERT_EQ(puzzles.size(), 7u);
        std::vector<std::string> answers;
        std::set<std::string> seen;
        for (const TBookPuzzle& puzzle : puzzles) {
            const TCrossword& crossword = *puzzle.Crossword;
            ASSERT_TRUE(crossword.IsComplete());
            for (int i = 0; i < crossword.Words.Count(); ++i) {
                const std::string word(crossword.Words.SlotWord(i));
                EXPECT_TRUE(seen.insert(word).second) << ToUtf8(word);
                answers.push_back(word + "=" + std::string(crossword.Words.SlotDefinition(i)));
            }
        }
        books.push_back(answers);
    }
    EXPECT_EQ(books[0], books[1]);
}

}  // namespace
