#include "core/conversion.h"
#include "platform/windows1252codepage.h"

#include <gtest/gtest.h>

namespace {

const qxm::Windows1252CodePage &CodePage()
{
    return qxm::Windows1252CodePage::instance();
}

TEST(Windows1252CodePageTest, mapsCharactersToTheirWindows1252CodesAndTheRestToQuestionMarks)
{
    ASSERT_TRUE(CodePage().isValid());
    const struct
    {
        char16_t unit;
        std::int16_t code;
    } cases[] = {
        {u'A', 65},       {u'~', 126},      {u'\t', 9},       {u'\u001a', 26},  {u'\u007f', 127},
        {u'\u20ac', 128}, {u'\u0178', 159}, {u'\u00a0', 160}, {u'\u00ff', 255}, {u'\u0100', '?'},
        {u'\u2603', '?'}, {u'\ufffd', '?'}, {0xD83D, '?'},    {0xDE00, '?'},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CodePage().CodeOf(c.unit), c.code) << "U+" << std::hex << int(c.unit);
}

TEST(Windows1252CodePageTest, everyCodeMapsBackToACharacterWithThatCode)
{
    for (std::int16_t code = 0; code < 256; ++code)
        EXPECT_EQ(CodePage().CodeOf(CodePage().CharOf(code)), code) << code;
    EXPECT_EQ(CodePage().CharOf(128), u'\u20ac');
}

TEST(Windows1252CodePageTest, onlyTheRealSubstituteControlCharacterStopsTheRun)
{
    const auto snowman = qxm::ConvertText(qxm::FilledCharData(), CodePage(), u"\u2603");
    EXPECT_EQ(snowman.text, u"Data &H20 , &H40 , &H45 , &H48 , &H30  '?\r\n");
    const auto substitute = qxm::ConvertText(qxm::FilledCharData(), CodePage(), u"a\u001a");
    ASSERT_TRUE(substitute.error);
    EXPECT_EQ(substitute.error->code, 26);
}

} // namespace
