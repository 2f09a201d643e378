#include "platform/fontfile/freetypefont.h"
#include "tests/testcodepage.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

namespace {

const std::string kOwnFonts = QXM_TEST_FONT_DIR "/";
const std::string kDebianFonts = "/usr/share/fonts/X11/misc/";
const std::string kOutlineFonts = "/usr/share/fonts/truetype/";

qxm::FontFileResult Read(const std::string &file, qxm::CellSize cell = qxm::kDesignCell)
{
    // Latin-1 but for the euro sign, whose code is 128 as in Windows-1252.
    TestCodePage codePage;
    codePage.overrides[u'\u20ac'] = 128;
    return qxm::ReadFontFile(file, codePage, cell);
}

// What the display shows: rows top first, '|' between them.
std::string Picture(const std::optional<qxm::Glyph> &glyph)
{
    std::string picture = glyph ? "" : "no glyph";
    for (int row = 0; glyph && row < glyph->Height(); ++row) {
        for (int column = 0; column < glyph->Width(); ++column)
            picture += glyph->Dot(column, row) ? '#' : '.';
        picture += row + 1 < glyph->Height() ? "|" : "";
    }
    return picture;
}

TEST(FontFileTest, shouldPlaceEachGlyphByTheFontsAscentAndItsBearingLookedUpByCharacter)
{
    struct Case
    {
        std::string file;
        std::size_t code;
        std::string picture;
        qxm::CellSize cell = qxm::kDesignCell;
    };
    const Case cases[] = {
        {kOwnFonts + "tiny.bdf", 'F', "#####|#....|#....|###..|#....|#....|#...#"},
        {kOwnFonts + "tiny.bdf", '.', ".....|.....|.....|.....|.....|.##..|.##.."},
        {kOwnFonts + "tiny.bdf", ' ', ".....|.....|.....|.....|.....|.....|....."},
        {kOwnFonts + "tiny.bdf", 0xE9, "..#..|.#...|.##..|#..#.|###..|.###.|....."},
        {kOwnFonts + "tiny.bdf", 128, ".....|.###.|#....|###..|#....|.###.|....."},
        {kOwnFonts + "tiny.bdf", 'B', "no glyph"},
        {kOwnFonts + "tiny.bdf.gz", 'F', "#####|#....|#....|###..|#....|#....|#...#"},
        {kOwnFonts + "grey.bdf", 'o', "..##.|##...|.....|.....|.....|.....|....."},
        {kDebianFonts + "5x7.pcf.gz", 0xE9, "..#..|.#...|.##..|#.##.|##...|.##..|....."},
        {kDebianFonts + "5x7.pcf.gz", 128, "..##.|.#...|###..|###..|.#...|..##.|....."},
        {kDebianFonts + "4x6.pcf.gz", 0xFF, "#.#..|.....|#.#..|###..|..#..|##...|....."},
        {kOutlineFonts + "dejavu/DejaVuSansMono.ttf", 'H', ".#.#.|.#.#.|.###.|.#.#.|.#.#.|.....|....."},
        {kOutlineFonts + "liberation/LiberationMono-Regular.ttf", 'g', ".....|.####|.#..#|.#..#|.####|....#|..###"},
        {kDebianFonts + "6x10.pcf.gz",
         'g',
         "......|......|......|.####.|#...#.|#...#.|.####.|....#.|#...#.|.###..",
         {6, 10}},
        {kOwnFonts + "tiny.bdf", '.', "......|......|......|......|......|.##...|.##...|......", {6, 8}},
    };
    for (const auto &[file, code, picture, cell] : cases) {
        const qxm::FontFileResult result = Read(file, cell);
        ASSERT_EQ(result.error, u"");
        EXPECT_EQ(Picture(result.font->glyphs[code]), picture) << file << ", code " << code;
    }
}

TEST(FontFileTest, shouldRefuseAFileWithoutAFittingFontSayingWhyAndNamingIt)
{
    const std::pair<std::string, std::u16string> cases[] = {
        {kDebianFonts + "6x10.pcf.gz",
         u" is 6 by 10 dots, larger than the display's 5 by 7: a cell of 6x10 (--size 6x10)"},
        {kDebianFonts + "5x8.pcf.gz", u" is 5 by 8 dots"},
        {kOwnFonts + "broad.bdf", u" is 6 by 7 dots"},
        {kDebianFonts + "5x7-KOI8-R.pcf.gz", u"(no Unicode map)"},
        {kOwnFonts + "wide.bdf", u"the glyph of \"W\" (code 87) in"},
        {kOwnFonts + "low.bdf", u"the glyph of \"g\" (code 103) in"},
        {kOwnFonts + "no-bitmap.bdf", u"the glyph of \"o\" (code 111) in"},
        {kOwnFonts + "not-a-font.bdf", u" is not a font file"},
        {kOwnFonts + "huge.ttf", u" is far larger than any cell, too large to draw"},
        {kOwnFonts + "missing.bdf", u"there is no font file"},
        {kOwnFonts, u" is a folder"},
    };
    for (const auto &[file, reason] : cases) {
        const qxm::FontFileResult result = Read(file);
        EXPECT_FALSE(result.font) << file;
        const std::u16string quotedFile = u'"' + std::filesystem::path(file).u16string() + u'"';
        EXPECT_NE(result.error.find(quotedFile), std::u16string::npos) << testing::PrintToString(result.error);
        EXPECT_NE(result.error.find(reason), std::u16string::npos) << testing::PrintToString(result.error);
    }
}

} // namespace
