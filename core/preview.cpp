#include "core/preview.h"

#include "core/conversion.h"

namespace qxm {

Preview PreviewText(const GlyphFont &font, const CodePage &codePage, std::u16string_view text)
{
    Preview preview;
    preview.rows.resize(static_cast<std::size_t>(font.cell.height));
    bool first = true;
    preview.error = ForEachGlyph(codePage, text, ControlCharacters::Stop, [&](std::int16_t code) {
        const Glyph glyph = GlyphOf(font, code);
        for (int row = 0; row < font.cell.height; ++row) {
            std::string &line = preview.rows[static_cast<std::size_t>(row)];
            if (!first)
                line.push_back('.');
            for (int column = 0; column < glyph.Width(); ++column)
                line.push_back(glyph.Dot(column, row) ? '#' : '.');
        }
        first = false;
    });
    return preview;
}

} // namespace qxm
