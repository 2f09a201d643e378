#include "core/preview.h"

#include "core/conversion.h"

namespace qxm {

Preview PreviewText(const GlyphFont &font, const CodePage &codePage, std::u16string_view text)
{
    Preview preview;
    std::int16_t CharPos = 0;
    bool first = true;
    preview.error = ForEachGlyph(codePage, text, CharPos, ControlCharacters::Stop, [&](const GlyphLookup &lookup) {
        const auto code = static_cast<std::size_t>(lookup.code);
        const GlyphColumns columns = code < font.size() ? font[code].value_or(GlyphColumns{}) : GlyphColumns{};
        for (std::size_t row = 0; row < kGlyphRows; ++row) {
            std::string &line = preview.rows[row];
            if (!first)
                line.push_back('.');
            const auto bit = static_cast<unsigned>(kGlyphRows - 1 - row);
            for (const std::uint8_t column : columns)
                line.push_back(((column >> bit) & 1U) != 0 ? '#' : '.');
        }
        first = false;
    });
    return preview;
}

} // namespace qxm
