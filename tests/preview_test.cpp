#include "core/preview.h"
#include "tests/testcodepage.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using Picture = std::array<std::string, qxm::kGlyphRows>;

class PreviewTest : public ::testing::Test
{
protected:
    void SetUp() override { qxm::FillCharData(table); }
    qxm::Preview Preview(std::u16string_view text) const { return qxm::PreviewText(table, codePage, text); }

    qxm::CharDataTable table;
    TestCodePage codePage;
};

struct ShapeCase
{
    const char *what;
    std::u16string character;
    Picture picture;
};

TEST_F(PreviewTest, glyphsHaveTheirShapeTopRowFirst)
{
    const ShapeCase cases[] = {
        {"backslash draws a yen sign", u"\\", {"#...#", ".#.#.", "#####", "..#..", "#####", "..#..", "..#.."}},
        {"tilde draws a right arrow", u"~", {".....", ".....", "..#..", "...#.", "#####", "...#.", "..#.."}},
        {"exclamation mark: four-dot stem, gap, dot",
         u"!",
         {"..#..", "..#..", "..#..", "..#..", ".....", ".....", "..#.."}},
        {"capital A", u"A", {".###.", "#...#", "#...#", "#...#", "#####", "#...#", "#...#"}},
        {"capital H", u"H", {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {"digit 0", u"0", {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {"underscore on the bottom row", u"_", {".....", ".....", ".....", ".....", ".....", ".....", "#####"}},
        {"space is dark", u" ", {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
        {"code 127 has no glyph and shows dark",
         u"\u007f",
         {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
    };
    for (const ShapeCase &c : cases) {
        SCOPED_TRACE(c.what);
        const auto preview = Preview(c.character);
        EXPECT_FALSE(preview.error);
        EXPECT_EQ(preview.rows, c.picture);
    }
}

TEST_F(PreviewTest, glyphsStandOneDarkColumnApart)
{
    const Picture hi = {"#...#...#..", "#...#......", "#...#..##..", "#####...#..",
                        "#...#...#..", "#...#...#..", "#...#..###."};
    EXPECT_EQ(Preview(u"Hi").rows, hi);
}

TEST_F(PreviewTest, aStoppedRunShowsTheCharactersBeforeTheStop)
{
    const auto preview = Preview(u"__\t_");
    ASSERT_TRUE(preview.error);
    EXPECT_EQ(preview.error->position, 3u);
    EXPECT_EQ(preview.rows[6], "#####.#####");
}

TEST_F(PreviewTest, malformedRowsAreNotParsed)
{
    for (const std::u16string_view row : {u"", u"&H7F , &H08 , &H08 , &H08 , &H7", u"&h7F , &H08 , &H08 , &H08 , &H7F",
                                          u"&H7f , &H08 , &H08 , &H08 , &H7F", u"&H7F ; &H08 , &H08 , &H08 , &H7F",
                                          u"&H7F , &H08 , &H08 , &H08 , &H7FF"})
        EXPECT_FALSE(qxm::ParseGlyphRow(row));
    EXPECT_EQ(qxm::ParseGlyphRow(u"&H7F , &H08 , &HA0 , &H00 , &HFF"), (qxm::GlyphColumns{0x7F, 8, 0xA0, 0, 0xFF}));
}

} // namespace
