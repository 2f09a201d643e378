#include "core/glyphfont.h"
#include "core/preview.h"
#include "tests/testcodepage.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using Picture = std::array<std::string, qxm::kGlyphRows>;

qxm::Preview PreviewOf(std::u16string_view text)
{
    return qxm::PreviewText(qxm::BuiltInFont(), TestCodePage(), text);
}

TEST(PreviewTest, glyphsHaveTheirShapeTopRowFirstOneDarkColumnApart)
{
    const struct
    {
        std::u16string text;
        Picture picture;
    } cases[] = {
        {u"\\", {"#...#", ".#.#.", "#####", "..#..", "#####", "..#..", "..#.."}}, // a yen sign
        {u"~", {".....", ".....", "..#..", "...#.", "#####", "...#.", "..#.."}},  // a right arrow
        {u"!", {"..#..", "..#..", "..#..", "..#..", ".....", ".....", "..#.."}},
        {u"\u007f", {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
        {u"Hi",
         {"#...#...#..", "#...#......", "#...#..##..", "#####...#..", "#...#...#..", "#...#...#..", "#...#..###."}},
    };
    for (const auto &c : cases) {
        const qxm::Preview preview = PreviewOf(c.text);
        EXPECT_FALSE(preview.error);
        EXPECT_EQ(preview.rows, c.picture);
    }
}

TEST(PreviewTest, aStoppedRunShowsTheCharactersBeforeTheStop)
{
    const qxm::Preview preview = PreviewOf(u"__\t_");
    ASSERT_TRUE(preview.error);
    EXPECT_EQ(preview.error->position, 3u);
    EXPECT_EQ(preview.rows[6], "#####.#####");
}

} // namespace
