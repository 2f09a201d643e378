// MD_MAX72XX's font table, which setFont() takes (and MD_Parola with it), in
// the library's version 2 format: 'F', 2, the first and the last code as
// two bytes each, high byte first, and the height; then, for every code from
// the first to the last, its width and one byte a column, leftmost first,
// bit 0 the top dot. The library walks the widths to find a code, so a code
// without a glyph still takes its place, with width 0.
#include "core/formats/formats.h"
#include "core/formats/notedglyphs.h"

#include <cstdio>
#include <string>

namespace qxm {

namespace {

class Max72xxWriter final : public NotedFontWriter
{
public:
    using NotedFontWriter::NotedFontWriter;

    std::string Footer() const override
    {
        const std::vector<NotedFontWriter::Noted> noted = InCodeOrder();
        // An empty font has its last code below its first, and so no entry.
        const int first = noted.empty() ? 32 : noted.front().code;
        const int last = noted.empty() ? 31 : noted.back().code;
        std::string table = "#include <MD_MAX72xx.h>\n\nMD_MAX72XX::fontType_t " + m_options.name + "[] PROGMEM = {\n";
        table += "    'F', 2, " + std::to_string(first >> 8) + ", " + std::to_string(first & 0xFF) + ", "
                 + std::to_string(last >> 8) + ", " + std::to_string(last & 0xFF) + ", "
                 + std::to_string(m_font.cell.height) + ", /* codes " + std::to_string(first) + " to "
                 + std::to_string(last) + ", " + std::to_string(m_font.cell.height) + " dots high */\n";
        auto next = noted.begin();
        for (int code = first; code <= last; ++code) {
            if (next == noted.end() || next->code != code) {
                table += "    0, /* (code " + std::to_string(code) + ", no glyph) */\n";
                continue;
            }
            const std::vector<std::uint8_t> columns = TopBitFirstColumns(next->glyph);
            table += "    " + std::to_string(columns.size()) + ",";
            for (const std::uint8_t column : columns) {
                char hex[8];
                std::snprintf(hex, sizeof hex, " 0x%02X,", column);
                table += hex;
            }
            table += " /* " + ShownCharacter(*next) + " */\n";
            ++next;
        }
        return table + "};\n";
    }
};

} // namespace

std::unique_ptr<FontWriter> MakeMax72xxWriter(const FontDataOptions &options, const GlyphFont &font)
{
    return std::make_unique<Max72xxWriter>(options, font);
}

} // namespace qxm
