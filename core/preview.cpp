#include "core/preview.h"

#include "core/conversion.h"

namespace qxm {

Preview PreviewText(const GlyphFont &font, const CodePage &codePage, std::u16string_view text)
{
    Preview preview;
    bool first = true;
    preview.error = ForEachGlyph(codePage, text, ControlCharacters::Stop, [&](std::int16_t code, std::int16_t) {
                        const auto index = static_cast<std::size_t>(code);
                        const GlyphColumns glyph =
                            index < font.size() ? font[index].value_or(GlyphColumns{}) : GlyphColumns{};
                        for (std::size_t row = 0; row < kGlyphRows; ++row) {
                            std::string &line = preview.rows[row];
                            if (!first)
                                line.push_back('.');
                            for (std::size_t column = 0; column < kGlyphColumns; ++column)
                                line.push_back(IsDotLit(glyph, column, row) ? '#' : '.');
                        }
                        first = false;
                    }).error;
    return preview;
}

} // namespace qxm
