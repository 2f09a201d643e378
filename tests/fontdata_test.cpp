#include "core/fontdata.h"
#include "core/runtimeerrortext.h"
#include "core/windows1252codepage.h"
#include "tests/testcodepage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace {

// The options as the command line gives them; nullptr for one left out.
qxm::OptionsChoice Choose(const char *format, const char *size = nullptr, bool proportional = false, bool rows = false,
                          const char *firstBit = nullptr)
{
    qxm::OptionChoices choices;
    choices.format = format;
    choices.rows = rows;
    if (firstBit)
        choices.firstBit = firstBit;
    if (size)
        choices.size = size;
    choices.proportional = proportional;
    return qxm::ChooseOptions(choices);
}

qxm::FontDataOptions Options(const char *format, const char *size = nullptr, bool proportional = false,
                             bool rows = false, const char *firstBit = nullptr)
{
    const qxm::OptionsChoice choice = Choose(format, size, proportional, rows, firstBit);
    EXPECT_EQ(choice.refusal, "");
    return choice.options;
}

// A glyph whose every corner is lit, and so the first and last bit of each
// byte, column and row, in a cell of two bytes either way.
qxm::Glyph Corners(qxm::CellSize cell)
{
    qxm::Glyph glyph(cell.width, cell.height);
    for (const int column : {0, cell.width - 1}) {
        for (const int row : {0, cell.height - 1})
            glyph.SetDot(column, row);
    }
    return glyph;
}

// The letter F, whose columns and rows all differ, in every layout of its
// own cell, and corners in a cell that takes two bytes a column and a row.
TEST(FontDataTest, laysOutTheDotsInEveryLayout)
{
    const qxm::Glyph letterF = *qxm::BuiltInFont().glyphs['F'];
    const std::tuple<qxm::Glyph, const char *, bool, const char *, std::vector<int>> cases[] = {
        {letterF, "5x7", false, nullptr, {0x7F, 0x48, 0x48, 0x48, 0x40}},
        {letterF, "5x7", false, "0", {0x7F, 0x09, 0x09, 0x09, 0x01}},
        {letterF, "5x7", false, "7", {0xFE, 0x90, 0x90, 0x90, 0x80}},
        {letterF, "5x7", true, nullptr, {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
        {letterF, "5x7", true, "0", {0x1F, 0x01, 0x01, 0x0F, 0x01, 0x01, 0x01}},
        {letterF, "5x7", true, "7", {0xF8, 0x80, 0x80, 0xF0, 0x80, 0x80, 0x80}},
        {Corners({3, 10}), "3x10", false, nullptr, {0x01, 0x02, 0x00, 0x00, 0x01, 0x02}},
        {Corners({3, 10}), "3x10", false, "7", {0x80, 0x40, 0x00, 0x00, 0x80, 0x40}},
        {Corners({10, 2}), "10x2", true, nullptr, {0x80, 0x40, 0x80, 0x40}},
        {Corners({10, 2}), "10x2", true, "0", {0x01, 0x02, 0x01, 0x02}},
    };
    for (const auto &[glyph, size, rows, firstBit, expected] : cases) {
        const qxm::GlyphBytes laidOut = qxm::LayOutGlyph(glyph, Options("c", size, false, rows, firstBit).layout);
        const std::vector<int> bytes(laidOut.bytes.begin(), laidOut.bytes.begin() + laidOut.count);
        EXPECT_EQ(bytes, expected) << size << (rows ? " rows, first bit " : " columns, first bit ")
                                   << (firstBit ? firstBit : "default");
    }
}

// Every code unit through the converter window's conversion, its lines and
// its stop messages, as one fingerprint taken before the font became dots.
TEST(FontDataTest, convertsEveryCodeUnitAsTheConverterWindowAlwaysHas)
{
    std::uint64_t fingerprint = 1469598103934665603ULL; // FNV-1a
    const auto add = [&](const std::string &bytes) {
        for (const unsigned char byte : bytes)
            fingerprint = (fingerprint ^ byte) * 1099511628211ULL;
    };
    for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
        const qxm::FontDataResult run = qxm::ConvertText(qxm::BuiltInFont(), qxm::Windows1252CodePage::Instance(),
                                                         std::u16string(1, static_cast<char16_t>(unit)));
        add(run.text);
        add(run.error ? qxm::DescribeRunTimeError(*run.error) : std::string());
        add("\n");
    }
    EXPECT_EQ(fingerprint, 0x1ac4e32e291df9efULL);
}

// Firmware finds a code's glyph at table[code - FIRST]: every code between
// the first and the last glyph has its entry, and an empty table still
// compiles; a chosen cell and proportional glyphs are stated beside them.
TEST(FontDataTest, writesTheWholeFontIndexedByCode)
{
    const std::tuple<std::vector<std::size_t>, qxm::FontDataOptions, std::string> cases[] = {
        {{33, 35},
         Options("c"),
         "#define LEDTEXT_FIRST 33\n#define LEDTEXT_LAST 35\nconst unsigned char LedText[][5] = {\n"
         "    {0x00, 0x00, 0x79, 0x00, 0x00}, /* ! */\n    {0x00, 0x00, 0x00, 0x00, 0x00}, /* \" (no glyph) */\n"
         "    {0x14, 0x7F, 0x14, 0x7F, 0x14}, /* # */\n};\n#define LEDTEXT_COUNT 3\n"},
        {{127},
         Options("proton"),
         "Symbol LedText_First = 127\r\nSymbol LedText_Last = 127\r\nLedText:\r\n"
         "CData $00, $00, $00, $00, $00  '(code 127)\r\n"},
        {{}, Options("bascom"), "Const LedText_First = 32\r\nConst LedText_Last = 31\r\nLedText:\r\n"},
        {{}, Options("gcb"), "#define LedText_First 32\r\n#define LedText_Last 31\r\nTable LedText\r\nEnd Table\r\n"},
        {{33, 34},
         Options("arduino", "6x9", true),
         std::string("#ifdef __AVR__\n#include <avr/pgmspace.h>\n#endif\n#ifndef PROGMEM\n#define PROGMEM\n#endif\n")
             + "#define LEDTEXT_WIDTH 6\n#define LEDTEXT_HEIGHT 9\n#define LEDTEXT_FIRST 33\n#define LEDTEXT_LAST 34\n"
               "const unsigned char LedText[][12] PROGMEM = {\n"
               "    {0x4F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, /* ! */\n"
               "    {0x07, 0x00, 0x00, 0x00, 0x07, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, /* \" */\n"
               "};\n#define LEDTEXT_COUNT 2\nconst unsigned char LedText_Widths[] PROGMEM = {\n    1, 3\n};\n"},
        {{32, 33},
         Options("bascom", "5x7", true),
         "Const LedText_Width = 5\r\nConst LedText_Height = 7\r\nConst LedText_First = 32\r\n"
         "Const LedText_Last = 33\r\nLedText:\r\nData &H00 , &H00 , &H00 , &H00 , &H00  ' \r\n"
         "Data &H79 , &H00 , &H00 , &H00 , &H00  '!\r\nLedText_Widths:\r\nData 3 , 1\r\n"},
        {{32, 33, 35},
         Options("adafruit-gfx", "5x7"),
         "#define LEDTEXT_WIDTH 5\n#define LEDTEXT_HEIGHT 7\n#define LEDTEXT_FIRST 32\n#define LEDTEXT_LAST 35\n/* the "
         "cursor's y for the cell's top row at y = 0 */\n"
         "#define LEDTEXT_BASELINE 6\nconst uint8_t LedTextBitmaps[] PROGMEM = {\n    0xF2, /* 0x21 ! */\n"
         "    0x52, 0xBE, 0xAF, 0xA9, 0x40, /* 0x23 # */\n};\n"
         "/* bitmapOffset, width, height, xAdvance, xOffset, yOffset */\nconst GFXglyph LedTextGlyphs[] PROGMEM = {\n"
         "    {0, 0, 0, 6, 0, 0}, /* 0x20 */\n    {0, 1, 7, 6, 2, -6}, /* 0x21 ! */\n"
         "    {1, 0, 0, 0, 0, 0}, /* 0x22 \" (no glyph) */\n    {1, 5, 7, 6, 0, -6}, /* 0x23 # */\n};\n"
         "const GFXfont LedText PROGMEM = {(uint8_t *)LedTextBitmaps, (GFXglyph *)LedTextGlyphs, 32, 35, 8};\n"},
    };
    for (const auto &[codes, options, expected] : cases) {
        qxm::GlyphFont font = *qxm::FontInCell(qxm::BuiltInFont(), options.cell);
        for (std::size_t code = 0; code < font.glyphs.size(); ++code) {
            if (std::find(codes.begin(), codes.end(), code) == codes.end())
                font.glyphs[code].reset();
            else if (!font.glyphs[code])
                font.glyphs[code] = qxm::Glyph(options.cell.width, options.cell.height);
        }
        const std::string written = qxm::FormatTable(qxm::FontForRun(font, options), TestCodePage(), options);
        // A GFX font's structures come first, as the library declares them.
        const bool gfx = options.format == qxm::Format::AdafruitGfx;
        EXPECT_EQ(written.substr(gfx ? written.find("#define LEDTEXT") : 0), expected)
            << qxm::InfoOf(options.format).id;
    }
}

// Options the command line gives as text, refused with the reason.
TEST(FontDataTest, refusesOptionsThatDoNotMakeSource)
{
    const std::tuple<const char *, const char *, const char *, bool, std::string> cases[] = {
        {"c", "0x8", nullptr, false, "--size '0x8' is not a cell from 1x1 to 32x32"},
        {"c", "33x8", nullptr, false, "--size '33x8' is not a cell"},
        {"c", "8*8", nullptr, false, "--size '8*8' is not a cell"},
        {"c", "8x8", "6", false, "--first-bit 6 is not a bit that leaves room for every dot: use 0 or 7"},
        {"c", "4x8", "2", true, "use 0, 3, 4, 5, 6 or 7 with --rows"},
        {"c", nullptr, "x", false, "use 0, 6 or 7"},
        {"pascal", nullptr, nullptr, false, "unknown format 'pascal': use one of bascom, gcb, proton, c, arduino"},
        {"max72xx", "8x9", nullptr, false, "--size '8x9' is 9 dots high: max72xx keeps a column in one byte"},
        {"luma", "5x16", nullptr, false, "--size '5x16' is 16 dots high: luma keeps a column in one byte"},
    };
    for (const auto &[format, size, firstBit, rows, refusal] : cases) {
        const std::string refused = Choose(format, size, false, rows, firstBit).refusal;
        EXPECT_NE(refused.find(refusal), std::string::npos) << refused;
    }
}

// Every C format refuses the names C, its library and the headers a sketch
// includes use, by the patterns they follow or by name, and takes the rest.
TEST(FontDataTest, refusesTheNamesCSourceAlreadyHas)
{
    const std::pair<const char *, bool> cases[] = {
        {"_font", true},  {"FONT_5X7", true}, {"Font_5X7", false}, {"string", true},   {"strFont", false},
        {"isLed", true},  {"is5", false},     {"today", true},     {"EFont", true},    {"Egg", false},
        {"PRIx8", true},  {"PRIMO", true},    {"PRIMo", false},    {"pgm_font", true}, {"pgmFont", false},
        {"font_t", true}, {"fontP", false},   {"font_P", true},    {"Serial", true},   {"serial", false},
        {"sinf", true},   {"sqrtl", true},    {"sinus", false},    {"GFXfont", true},  {"word", true},
    };
    for (const qxm::Format format : {qxm::Format::C, qxm::Format::Arduino, qxm::Format::AdafruitGfx}) {
        for (const auto &[name, reserved] : cases)
            EXPECT_EQ(qxm::IsReservedName(format, name), reserved) << name << " in " << qxm::InfoOf(format).id;
    }
    EXPECT_FALSE(qxm::IsReservedName(qxm::Format::Bascom, "Serial"));
}

} // namespace
