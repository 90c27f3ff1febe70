#include "app/DataFolders.h"
#include "platform/FileText.h"
#include "platform/Process.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class Links : public testing::Test {
protected:
    Links() {
        fs::create_directories(mFolder / "docs");
        EXPECT_TRUE(WriteFileText((mFolder / "docs" / "how to play.md").string(), "#"));
    }
    ~Links() override { fs::remove_all(mFolder); }

    std::string Folder() const { return mFolder.string(); }

private:
    fs::path mFolder = fs::temp_directory_path() / ("zelvana-links-" + std::to_string(::getpid()));
};

}  // namespace

TEST(DataFolders, TheProgramLooksInTheWorkingFolderThenBesideItselfThenInItsInstalledDataFolder) {
    const TDataFolders folders = TDataFolders::OfProgram();
    const std::string installed = (fs::path(ExecutableDir()).parent_path() / "share" / "zelvana").string();
    EXPECT_EQ(folders.Collections, (std::vector<std::string>{fs::current_path().string(), ExecutableDir(), installed}));
    EXPECT_EQ(folders.Dictionaries, (std::vector<std::string>{ExecutableDir(), installed}));
    EXPECT_EQ(TDataFolders::Find({"/nonexistent", ZELVANA_DATA_DIR}, "graph.col"), std::string(ZELVANA_DATA_DIR));
    EXPECT_EQ(TDataFolders::Find({"/nonexistent", ZELVANA_DATA_DIR}, "none.col"), std::nullopt);
}

TEST_F(Links, DocumentsResolveToFileLinksWhenTheyExist) {
    const std::string document = Folder() + "/docs/how to play.md";
    const std::string url = "file://" + Folder() + "/docs/how%20to%20play.md";
    struct Case {
        std::string link, url, missing;
    };
    const Case cases[] = {
        {"https://example.org/x?y=1", "https://example.org/x?y=1", ""},
        {"HTTP://example.org", "HTTP://example.org", ""},
        {"docs/how to play.md", url, ""},
        {"docs/../docs/how to play.md", url, ""},
        {"file://" + Folder() + "/docs/how%20to%20play.md", url, ""},
        {"file://localhost" + Folder() + "/docs/how to play.md", url, ""},
        {"docs/gone.md", "", Folder() + "/docs/gone.md"},
        {"file:///nonexistent/a.md", "", "/nonexistent/a.md"},
        {"docs", "", Folder() + "/docs"},  // a folder is not a document
        {"file://otherhost/a.md", "", ""},
        {"mailto:someone@example.org", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        const TLinkTarget target = ResolveLink(c.link, Folder());
        EXPECT_EQ(target.Url, c.url) << c.link;
        EXPECT_EQ(target.Missing, c.missing) << c.link;
    }
}
