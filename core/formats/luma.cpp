// A Python module for luma.core.legacy (luma.led_matrix's MAX7219 text):
// text(draw, xy, txt, font=NAME) looks each character up with
// font[ord(c)] and draws the column bytes it gets, leftmost first, bit 0 the
// top dot. The font is keyed by Unicode code point, so that "é" and "€" find
// their glyphs; luma's own fonts are lists indexed by code, which raise
// IndexError for a code they lack, and so does this one, so that luma's
// tolerant() can stand in another glyph.
#include "core/formats/formats.h"
#include "core/formats/notedglyphs.h"

#include <cstdio>
#include <string>

namespace qxm {

namespace {

class LumaWriter final : public NotedFontWriter
{
public:
    using NotedFontWriter::NotedFontWriter;

    std::string Footer() const override
    {
        const std::string &name = m_options.name;
        std::string module = "# " + name + ": a font of " + SizeInWords(m_font.cell)
                             + " dots for luma.core.legacy: text(draw, xy, txt, font=" + name + ").\n"
                             + "# Each glyph is a list of column bytes, leftmost first, bit 0 the top dot,\n"
                             + "# looked up by its character's code point, as text() does with ord().\n";
        // luma draws the columns it gets side by side: a proportional glyph
        // brings the dark column after it, as luma's own proportional() adds.
        if (m_font.proportional)
            module += "# Proportional: each glyph is its lit columns and one dark column.\n";
        module += "\n\nclass _LegacyFont(dict):\n"
                  "    def __missing__(self, code):\n"
                  "        raise IndexError(code)\n\n\n"
                  + name + " = _LegacyFont({\n";
        char key[16];
        for (const NotedFontWriter::Noted &noted : InCodeOrder()) {
            std::snprintf(key, sizeof key, "    0x%04X: [", static_cast<unsigned>(noted.character));
            module += key;
            std::vector<std::uint8_t> columns = TopBitFirstColumns(noted.glyph);
            if (m_font.proportional)
                columns.push_back(0);
            for (std::size_t index = 0; index < columns.size(); ++index) {
                std::snprintf(key, sizeof key, index == 0 ? "0x%02X" : ", 0x%02X", columns[index]);
                module += key;
            }
            module += "],  # " + ShownCharacter(noted) + "\n";
        }
        return module + "})\n";
    }
};

} // namespace

std::unique_ptr<FontWriter> MakeLumaWriter(const FontDataOptions &options, const GlyphFont &font)
{
    return std::make_unique<LumaWriter>(options, font);
}

} // namespace qxm
