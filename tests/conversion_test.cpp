#include "core/conversion.h"
#include "core/fontdata.h"
#include "core/glyphfont.h"
#include "core/preview.h"
#include "tests/testcodepage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace {

using qxm::RunTimeErrorKind;

// U+4E00 may get a code that no single-byte code page produces.
qxm::FontDataResult Convert(std::u16string_view text, std::optional<std::int16_t> codeOf4E00 = {})
{
    TestCodePage codePage;
    if (codeOf4E00)
        codePage.overrides = {{u'\u4e00', *codeOf4E00}};
    return qxm::ConvertText(qxm::BuiltInFont(), codePage, text);
}

TEST(ConversionTest, writesOneDataLinePerCharacter)
{
    const std::pair<std::u16string, std::string> cases[] = {
        {u"", ""},
        {u"Hi", "Data &H7F , &H08 , &H08 , &H08 , &H7F  'H\r\nData &H00 , &H11 , &H5F , &H01 , &H00  'i\r\n"},
        {u" ", "Data &H00 , &H00 , &H00 , &H00 , &H00  ' \r\n"},
        {u"'", "Data &H00 , &H50 , &H60 , &H00 , &H00  ''\r\n"},
        {u"\\", "Data &H54 , &H34 , &H1F , &H34 , &H54  '\\\r\n"}, // a yen sign
        {u"~", "Data &H04 , &H04 , &H15 , &H0E , &H04  '~\r\n"},   // a right arrow
        {u"\u007f\u00ff", "Data   '\x7f\r\nData   '\xc3\xbf\r\n"},
        {u"\u4e00", "Data &H20 , &H40 , &H45 , &H48 , &H30  '?\r\n"},
    };
    for (const auto &[input, expected] : cases) {
        const qxm::FontDataResult run = Convert(input);
        EXPECT_FALSE(run.error);
        EXPECT_EQ(run.text, expected);
        EXPECT_EQ(qxm::CharPosAfter(input.size(), run.error), static_cast<std::int16_t>(input.size() + 1));
    }
    EXPECT_EQ(Convert(u"\u4e00", 288).text, "Data   '\xe4\xb8\x80\r\n");
}

TEST(ConversionTest, stopsAtACodeWithoutASlotWithTheLinesBeforeIt)
{
    const std::pair<std::int16_t, RunTimeErrorKind> cases[] = {
        {0, RunTimeErrorKind::SubscriptOutOfRange},   {31, RunTimeErrorKind::SubscriptOutOfRange},
        {289, RunTimeErrorKind::SubscriptOutOfRange}, {-32736, RunTimeErrorKind::SubscriptOutOfRange},
        {-32737, RunTimeErrorKind::Overflow},
    };
    for (const auto &[code, kind] : cases) {
        SCOPED_TRACE(code);
        const qxm::FontDataResult run = Convert(u"A\u4e00B", code);
        ASSERT_TRUE(run.error);
        EXPECT_EQ(run.error->Kind(), kind);
        EXPECT_EQ(run.error->position, 2u);
        EXPECT_EQ(run.error->code, code);
        EXPECT_EQ(run.text, Convert(u"A").text);
        EXPECT_EQ(qxm::CharPosAfter(3, run.error), 2);
    }
}

TEST(ConversionTest, thirtyTwoThousandSevenHundredAndSixtySevenCodeUnitsIsTheLimit)
{
    const qxm::FontDataResult longest = Convert(std::u16string(qxm::kMaxTextLength, u'x'));
    EXPECT_FALSE(longest.error);
    EXPECT_EQ(longest.text.size(), qxm::kMaxTextLength * 43);
    EXPECT_EQ(qxm::CharPosAfter(qxm::kMaxTextLength, longest.error), 32767);

    std::u16string tooLong(qxm::kMaxTextLength + 1, u'x');
    tooLong[0] = u'\t'; // the length is checked before any character
    const qxm::FontDataResult refused = Convert(tooLong);
    ASSERT_TRUE(refused.error);
    EXPECT_EQ(refused.error->Kind(), RunTimeErrorKind::Overflow);
    EXPECT_EQ(refused.error->length, 32768u);
    EXPECT_TRUE(refused.text.empty());
}

TEST(PreviewTest, drawsTheGlyphsTopRowFirstOneDarkColumnApartUpToAStop)
{
    const qxm::GlyphFont proportional = qxm::ProportionalFont(qxm::BuiltInFont());
    const qxm::GlyphFont tall = *qxm::FontInCell(qxm::BuiltInFont(), {6, 8});
    const std::tuple<const qxm::GlyphFont *, std::u16string, std::vector<std::string>> cases[] = {
        {&qxm::BuiltInFont(), u"\\", {"#...#", ".#.#.", "#####", "..#..", "#####", "..#..", "..#.."}},
        {&qxm::BuiltInFont(), u"\u00ff", {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
        {&qxm::BuiltInFont(),
         u"Hi\t!",
         {"#...#...#..", "#...#......", "#...#..##..", "#####...#..", "#...#...#..", "#...#...#..", "#...#..###."}},
        {&proportional,
         u"i! \u00ff",
         {".#..#........", "....#........", "##..#........", ".#..#........", ".#...........", ".#...........",
          "###.#........"}},
        {&tall, u"!", {"..#...", "..#...", "..#...", "..#...", "......", "......", "..#...", "......"}},
    };
    for (const auto &[font, text, picture] : cases) {
        EXPECT_EQ(qxm::PreviewText(*font, TestCodePage(), text).rows, picture);
        // Any range of columns, as a view draws them, is the same picture's.
        const qxm::PreviewStrip strip(*font, TestCodePage(), text);
        for (const std::size_t first : {0, 2, 6, 12}) {
            std::vector<std::string> window;
            for (const std::string &row : picture)
                window.push_back(row.substr(std::min(first, row.size()), 5));
            EXPECT_EQ(strip.Window(first, 5), window) << first;
        }
    }
    // The glyph a column shows: H, the dark column after it, then i.
    const qxm::PreviewStrip hi(qxm::BuiltInFont(), TestCodePage(), u"Hi");
    EXPECT_EQ((std::vector<int>{hi.CodeAt(4), hi.CodeAt(5), hi.CodeAt(6), hi.CodeAt(11)}),
              (std::vector<int>{'H', -1, 'i', -1}));
}

} // namespace
