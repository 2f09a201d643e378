#include "core/conversion.h"
#include "core/fontdata.h"
#include "core/windows1252codepage.h"
#include "tests/testcodepage.h"

#include <gtest/gtest.h>

#include <cctype>
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

// Decodes each line's bytes (two hexadecimal digits after each prefix) back
// into the glyph's columns; a bit that is no dot's fails.
std::vector<qxm::GlyphColumns> Decode(const std::string &text, const std::string &prefix, const ByteLayout &layout)
{
    std::vector<qxm::GlyphColumns> glyphs(1);
    std::size_t byte = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\n') {
            if (byte == 0)
                continue; // a frame line
            EXPECT_EQ(byte, layout.rows ? 7u : 5u);
            glyphs.emplace_back();
            byte = 0;
        } else if (text.compare(at, prefix.size(), prefix) == 0 && std::isxdigit(text[at + prefix.size()]) != 0) {
            const auto value = std::stoul(text.substr(at + prefix.size(), 2), nullptr, 16);
            for (int bit = 0; bit < 8; ++bit) {
                const int dot = layout.firstBit == 0 ? bit : layout.firstBit - bit;
                if (((value >> bit) & 1U) == 0)
                    continue;
                EXPECT_TRUE(dot >= 0 && dot < (layout.rows ? 5 : 7)) << "bit " << bit;
                const auto row = static_cast<unsigned>(layout.rows ? byte : dot);
                glyphs.back()[layout.rows ? dot : byte] |= static_cast<std::uint8_t>(1U << (6 - row));
            }
            ++byte;
        }
    }
    glyphs.pop_back();
    return glyphs;
}

TEST(FontDataTest, everyFormatAndLayoutRoundTripsEveryGlyph)
{
    const std::pair<const char *, std::string> formats[] = {
        {"bascom", "&H"}, {"gcb", "0x"}, {"proton", "$"}, {"c", "0x"}, {"arduino", "0x"}};
    const TestCodePage codePage;
    for (const auto &[format, prefix] : formats) {
        for (const ByteLayout layout :
             {ByteLayout{false, 0}, {false, 6}, {false, 7}, {true, 0}, {true, 4}, {true, 5}, {true, 6}, {true, 7}}) {
            SCOPED_TRACE(std::string(format) + (layout.rows ? " rows " : " columns ")
                         + std::to_string(layout.firstBit));
            const auto text = qxm::FormatTable(qxm::BuiltInFont(), codePage, Options(format, layout));
            const std::vector<qxm::GlyphColumns> glyphs = Decode(text, prefix, layout);
            ASSERT_EQ(glyphs.size(), 95u);
            for (std::size_t code = 32; code < 127; ++code)
                EXPECT_EQ(glyphs[code - 32], qxm::BuiltInFont()[code]) << "code " << code;
        }
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
        EXPECT_EQ(controlStop ? windowUtf8.substr(0, 0) : windowUtf8, bascom.text) << unit;
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
        {{},
         "arduino",
         "#ifdef __AVR__\n#include <avr/pgmspace.h>\n#endif\n#ifndef PROGMEM\n#define PROGMEM\n#endif\n"
         "#define LEDTEXT_FIRST 32\n#define LEDTEXT_LAST 31\nconst unsigned char LedText[][5] PROGMEM = {\n"
         "    {0x00, 0x00, 0x00, 0x00, 0x00} /* a blank entry: nothing was converted */\n};\n#define LEDTEXT_COUNT "
         "0\n"},
    };
    for (const auto &[codes, format, expected] : cases) {
        qxm::GlyphFont font;
        for (const std::size_t code : codes)
            font[code] = code < 127 ? qxm::BuiltInFont()[code] : qxm::GlyphColumns{};
        EXPECT_EQ(qxm::FormatTable(font, TestCodePage(), Options(format)), expected) << format;
    }
}

} // namespace
