#include "core/conversion.h"
#include "tests/testcodepage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using qxm::RunTimeError;
using qxm::RunTimeErrorKind;

class ConversionTest : public ::testing::Test
{
protected:
    void SetUp() override { qxm::FillCharData(table); }

    qxm::ConversionResult Convert(std::u16string_view text) { return qxm::ConvertText(table, codePage, text, CharPos); }

    qxm::CharDataTable table;
    TestCodePage codePage;
    std::int16_t CharPos = 0;
};

std::vector<std::u16string> Lines(const std::u16string &text)
{
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(u"\r\n", start)) != std::u16string::npos; start = end + 2)
        lines.push_back(text.substr(start, end + 2 - start));
    EXPECT_EQ(start, text.size()) << "the text must end with CR LF";
    return lines;
}

struct LineCase
{
    const char *behaviour;
    std::u16string input;
    std::u16string expected;
};

void PrintTo(const LineCase &c, std::ostream *out)
{
    *out << c.behaviour;
}

class ConversionLineTest : public ConversionTest, public ::testing::WithParamInterface<LineCase>
{
};

TEST_P(ConversionLineTest, writesTheExpectedDataLines)
{
    const auto result = Convert(GetParam().input);
    EXPECT_FALSE(result.error);
    EXPECT_EQ(result.text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, ConversionLineTest,
    ::testing::Values(
        LineCase{"emptyTextGivesNoLine", u"", u""},
        LineCase{"oneLinePerCharacterInOrder", u"Hi",
                 u"Data &H7F , &H08 , &H08 , &H08 , &H7F  'H\r\n"
                 u"Data &H00 , &H11 , &H5F , &H01 , &H00  'i\r\n"},
        LineCase{"letterA", u"A", u"Data &H3F , &H44 , &H44 , &H44 , &H3F  'A\r\n"},
        LineCase{"spaceIsFiveDarkColumns", u" ", u"Data &H00 , &H00 , &H00 , &H00 , &H00  ' \r\n"},
        LineCase{"apostropheFollowsTheCommentMark", u"'", u"Data &H00 , &H50 , &H60 , &H00 , &H00  ''\r\n"},
        LineCase{"backslashDrawsTheYenSignButShowsTheBackslash", u"\\",
                 u"Data &H54 , &H34 , &H1F , &H34 , &H54  '\\\r\n"},
        LineCase{"tildeDrawsTheArrowButShowsTheTilde", u"~", u"Data &H04 , &H04 , &H15 , &H0E , &H04  '~\r\n"},
        LineCase{"code127HasAnEmptyRow", u"\u007f", u"Data   '\u007f\r\n"},
        LineCase{"codesAbove127HaveAnEmptyRow", u"\u00e9\u00ff", u"Data   '\u00e9\r\nData   '\u00ff\r\n"},
        LineCase{"aCharacterOutsideTheCodePageShowsAsQuestionMark", u"\u2603",
                 u"Data &H20 , &H40 , &H45 , &H48 , &H30  '?\r\n"}),
    [](const auto &info) { return std::string(info.param.behaviour); });

TEST_F(ConversionTest, everyControlCharacterStopsTheRunWithTheLinesBeforeIt)
{
    for (char16_t control = 0; control < 32; ++control) {
        SCOPED_TRACE("code " + std::to_string(control));
        const std::u16string text = std::u16string(u"ab") + control + u"c";
        const auto result = Convert(text);
        ASSERT_TRUE(result.error);
        EXPECT_EQ(result.error->kind, RunTimeErrorKind::SubscriptOutOfRange);
        EXPECT_EQ(result.error->cause, RunTimeError::Cause::NoGlyphSlot);
        EXPECT_EQ(result.error->position, 3u);
        EXPECT_EQ(result.error->character, control);
        EXPECT_EQ(result.error->code, control);
        EXPECT_EQ(result.text, Convert(u"ab").text);
        EXPECT_EQ(CharPos, 3) << "the position stays on the stopping character";
    }
}

TEST_F(ConversionTest, aStopAtTheFirstCharacterLeavesTheOutputEmpty)
{
    const auto result = Convert(u"\tabc");
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->position, 1u);
    EXPECT_TRUE(result.text.empty());
}

struct CodeCase
{
    std::int16_t code;
    bool converts;
    RunTimeErrorKind kind;
};

TEST_F(ConversionTest, theSlotRangeEndsAtCode288AndCodeMinus32736)
{
    const CodeCase cases[] = {
        {288, true, {}},
        {289, false, RunTimeErrorKind::SubscriptOutOfRange},
        {32767, false, RunTimeErrorKind::SubscriptOutOfRange},
        {31, false, RunTimeErrorKind::SubscriptOutOfRange},
        {-1, false, RunTimeErrorKind::SubscriptOutOfRange},
        {-32736, false, RunTimeErrorKind::SubscriptOutOfRange},
        {-32737, false, RunTimeErrorKind::Overflow},
        {-32768, false, RunTimeErrorKind::Overflow},
    };
    for (const CodeCase &c : cases) {
        SCOPED_TRACE("code " + std::to_string(c.code));
        codePage.overrides = {{u'\u4e00', c.code}};
        const auto result = Convert(u"A\u4e00");
        EXPECT_EQ(!result.error, c.converts);
        if (c.converts) {
            EXPECT_EQ(Lines(result.text).back(), u"Data   '\u4e00\r\n");
            continue;
        }
        ASSERT_TRUE(result.error);
        EXPECT_EQ(result.error->kind, c.kind);
        EXPECT_EQ(result.error->position, 2u);
        EXPECT_EQ(result.error->code, c.code);
        EXPECT_EQ(Lines(result.text).size(), 1u);
    }
}

TEST_F(ConversionTest, theLongestTextConvertsCompletely)
{
    const std::u16string text(qxm::kMaxTextLength, u'x');
    const auto result = Convert(text);
    EXPECT_FALSE(result.error) << "a complete run is not an overflow";
    EXPECT_EQ(Lines(result.text).size(), qxm::kMaxTextLength);
    EXPECT_EQ(CharPos, 32767);
}

TEST_F(ConversionTest, aTextTooLongForSixteenBitsIsRefusedWithEmptyOutput)
{
    for (const std::size_t length : {qxm::kMaxTextLength + 1, std::size_t{100000}}) {
        const auto result = Convert(std::u16string(length, u'x'));
        ASSERT_TRUE(result.error);
        EXPECT_EQ(result.error->kind, RunTimeErrorKind::Overflow);
        EXPECT_EQ(result.error->cause, RunTimeError::Cause::TextTooLong);
        EXPECT_EQ(result.error->length, length);
        EXPECT_TRUE(result.text.empty());
    }
}

TEST_F(ConversionTest, tooLongIsCheckedBeforeAnyCharacter)
{
    std::u16string text(qxm::kMaxTextLength + 1, u'x');
    text[0] = u'\t';
    const auto result = Convert(text);
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->cause, RunTimeError::Cause::TextTooLong);
}

TEST_F(ConversionTest, aCompleteRunLeavesThePositionOnePastTheEnd)
{
    Convert(u"Hello");
    EXPECT_EQ(CharPos, 6);
    Convert(u"");
    EXPECT_EQ(CharPos, 1);
}

TEST_F(ConversionTest, typingOneMoreCharacterOnlyAddsItsLine)
{
    const std::u16string before = u"QXM 5x7!";
    const auto shorter = Lines(Convert(before).text);
    auto longer = Lines(Convert(before + u"?").text);
    ASSERT_EQ(longer.size(), shorter.size() + 1);
    EXPECT_EQ(longer.back(), u"Data &H20 , &H40 , &H45 , &H48 , &H30  '?\r\n");
    longer.pop_back();
    EXPECT_EQ(longer, shorter);
}

TEST_F(ConversionTest, deletingAMiddleCharacterRemovesExactlyItsLine)
{
    auto full = Lines(Convert(u"abcde").text);
    const auto shorter = Lines(Convert(u"abde").text);
    full.erase(full.begin() + 2);
    EXPECT_EQ(full, shorter);
}

TEST_F(ConversionTest, surrogatePairsCountAsTwoCharacters)
{
    const auto result = Convert(u"a\U0001F600b");
    EXPECT_FALSE(result.error);
    EXPECT_EQ(Lines(result.text).size(), 4u);
}

} // namespace
