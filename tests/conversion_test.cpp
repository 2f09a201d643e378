#include "core/conversion.h"
#include "tests/testcodepage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using qxm::RunTimeError;
using qxm::RunTimeErrorKind;

struct Converted
{
    qxm::ConversionResult result;
    std::int16_t CharPos = 0;
};

Converted Convert(std::u16string_view text, const TestCodePage &codePage = {})
{
    Converted run;
    run.result = qxm::ConvertText(qxm::FilledCharData(), codePage, text, run.CharPos);
    return run;
}

struct LineCase
{
    const char *behaviour;
    std::u16string input;
    std::u16string expected;
};

class ConversionLineTest : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(ConversionLineTest, writesTheExpectedDataLines)
{
    const Converted run = Convert(GetParam().input);
    EXPECT_FALSE(run.result.error);
    EXPECT_EQ(run.result.text, GetParam().expected);
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
        LineCase{"exclamationMark", u"!", u"Data &H00 , &H00 , &H79 , &H00 , &H00  '!\r\n"},
        LineCase{"apostropheFollowsTheCommentMark", u"'", u"Data &H00 , &H50 , &H60 , &H00 , &H00  ''\r\n"},
        LineCase{"backslashDrawsTheYenSignButShowsTheBackslash", u"\\",
                 u"Data &H54 , &H34 , &H1F , &H34 , &H54  '\\\r\n"},
        LineCase{"tildeDrawsTheArrowButShowsTheTilde", u"~", u"Data &H04 , &H04 , &H15 , &H0E , &H04  '~\r\n"},
        LineCase{"codes127AndAboveHaveAnEmptyRow", u"\u007f\u00e9\u00ff",
                 u"Data   '\u007f\r\nData   '\u00e9\r\nData   '\u00ff\r\n"},
        LineCase{"eachHalfOfASurrogatePairIsACharacter", u"\U0001F600",
                 u"Data &H20 , &H40 , &H45 , &H48 , &H30  '?\r\nData &H20 , &H40 , &H45 , &H48 , &H30  '?\r\n"}),
    [](const auto &info) { return std::string(info.param.behaviour); });

struct StopCase
{
    const char *behaviour;
    std::int16_t code; // the code page's code for U+4E00, the second character
    RunTimeErrorKind kind;
};

class ConversionStopTest : public ::testing::TestWithParam<StopCase>
{
};

TEST_P(ConversionStopTest, stopsAtTheCharacterWithTheLinesBeforeIt)
{
    TestCodePage codePage;
    codePage.overrides = {{u'\u4e00', GetParam().code}};
    const Converted run = Convert(u"A\u4e00B", codePage);
    ASSERT_TRUE(run.result.error);
    EXPECT_EQ(run.result.error->kind, GetParam().kind);
    EXPECT_EQ(run.result.error->position, 2u);
    EXPECT_EQ(run.result.error->code, GetParam().code);
    EXPECT_EQ(run.result.text, Convert(u"A").result.text);
    EXPECT_EQ(run.CharPos, 2);
}

INSTANTIATE_TEST_SUITE_P(Codes, ConversionStopTest,
                         ::testing::Values(StopCase{"code0", 0, RunTimeErrorKind::SubscriptOutOfRange},
                                           StopCase{"tab", 9, RunTimeErrorKind::SubscriptOutOfRange},
                                           StopCase{"code31", 31, RunTimeErrorKind::SubscriptOutOfRange},
                                           StopCase{"code289", 289, RunTimeErrorKind::SubscriptOutOfRange},
                                           StopCase{"codeMinus32736", -32736, RunTimeErrorKind::SubscriptOutOfRange},
                                           StopCase{"codeMinus32737", -32737, RunTimeErrorKind::Overflow}),
                         [](const auto &info) { return std::string(info.param.behaviour); });

TEST(ConversionTest, codes32To288HaveASlot)
{
    TestCodePage codePage;
    codePage.overrides = {{u'\u4e00', 288}};
    EXPECT_EQ(Convert(u"\u4e00", codePage).result.text, u"Data   '\u4e00\r\n");
    EXPECT_FALSE(Convert(u" ").result.error);
}

TEST(ConversionTest, thirtyTwoThousandSevenHundredAndSixtySevenCharactersIsTheLimit)
{
    const Converted longest = Convert(std::u16string(qxm::kMaxTextLength, u'x'));
    EXPECT_FALSE(longest.result.error);
    EXPECT_EQ(longest.result.text.size(), qxm::kMaxTextLength * 43);
    EXPECT_EQ(longest.CharPos, 32767);

    std::u16string tooLong(qxm::kMaxTextLength + 1, u'x');
    tooLong[0] = u'\t'; // the length is checked before any character
    const Converted refused = Convert(tooLong);
    ASSERT_TRUE(refused.result.error);
    EXPECT_EQ(refused.result.error->kind, RunTimeErrorKind::Overflow);
    EXPECT_EQ(refused.result.error->cause, RunTimeError::Cause::TextTooLong);
    EXPECT_EQ(refused.result.error->length, 32768u);
    EXPECT_TRUE(refused.result.text.empty());
}

TEST(ConversionTest, aCompleteRunLeavesThePositionOnePastTheEnd)
{
    EXPECT_EQ(Convert(u"Hello").CharPos, 6);
    EXPECT_EQ(Convert(u"").CharPos, 1);
}

} // namespace
