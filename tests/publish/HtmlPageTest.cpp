#include "PublishFixture.h"

#include "publish/HtmlPage.h"

#include <regex>
#include <string>

namespace {

class HtmlPageTest : public PublishTest {
protected:
    // Nothing on the page reaches out: no address, no linked or imported file.
    static void ExpectSelfContained(const std::string& page) {
        for (const char* outward : {"http:", "https:", "<link", "@import", "url(", " src=\"/", " src=\"."})
            EXPECT_EQ(page.find(outward), std::string::npos) << outward;
    }
};

TEST_F(HtmlPageTest, ASolvedCrosswordGivesAPageToSolveWithoutItsAnswerInPlainText) {
    const struct {
        const char* name;
        std::unique_ptr<TCrossword> crossword;
        std::vector<std::string> words;
    } cases[] = {
        {"classic", Classic(), {"КОТ", "КОМ", "ТАК", "МАК"}},
        {"scanword", Scanword(), {"СКАН", "СОМ", "МОСТ"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(PageIsInteractive(*c.crossword));
        const std::string page = CrosswordPage(*c.crossword, {"Кроссворд <№1>", "Автор", "", ""});
        ExpectSelfContained(page);
        for (const char* text : {"Проверить", "Показать ответ", "Решено!", "Кроссворд &lt;№1&gt;", "\"solution\":"})
            EXPECT_NE(page.find(text), std::string::npos) << text;
        for (const std::string& word : c.words) EXPECT_EQ(page.find(word), std::string::npos) << word;
    }
}

TEST_F(HtmlPageTest, AnUnsolvedCrosswordGetsAStaticPageWithItsPictureAndClues) {
    auto crossword = Make<TClassicCrossword>({"...", ".#.", "..."}, {"кот"});
    EXPECT_FALSE(PageIsInteractive(*crossword));
    const std::string page = CrosswordPage(*crossword, {});
    ExpectSelfContained(page);
    EXPECT_NE(page.find("<img class=\"picture\" alt=\"Кроссворд\" src=\"data:image/svg+xml;base64,"), std::string::npos);
    EXPECT_NE(page.find("По горизонтали:"), std::string::npos);
    EXPECT_EQ(page.find("<script"), std::string::npos);
}

}  // namespace
