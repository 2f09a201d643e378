// An Adafruit GFX font: the GFXfont a sketch passes to setFont(), with its
// glyph table and bitmaps, as the library's gfxfont.h declares them and its
// drawChar() reads them.
#include "core/chardata.h"
#include "core/conversion.h"
#include "core/formats/formats.h"
#include "core/formats/lookup.h"
#include "core/utf8.h"

#include <array>
#include <bitset>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace qxm {

namespace {

// The library's own header where the sketch can include it; elsewhere (a
// plain C compiler, or one without __has_include) the two structures as
// gfxfont.h declares them, under its include guard, so that the library's
// header included later does not declare them twice.
constexpr std::string_view kStructures = "#if defined(__cplusplus) && defined(__has_include) && !defined(_GFXFONT_H_)\n"
                                         "#if __has_include(<Adafruit_GFX.h>)\n"
                                         "#include <Adafruit_GFX.h>\n"
                                         "#endif\n"
                                         "#endif\n"
                                         "#ifndef _GFXFONT_H_\n"
                                         "#define _GFXFONT_H_\n"
                                         "#include <stdint.h>\n"
                                         "typedef struct {\n"
                                         "    uint16_t bitmapOffset;\n"
                                         "    uint8_t width;\n"
                                         "    uint8_t height;\n"
                                         "    uint8_t xAdvance;\n"
                                         "    int8_t xOffset;\n"
                                         "    int8_t yOffset;\n"
                                         "} GFXglyph;\n"
                                         "typedef struct {\n"
                                         "    uint8_t *bitmap;\n"
                                         "    GFXglyph *glyph;\n"
                                         "    uint16_t first;\n"
                                         "    uint16_t last;\n"
                                         "    uint8_t yAdvance;\n"
                                         "} GFXfont;\n"
                                         "#endif\n";

constexpr std::size_t kBytesPerLine = 12;
constexpr std::size_t kCodes = 256;

class AdafruitGfxWriter final : public FontWriter
{
public:
    AdafruitGfxWriter(const FontDataOptions &options, const GlyphFont &font, std::optional<CodeRange> table)
        : m_options(options)
        , m_font(font)
        , m_table(table)
    {
    }

    std::string Header() const override { return std::string(kProgmemPrelude).append(kStructures); }

    // The library indexes its glyphs by code, not by the text's order: the
    // whole font is written at the end.
    void AppendEntry(std::string &, const Entry &) const override {}

    void Note(const Entry &entry) override
    {
        if (entry.code < 0 || static_cast<std::size_t>(entry.code) >= kCodes)
            return;
        const auto code = static_cast<std::size_t>(entry.code);
        m_inFont[code] = !entry.placeholder;
        m_characters[code] = entry.character;
    }

    std::string Footer() const override
    {
        const CodeRange range = Range();
        std::string bitmaps;
        std::string glyphs;
        std::size_t offset = 0;
        for (int code = range.first; code <= range.last; ++code) {
            const auto index = static_cast<std::size_t>(code);
            glyphs += "    {";
            if (!m_inFont[index]) {
                glyphs += Numbers({static_cast<int>(offset), 0, 0, 0, 0, 0});
            } else {
                // A code of the text without a glyph shows dark, as wide as the
                // preview shows it.
                const Glyph glyph = GlyphOf(m_font, static_cast<std::int16_t>(code));
                // The rectangle of its lit dots is all the library stores of a glyph.
                const DotBox box = LitBox(glyph);
                glyphs += Numbers({static_cast<int>(offset), box.width, box.height, glyph.Width() + 1, box.left,
                                   box.height > 0 ? box.top - Baseline() : 0});
                offset += AppendBits(bitmaps, glyph, box, Comment(index));
            }
            glyphs += "}, /* " + Comment(index) + " */\n";
        }
        if (range.last < range.first)
            glyphs = "    {0, 0, 0, 0, 0, 0} /* a blank entry: nothing was converted */\n";
        if (bitmaps.empty())
            bitmaps = "    0x00 /* no glyph has a lit dot */\n";

        std::string footer;
        const std::string &name = m_options.name;
        if (m_options.cellChosen) {
            footer += CConstant(name, "WIDTH", m_font.cell.width);
            footer += CConstant(name, "HEIGHT", m_font.cell.height);
        }
        footer += CConstant(name, "FIRST", range.first);
        footer += CConstant(name, "LAST", range.last);
        footer += "/* the cursor's y for the cell's top row at y = 0 */\n";
        footer += CConstant(name, "BASELINE", Baseline());
        footer += "const uint8_t " + name + "Bitmaps[] PROGMEM = {\n" + bitmaps + "};\n";
        footer += "/* bitmapOffset, width, height, xAdvance, xOffset, yOffset */\n";
        footer += "const GFXglyph " + name + "Glyphs[] PROGMEM = {\n" + glyphs + "};\n";
        footer += "const GFXfont " + name + " PROGMEM = {(uint8_t *)" + name + "Bitmaps, (GFXglyph *)" + name
                  + "Glyphs, " + std::to_string(range.first) + ", " + std::to_string(range.last) + ", "
                  + std::to_string(m_font.cell.height + 1) + "};\n";
        if (m_options.lookup) {
            LookupTable lookup{name, range, {}, true};
            for (int code = range.first; code <= range.last; ++code)
                lookup.present[static_cast<std::size_t>(code)] = m_inFont[static_cast<std::size_t>(code)];
            footer += LookupFunction(lookup);
        }
        return footer;
    }

private:
    // The whole font's codes, or the text's, from the lowest to the highest.
    CodeRange Range() const
    {
        if (m_table)
            return *m_table;
        CodeRange range{kFirstGlyphCode, kFirstGlyphCode - 1};
        for (std::size_t code = 0; code < kCodes; ++code) {
            if (m_inFont[code]) {
                if (range.last < range.first)
                    range.first = static_cast<std::int16_t>(code);
                range.last = static_cast<std::int16_t>(code);
            }
        }
        return range;
    }

    // The library's cursor stands on the row of the letters' lowest dots.
    int Baseline() const { return m_font.ascent - 1; }

    // "0x41 A", "0x7F (no glyph)": never a control character raw.
    std::string Comment(std::size_t code) const
    {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(code));
        std::string comment = hex;
        const char16_t character = m_characters[code];
        const bool noted = m_inFont[code] || m_table;
        if (noted && character > u' ' && !IsControlAboveSpace(character))
            AppendUtf8(comment.append(" "), character);
        if (!m_inFont[code])
            comment += m_table ? " (no glyph)" : " (not in the text)";
        return comment;
    }

    static std::string Numbers(std::initializer_list<int> numbers)
    {
        std::string text;
        for (const int number : numbers)
            text.append(text.empty() ? "" : ", ").append(std::to_string(number));
        return text;
    }

    // The box's dots row by row, the top first, each row from the left, in
    // bytes whose first dot is bit 7, running on from row to row and padded
    // to a whole byte at the end; returns the number of bytes.
    static std::size_t AppendBits(std::string &out, const Glyph &glyph, const DotBox &box, const std::string &comment)
    {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(box.width * box.height + 7) / 8);
        std::size_t bit = 0;
        for (int row = box.top; row < box.top + box.height; ++row) {
            for (int column = box.left; column < box.left + box.width; ++column, ++bit) {
                if (glyph.Dot(column, row))
                    bytes[bit / 8] |= static_cast<std::uint8_t>(0x80U >> (bit % 8));
            }
        }
        for (std::size_t index = 0; index < bytes.size(); ++index) {
            char item[8];
            std::snprintf(item, sizeof item, "0x%02X,", bytes[index]);
            out += index % kBytesPerLine == 0 ? "    " : " ";
            out += item;
            if (index + 1 == bytes.size())
                out += " /* " + comment + " */";
            if (index + 1 == bytes.size() || index % kBytesPerLine == kBytesPerLine - 1)
                out += "\n";
        }
        return bytes.size();
    }

    const FontDataOptions &m_options;
    const GlyphFont &m_font;
    std::optional<CodeRange> m_table;
    std::bitset<kCodes> m_inFont;
    std::array<char16_t, kCodes> m_characters{};
};

} // namespace

std::unique_ptr<FontWriter> MakeAdafruitGfxWriter(const FontDataOptions &options, const GlyphFont &font,
                                                  std::optional<CodeRange> table)
{
    return std::make_unique<AdafruitGfxWriter>(options, font, table);
}

} // namespace qxm
