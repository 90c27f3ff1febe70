// What the picture readers refuse before they decode: SVG bodies whose references fan out or
// that declare entities, JPEGs that repeat their scans, collection files that ask for more pixels
// than one file may hold.

#include "platform/FileText.h"
#include "platform/GraphCollection.h"
#include "platform/Picture.h"
#include "platform/RecordFile.h"
#include "platform/RecordingUi.h"
#include "platform/SvgCheck.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

const std::string Svg = R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" )";

// Groups a0 .. a(levels - 1), each referring fanOut times to the one before, the last one drawn.
std::string FanOut(int levels, int fanOut, std::string_view reference = R"(<use xlink:href="#a%d"/>)") {
    std::string svg = Svg + R"(width="8" height="8"><defs><g id="a0"><rect width="1" height="1"/></g>)";
    for (int level = 1; level < levels; ++level) {
        svg += "<g id=\"a" + std::to_string(level) + "\">";
        std::string one(reference);
        one.replace(one.find("%d"), 2, std::to_string(level - 1));
        for (int i = 0; i < fanOut; ++i) svg += one;
        svg += "</g>";
    }
    return svg + "</defs><use xlink:href=\"#a" + std::to_string(levels - 1) + "\"/></svg>";
}

// An SVG as Cairo writes one: text becomes glyph symbols drawn by reference, a picture becomes a
// PNG inside the document.
std::string CairoSvg(int pictureSide) {
    std::string out;
    cairo_surface_t* surface = cairo_svg_surface_create_for_stream(
        [](void* closure, const unsigned char* data, unsigned int length) {
            static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
            return CAIRO_STATUS_SUCCESS;
        },
        &out, 200, 60);
    cairo_t* cr = cairo_create(surface);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 12);
    for (int line = 0; line < 4; ++line) {
        cairo_move_to(cr, 2, 14 + 12 * line);
        cairo_show_text(cr, "The quick brown fox jumps over the lazy dog");
    }
    cairo_surface_t* picture = cairo_image_surface_create(CAIRO_FORMAT_RGB24, pictureSide, pictureSide);
    cairo_set_source_surface(cr, picture, 150, 10);
    cairo_paint(cr);
    cairo_surface_destroy(picture);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    cairo_surface_destroy(surface);
    return out;
}

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(SvgLimits, WhatCairoWritesPassesAndFanOutLoopsEntitiesAndOtherFilesDoNot) {
    struct Case {
        const char* what;
        std::string svg;
        bool passes;
    };
    const Case cases[] = {
        {"cairo's text and picture", CairoSvg(30), true},
        {"a picture of 5000 x 5000 in the document", CairoSvg(5000), false},
        {"four levels of four", FanOut(4, 4), true},
        {"ten levels of four", FanOut(10, 4), false},
        {"ten levels of four through paint servers", FanOut(10, 4, R"x(<rect fill="url(#a%d)"/>)x"), false},
        {"ten levels of four hidden in character references",
         FanOut(10, 4, R"(<use xlink:href="&#35;a%d"/>)"), false},
        {"ten levels of four in a style sheet", FanOut(10, 4, R"x(<style>rect { fill: url(#a%d) }</style>)x"), false},
        {"a loop", Svg + R"(width="8" height="8"><g id="a"><use xlink:href="#b"/></g><g id="b"><use xlink:href="#a"/></g></svg>)", false},
        {"an entity", R"(<!DOCTYPE svg [<!ENTITY a "aaaa">]>)" + Svg + R"(width="8" height="8"/>)", false},
        {"an internal subset", R"(<!DOCTYPE svg [ ]>)" + Svg + R"(width="8" height="8"/>)", false},
        {"a plain document type", R"(<?xml version="1.0" encoding="UTF-8"?><!DOCTYPE svg>)" + Svg + R"(width="8" height="8"/>)", true},
        {"another encoding", R"(<?xml version="1.0" encoding="UTF-16"?>)" + Svg + R"(width="8" height="8"/>)", false},
        {"bytes of a wide encoding", std::string("<\0s\0v\0g\0", 8), false},
        {"another file", Svg + R"(width="8" height="8"><image xlink:href="/etc/passwd" width="8" height="8"/></svg>)", false},
        {"a style sheet escape", Svg + R"x(width="8" height="8"><rect style="fill:u\72l(#a)"/></svg>)x", false},
    };
    for (const Case& c : cases) EXPECT_EQ(SvgWithinLimits(c.svg), c.passes) << c.what;
    EXPECT_NE(TPicture::FromData(TPictureKind::Metafile, cases[0].svg), nullptr);
    EXPECT_EQ(TPicture::FromData(TPictureKind::Metafile, cases[3].svg), nullptr);
}

TEST(JpegLimits, AJpegRepeatingItsScansIsRefused) {
    const std::string repeated =
        FileBytes(std::string(ZELVANA_SOURCE_DIR) + "/fuzz/corpus/jpeg/regression-jpeg_progressive_10000_scans.jpg");
    ASSERT_GT(repeated.size(), 100000u);
    EXPECT_EQ(TPicture::FromData(TPictureKind::Jpeg, repeated), nullptr);
}

TEST(CollectionLimits, PicturesPastTheFilesPixelBudgetAreSkippedAsDamage) {
    ScopedRecordingUi ui;
    const auto blank = [](int side) {
        return R"(<svg xmlns="http://www.w3.org/2000/svg" width=")" + std::to_string(side) + R"(" height=")" +
               std::to_string(side) + R"("/>)";
    };
    std::string file;
    AppendTwoPartRecord(file, std::string(1, '\0') + IntToBytes(0) + "first", blank(1500));   // 2.25 million pixels
    AppendTwoPartRecord(file, std::string(1, '\0') + IntToBytes(0) + "second", blank(1500));  // 4.5 million in all
    AppendTwoPartRecord(file, std::string(1, '\0') + IntToBytes(0) + "third", blank(100));
    TGraphCollection pictures;
    pictures.ParseText(file);
    ASSERT_EQ(pictures.Count(), 2);
    EXPECT_EQ(pictures.Name(0), "first");
    EXPECT_EQ(pictures.Name(1), "third");
    EXPECT_TRUE(pictures.Damaged());
    EXPECT_TRUE(ui->Messages.empty());  // the loader says so, not the collection
}
