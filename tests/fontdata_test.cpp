#include "core/conversion.h"
#include "core/fontdata.h"
#include "core/windows1252codepage.h"
#include "tests/testcodepage.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using qxm::ByteLayout;

qxm::FontDataOptions Options(const char *format, ByteLayout layout = {})
{
    qxm::FontDataOptions options;
    options.format = format;
    options.layout = layout;
    return options;
}

// The letter F, whose columns and rows all differ, in every layout: five
// columns or seven rows, each byte's first dot in the given bit.
TEST(FontDataTest, laysOutTheDotsInEveryLayout)
{
    const std::pair<ByteLayout, std::vector<int>> cases[] = {
        {{false, 6}, {0x7F, 0x48, 0x48, 0x48, 0x40}},
        {{false, 0}, {0x7F, 0x09, 0x09, 0x09, 0x01}},
        {{false, 7}, {0xFE, 0x90, 0x90, 0x90, 0x80}},
        {{true, 4}, {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
        {{true, 0}, {0x1F, 0x01, 0x01, 0x0F, 0x01, 0x01, 0x01}},
        {{true, 5}, {0x3E, 0x20, 0x20, 0x3C, 0x20, 0x20, 0x20}},
        {{true, 6}, {0x7C, 0x40, 0x40, 0x78, 0x40, 0x40, 0x40}},
        {{true, 7}, {0xF8, 0x80, 0x80, 0xF0, 0x80, 0x80, 0x80}},
    };
    for (const auto &[layout, expected] : cases) {
        const qxm::GlyphBytes laidOut = qxm::LayOutGlyph(*qxm::BuiltInFont()['F'], layout);
        const std::vector<int> bytes(laidOut.bytes.begin(), laidOut.bytes.begin() + laidOut.count);
        EXPECT_EQ(bytes, expected) << (layout.rows ? "rows, first bit " : "columns, first bit ") << layout.firstBit;
    }
}

// The converter window's lines and -f bascom are one and the same wherever
// both convert: only DEL and the C1 controls stop the command alone.
TEST(FontDataTest, bascomWritesTheConverterWindowsLineForEveryCodeUnit)
{
    const auto &codePage = qxm::Windows1252CodePage::Instance();
    for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
        const std::u16string text(1, static_cast<char16_t>(unit));
        std::int16_t CharPos = 0;
        const qxm::ConversionResult window = qxm::ConvertText(qxm::FilledCharData(), codePage, text, CharPos);
        const qxm::FontDataResult bascom = qxm::FormatText(qxm::BuiltInFont(), codePage, text, Options("bascom"));
        std::string windowUtf8;
        qxm::AppendText(windowUtf8, window.text);
        const bool controlStop =
            bascom.error && !window.error && qxm::IsControlAboveSpace(window.text[window.text.size() - 3]);
        EXPECT_EQ(controlStop ? std::string() : windowUtf8, bascom.text) << unit;
    }
}

// Firmware finds a code's glyph at table[code - FIRST]: every code between
// the first and the last glyph has its entry, and an empty table still
// compiles.
TEST(FontDataTest, writesTheWholeFontIndexedByCode)
{
    const std::tuple<std::vector<std::size_t>, const char *, std::string> cases[] = {
        {{33, 35},
         "c",
         "#define LEDTEXT_FIRST 33\n#define LEDTEXT_LAST 35\nconst unsigned char LedText[][5] = {\n"
         "    {0x00, 0x00, 0x79, 0x00, 0x00}, /* ! */\n    {0x00, 0x00, 0x00, 0x00, 0x00}, /* \" (no glyph) */\n"
         "    {0x14, 0x7F, 0x14, 0x7F, 0x14}, /* # */\n};\n#define LEDTEXT_COUNT 3\n"},
        {{127},
         "proton",
         "Symbol LedText_First = 127\r\nSymbol LedText_Last = 127\r\nLedText:\r\n"
         "CData $00, $00, $00, $00, $00  '(code 127)\r\n"},
        {{}, "bascom", "Const LedText_First = 32\r\nConst LedText_Last = 31\r\nLedText:\r\n"},
        {{}, "gcb", "#define LedText_First 32\r\n#define LedText_Last 31\r\nTable LedText\r\nEnd Table\r\n"},
    };
    for (const auto &[codes, format, expected] : cases) {
        qxm::GlyphFont font;
        for (const std::size_t code : codes)
            font[code] = code < 127 ? qxm::BuiltInFont()[code] : qxm::GlyphColumns{};
        EXPECT_EQ(qxm::FormatTable(font, TestCodePage(), Options(format)), expected) << format;
    }
}

} // namespace
