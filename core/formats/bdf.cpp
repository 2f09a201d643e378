// The font as a BDF 2.1 file, the bitmap font format that u8g2's bdfconv,
// FontForge, bdftopcf and FreeType read, and so --font too. Each glyph is
// encoded by the Unicode character its code stands for. A fixed font keeps
// the cell as every glyph's box and advance; a proportional glyph keeps its
// own width, and advances one column more, so that a library drawing from
// the advances leaves the dark column --preview shows between glyphs.
#include "core/formats/formats.h"
#include "core/formats/notedglyphs.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

namespace qxm {

namespace {

// The resolution that makes a point a dot, so that the sizes in points and
// in dots are the same numbers.
constexpr int kDotsPerInch = 72;

struct BdfGlyph
{
    std::string name;
    long encoding = 0;
    Glyph glyph;
};

class BdfWriter final : public NotedFontWriter
{
public:
    using NotedFontWriter::NotedFontWriter;

    std::string Footer() const override
    {
        const int height = m_font.cell.height;
        const int ascent = std::clamp(m_font.ascent, 0, height);
        const int gap = m_font.proportional ? 1 : 0;
        // X11 draws the default character for one the font lacks: a dark
        // glyph, as --preview shows such a character. Code 0 is no
        // character that a text converts, so reading the font back leaves
        // it out.
        std::vector<BdfGlyph> glyphs{{"defaultchar", 0, GlyphOf(m_font, -1)}}; // no code's glyph: dark
        for (const NotedFontWriter::Noted &noted : InCodeOrder()) {
            char name[16];
            std::snprintf(name, sizeof name, "uni%04X", static_cast<unsigned>(noted.character));
            glyphs.push_back({name, noted.character, noted.glyph});
        }
        // In the order of their characters, as BDF fonts keep them.
        std::sort(glyphs.begin() + 1, glyphs.end(),
                  [](const BdfGlyph &a, const BdfGlyph &b) { return a.encoding < b.encoding; });
        int widest = 0;
        long advances = 0;
        for (const BdfGlyph &glyph : glyphs) {
            widest = std::max(widest, glyph.glyph.Width());
            advances += glyph.glyph.Width() + gap;
        }
        const long averageWidth =
            (advances * 10 + static_cast<long>(glyphs.size()) / 2) / static_cast<long>(glyphs.size());
        const std::string box = " " + std::to_string(height) + " 0 " + std::to_string(ascent - height) + "\n";
        const std::string sizes = std::to_string(height) + "-" + std::to_string(height * 10) + "-"
                                  + std::to_string(kDotsPerInch) + "-" + std::to_string(kDotsPerInch);
        const char *spacing = m_font.proportional ? "P" : "C";
        const std::string properties[] = {
            "FOUNDRY \"Misc\"",
            "FAMILY_NAME \"" + m_options.name + "\"",
            "WEIGHT_NAME \"Medium\"",
            "SLANT \"R\"",
            "SETWIDTH_NAME \"Normal\"",
            "ADD_STYLE_NAME \"\"",
            "PIXEL_SIZE " + std::to_string(height),
            "POINT_SIZE " + std::to_string(height * 10),
            "RESOLUTION_X " + std::to_string(kDotsPerInch),
            "RESOLUTION_Y " + std::to_string(kDotsPerInch),
            "SPACING \"" + std::string(spacing) + "\"",
            "AVERAGE_WIDTH " + std::to_string(averageWidth),
            "CHARSET_REGISTRY \"ISO10646\"",
            "CHARSET_ENCODING \"1\"",
            "FONT_ASCENT " + std::to_string(ascent),
            "FONT_DESCENT " + std::to_string(height - ascent),
            "DEFAULT_CHAR 0",
        };
        std::string bdf = "STARTFONT 2.1\nFONT -Misc-" + m_options.name + "-Medium-R-Normal--" + sizes + "-" + spacing
                          + "-" + std::to_string(averageWidth) + "-ISO10646-1\n";
        bdf += "SIZE " + std::to_string(height) + " " + std::to_string(kDotsPerInch) + " "
               + std::to_string(kDotsPerInch) + "\n";
        bdf += "FONTBOUNDINGBOX " + std::to_string(widest) + box;
        bdf += "STARTPROPERTIES " + std::to_string(std::size(properties)) + "\n";
        for (const std::string &property : properties)
            bdf += property + "\n";
        bdf += "ENDPROPERTIES\nCHARS " + std::to_string(glyphs.size()) + "\n";
        for (const BdfGlyph &glyph : glyphs) {
            const int advance = glyph.glyph.Width() + gap;
            bdf += "STARTCHAR " + glyph.name + "\nENCODING " + std::to_string(glyph.encoding) + "\n";
            // The scalable width, in thousandths of the size in points.
            bdf += "SWIDTH " + std::to_string((advance * 1000 + height / 2) / height) + " 0\n";
            bdf += "DWIDTH " + std::to_string(advance) + " 0\n";
            bdf += "BBX " + std::to_string(glyph.glyph.Width()) + box + "BITMAP\n";
            // A row in bytes, most significant bit first, as BDF writes it.
            const GlyphBytes rows = LayOutGlyph(glyph.glyph, {true, 7});
            const std::size_t rowBytes = rows.count / static_cast<std::size_t>(glyph.glyph.Height());
            for (std::size_t index = 0; index < rows.count; ++index) {
                char hex[3];
                std::snprintf(hex, sizeof hex, "%02X", rows.bytes[index]);
                bdf += hex;
                if ((index + 1) % rowBytes == 0)
                    bdf += "\n";
            }
            bdf += "ENDCHAR\n";
        }
        return bdf + "ENDFONT\n";
    }
};

} // namespace

std::unique_ptr<FontWriter> MakeBdfWriter(const FontDataOptions &options, const GlyphFont &font)
{
    return std::make_unique<BdfWriter>(options, font);
}

} // namespace qxm
