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

TEST(FontDataTest, namesAControlCharacterByItsCodeRatherThanWritingIt)
{
    qxm::GlyphFont font;
    font[127] = qxm::GlyphColumns{};
    EXPECT_EQ(qxm::FormatTable(font, TestCodePage(), Options("c")),
              "    {0x00, 0x00, 0x00, 0x00, 0x00}, /* (code 127) */\n");
}

} // namespace
