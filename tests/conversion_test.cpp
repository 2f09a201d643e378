#include "core/conversion.h"
#include "core/glyphfont.h"
#include "core/preview.h"
#include "tests/testcodepage.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

namespace {

using qxm::RunTimeErrorKind;

struct Converted
{
    qxm::ConversionResult result;
    std::int16_t CharPos = 0;
};

// U+4E00 may get a code that no single-byte code page produces.
Converted Convert(std::u16string_view text, std::optional<std::int16_t> codeOf4E00 = {})
{
    TestCodePage codePage;
    if (codeOf4E00)
        codePage.overrides = {{u'\u4e00', *codeOf4E00}};
    Converted run;
    run.result = qxm::ConvertText(qxm::FilledCharData(), codePage, text, run.CharPos);
    return run;
}

TEST(ConversionTest, writesOneDataLinePerCharacter)
{
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"", u""},
        {u"Hi", u"Data &H7F , &H08 , &H08 , &H08 , &H7F  'H\r\nData &H00 , &H11 , &H5F , &H01 , &H00  'i\r\n"},
        {u"A", u"Data &H3F , &H44 , &H44 , &H44 , &H3F  'A\r\n"},
        {u" ", u"Data &H00 , &H00 , &H00 , &H00 , &H00  ' \r\n"},
        {u"!", u"Data &H00 , &H00 , &H79 , &H00 , &H00  '!\r\n"},
        {u"'", u"Data &H00 , &H50 , &H60 , &H00 , &H00  ''\r\n"},
        {u"\\", u"Data &H54 , &H34 , &H1F , &H34 , &H54  '\\\r\n"}, // a yen sign
        {u"~", u"Data &H04 , &H04 , &H15 , &H0E , &H04  '~\r\n"},   // a right arrow
        {u"\u007f\u00ff", u"Data   '\u007f\r\nData   '\u00ff\r\n"},
        {u"\u4e00", u"Data &H20 , &H40 , &H45 , &H48 , &H30  '?\r\n"},
    };
    for (const auto &[input, expected] : cases) {
        const Converted run = Convert(input);
        EXPECT_FALSE(run.result.error);
        EXPECT_EQ(run.result.text, expected);
        EXPECT_EQ(run.CharPos, static_cast<std::int16_t>(input.size() + 1));
    }
    EXPECT_EQ(Convert(u"\u4e00", 288).result.text, u"Data   '\u4e00\r\n");
}

TEST(ConversionTest, stopsAtACodeWithoutASlotWithTheLinesBeforeIt)
{
    const std::pair<std::int16_t, RunTimeErrorKind> cases[] = {
        {0, RunTimeErrorKind::SubscriptOutOfRange},      {9, RunTimeErrorKind::SubscriptOutOfRange},
        {31, RunTimeErrorKind::SubscriptOutOfRange},     {289, RunTimeErrorKind::SubscriptOutOfRange},
        {-32736, RunTimeErrorKind::SubscriptOutOfRange}, {-32737, RunTimeErrorKind::Overflow},
    };
    for (const auto &[code, kind] : cases) {
        SCOPED_TRACE(code);
        const Converted run = Convert(u"A\u4e00B", code);
        ASSERT_TRUE(run.result.error);
        EXPECT_EQ(run.result.error->kind(), kind);
        EXPECT_EQ(run.result.error->position, 2u);
        EXPECT_EQ(run.result.error->code, code);
        EXPECT_EQ(run.result.text, Convert(u"A").result.text);
        EXPECT_EQ(run.CharPos, 2);
    }
}

TEST(ConversionTest, thirtyTwoThousandSevenHundredAndSixtySevenCodeUnitsIsTheLimit)
{
    const Converted longest = Convert(std::u16string(qxm::kMaxTextLength, u'x'));
    EXPECT_FALSE(longest.result.error);
    EXPECT_EQ(longest.result.text.size(), qxm::kMaxTextLength * 43);
    EXPECT_EQ(longest.CharPos, 32767);

    std::u16string tooLong(qxm::kMaxTextLength + 1, u'x');
    tooLong[0] = u'\t'; // the length is checked before any character
    const Converted refused = Convert(tooLong);
    ASSERT_TRUE(refused.result.error);
    EXPECT_EQ(refused.result.error->kind(), RunTimeErrorKind::Overflow);
    EXPECT_EQ(refused.result.error->length, 32768u);
    EXPECT_TRUE(refused.result.text.empty());
}

TEST(PreviewTest, drawsTheGlyphsTopRowFirstOneDarkColumnApartUpToAStop)
{
    using Picture = std::array<std::string, qxm::kGlyphRows>;
    const std::pair<std::u16string, Picture> cases[] = {
        {u"\\", {"#...#", ".#.#.", "#####", "..#..", "#####", "..#..", "..#.."}},
        {u"~", {".....", ".....", "..#..", "...#.", "#####", "...#.", "..#.."}},
        {u"!", {"..#..", "..#..", "..#..", "..#..", ".....", ".....", "..#.."}},
        {u"\u00ff", {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
        {u"Hi\t!",
         {"#...#...#..", "#...#......", "#...#..##..", "#####...#..", "#...#...#..", "#...#...#..", "#...#..###."}},
    };
    for (const auto &[text, picture] : cases)
        EXPECT_EQ(qxm::PreviewText(qxm::BuiltInFont(), TestCodePage(), text).rows, picture);
}

} // namespace
