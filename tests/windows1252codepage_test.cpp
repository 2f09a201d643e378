#include "core/conversion.h"
#include "platform/windows1252codepage.h"

#include <gtest/gtest.h>

namespace {

const qxm::Windows1252CodePage &CodePage()
{
    return qxm::Windows1252CodePage::instance();
}

TEST(Windows1252CodePageTest, isAvailable)
{
    ASSERT_TRUE(CodePage().isValid());
}

TEST(Windows1252CodePageTest, mapsCharactersToTheirWindows1252Codes)
{
    const struct
    {
        char16_t unit;
        std::int16_t code;
    } cases[] = {
        {u'A', 65},       {u' ', 32},       {u'~', 126},      {u'\t', 9},       {u'\u001a', 26},
        {u'\u007f', 127}, {u'\u20ac', 128}, {u'\u201a', 130}, {u'\u0152', 140}, {u'\u017e', 158},
        {u'\u0178', 159}, {u'\u00a0', 160}, {u'\u00e9', 233}, {u'\u00ff', 255},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CodePage().CodeOf(c.unit), c.code) << "U+" << std::hex << int(c.unit);
}

TEST(Windows1252CodePageTest, charactersOutsideThePageGetTheQuestionMarkCode)
{
    for (const char16_t unit :
         {u'\u0100', u'\u2603', u'\u4e00', u'\ufffd', u'\ufeff', char16_t(0xD83D), char16_t(0xDE00), char16_t(0xDFFF)})
        EXPECT_EQ(CodePage().CodeOf(unit), '?') << "U+" << std::hex << int(unit);
}

TEST(Windows1252CodePageTest, everyCodeMapsBackToACharacterWithThatCode)
{
    for (std::int16_t code = 0; code < 256; ++code)
        EXPECT_EQ(CodePage().CodeOf(CodePage().CharOf(code)), code) << code;
    EXPECT_EQ(CodePage().CharOf(128), u'\u20ac');
    EXPECT_EQ(CodePage().CharOf(-1), u'?');
    EXPECT_EQ(CodePage().CharOf(256), u'?');
}

class Windows1252ConversionTest : public ::testing::Test
{
protected:
    void SetUp() override { qxm::FillCharData(table); }
    qxm::ConversionResult Convert(std::u16string_view text) const { return qxm::ConvertText(table, CodePage(), text); }
    qxm::CharDataTable table;
};

TEST_F(Windows1252ConversionTest, theEuroSignHasCode128AndAnEmptyRow)
{
    EXPECT_EQ(Convert(u"\u20ac").text, u"Data   '\u20ac\r\n");
}

TEST_F(Windows1252ConversionTest, unrepresentableCharactersConvertAsQuestionMarks)
{
    const std::u16string questionMark = u"Data &H20 , &H40 , &H45 , &H48 , &H30  '?\r\n";
    EXPECT_EQ(Convert(u"\u2603").text, questionMark);
    const auto pair = Convert(u"\U0001F600");
    EXPECT_FALSE(pair.error) << "the substitute byte must not reach the font lookup";
    EXPECT_EQ(pair.text, questionMark + questionMark) << "each half of a surrogate pair is a character";
}

TEST_F(Windows1252ConversionTest, theRealSubstituteControlCharacterStillStopsTheRun)
{
    const auto result = Convert(u"a\u001a");
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->code, 26);
    EXPECT_EQ(result.error->position, 2u);
}

} // namespace
