#include "core/fontdata.h"
#include "tests/testcodepage.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
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

TEST(FontDataTest, eachFormatWritesItsLinesInsideItsFrame)
{
    const struct
    {
        qxm::FontDataOptions options;
        std::string output;
    } cases[] = {
        {Options("bascom"), "Data &H7F , &H08 , &H08 , &H08 , &H7F  'H\r\nData   '\xC3\xA9\r\n"},
        {Options("gcb"),
         "Table LedText\r\n0x7F, 0x08, 0x08, 0x08, 0x7F  'H\r\n0x00, 0x00, 0x00, 0x00, 0x00  '\xC3\xA9\r\n"
         "End Table\r\n"},
        {Options("proton"),
         "LedText:\r\nCData $7F, $08, $08, $08, $7F  'H\r\nCData $00, $00, $00, $00, $00  '\xC3\xA9\r\n"},
        {Options("c", {true, 4}),
         "const unsigned char LedText[][7] = {\n    {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}, "
         "/* H */\n    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, /* \xC3\xA9 */\n};\n"},
    };
    const TestCodePage codePage;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.output);
        const auto lines = qxm::FormatText(qxm::BuiltInFont(), codePage, u"H\u00e9", c.options).text;
        EXPECT_EQ(qxm::FontDataHeader(c.options) + lines + qxm::FontDataFooter(c.options), c.output);
    }
}

// Decodes each line's bytes (two hexadecimal digits after each prefix) back
// into the glyph's columns; a bit that is no dot's fails.
std::vector<qxm::GlyphColumns> Decode(const std::string &text, const std::string &prefix, const ByteLayout &layout)
{
    std::vector<qxm::GlyphColumns> glyphs(1);
    std::size_t byte = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\n') {
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
        {"bascom", "&H"}, {"gcb", "0x"}, {"proton", "$"}, {"c", "0x"}};
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

} // namespace
