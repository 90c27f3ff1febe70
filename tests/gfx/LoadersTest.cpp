#include "gfx/GraphicsLoader.h"
#include "platform/FileText.h"
#include "platform/GraphCollection.h"
#include "platform/RecordingUi.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

std::string TempFile(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("zelvana-load-" + std::to_string(::getpid()) + "-" + name)).string();
}

// Two pictures: "A" (2 x 2) keyed by a colour of its own and "65" (3 x 3, the glyph of "A").
std::string TwoPictures() {
    TGraphCollection pictures;
    TDIB image(2, 2);
    image.SetPixel(0, 0, 0x123456);
    pictures.AddGraphic("A", *TPicture::FromImage(TPictureKind::Bitmap, image));
    pictures.SetTag(0, 0x123456);
    TDIB glyph(3, 3);
    glyph.SetPixel(1, 1, 0xFFFFFF);
    pictures.AddGraphic("65", *TPicture::FromImage(TPictureKind::Bitmap, glyph));
    return pictures.SaveToText();
}

}  // namespace

TEST(Loaders, ImagesAreKeyedByTheirTagAndGlyphsMadeInFourSets) {
    ScopedRecordingUi ui;
    const std::string path = TempFile("good.col");
    ASSERT_TRUE(WriteFileText(path, TwoPictures()));
    TSurfaceSortCollection surfaces;
    surfaces.AddNamed("OLD", TDIB(1, 1));
    ASSERT_TRUE(LoadGraphics(surfaces, path));
    EXPECT_EQ(surfaces.Count(), 2);
    EXPECT_EQ(surfaces.Find("OLD"), nullptr);
    EXPECT_EQ(surfaces.Find("A")->TransparentColor(), 0x123456u);

    TLettersCollection letters;
    ASSERT_TRUE(LoadFont(letters, path));
    for (int set = 0; set < 4; ++set) EXPECT_GE(letters.Glyph(set, 'A'), 0) << set;
    TDirectDrawSurface target(20, 20);
    letters.DrawText(target, 0, 0, "&3A", THorzAlign::Left, TVertAlign::Top);
    EXPECT_EQ(target.Pixel(1, 1), 0x0000FFu);  // the shards' letters are blue
    letters.DrawText(target, 10, 0, "&1A", THorzAlign::Left, TVertAlign::Top);
    EXPECT_EQ(target.Pixel(11, 1), 0xFFFF00u);
    EXPECT_EQ(target.Pixel(12, 2), 0x000040u);  // with a dark shadow
    EXPECT_TRUE(ui->Messages.empty());
    std::filesystem::remove(path);
}

TEST(Loaders, MissingFilesAreSilentAndDamagedOnesSaySoAndKeepTheirReadablePart) {
    ScopedRecordingUi ui;
    TSurfaceSortCollection surfaces;
    TLettersCollection letters;
    EXPECT_FALSE(LoadGraphics(surfaces, TempFile("missing.col")));
    EXPECT_FALSE(LoadFont(letters, TempFile("missing.col")));
    EXPECT_EQ(letters.TextWidth("A"), 10);  // texts draw as blank advances
    EXPECT_TRUE(ui->Messages.empty());

    const std::string path = TempFile("damaged.col");
    const std::string text = TwoPictures();
    ASSERT_TRUE(WriteFileText(path, text.substr(0, text.size() - 5)));
    EXPECT_TRUE(LoadGraphics(surfaces, path));
    EXPECT_EQ(surfaces.Count(), 1);
    ASSERT_EQ(ui->Messages.size(), 1u);
    EXPECT_EQ(ui->Messages[0], Format("Файл %s повреждён: загружена только его часть"_cp, path));
    std::filesystem::remove(path);
}
