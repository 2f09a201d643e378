#include "ansicodepage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Off Windows the ANSI code page is Windows-1252.
struct AnsiCase
{
    const char *behaviour;
    QString text;
    std::string bytes;
};

void PrintTo(const AnsiCase &c, std::ostream *out)
{
    *out << c.behaviour;
}

class AnsiCodePageTest : public ::testing::TestWithParam<AnsiCase>
{
};

TEST_P(AnsiCodePageTest, convertsTextToBytes)
{
    EXPECT_EQ(qxm::ToAnsiCodePage(GetParam().text), GetParam().bytes);
}

TEST_P(AnsiCodePageTest, convertsBytesBackToText)
{
    EXPECT_EQ(qxm::FromAnsiCodePage(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    RoundTrip, AnsiCodePageTest,
    ::testing::Values(AnsiCase{"asciiIsUnchanged", QStringLiteral("Software\\QXM"), "Software\\QXM"},
                      AnsiCase{"latinLettersTakeOneByteEach", QString::fromUtf8("caf\u00e9 \u00ff"), "caf\xE9 \xFF"},
                      AnsiCase{"theEuroSignIsCode128", QString::fromUtf8("\u20ac"), "\x80"},
                      AnsiCase{"anEmbeddedNulIsKept", QString(QChar(u'a')) + QChar(u'\0') + QChar(u'b'),
                               std::string("a\0b", 3)},
                      AnsiCase{"emptyStaysEmpty", QString(), ""}),
    [](const auto &info) { return std::string(info.param.behaviour); });

TEST(AnsiCodePageTest, aCharacterOutsideTheCodePageBecomesAQuestionMark)
{
    EXPECT_EQ(qxm::ToAnsiCodePage(QString::fromUtf8("a\u2603b")), "a?b");
}

} // namespace
