#include "core/formats/notedglyphs.h"

#include "core/bytelayout.h"
#include "core/conversion.h"
#include "core/utf8.h"

#include <algorithm>

namespace qxm {

void NotedFontWriter::Note(const Entry &entry)
{
    if (!entry.placeholder)
        m_characters.emplace(entry.code, entry.character);
}

std::vector<NotedFontWriter::Noted> NotedFontWriter::InCodeOrder() const
{
    const GlyphFont &font = m_font;
    std::vector<Noted> noted;
    noted.reserve(m_characters.size());
    for (const auto &[code, character] : m_characters)
        noted.push_back({code, character, GlyphOf(font, code)});
    return noted;
}

std::string ShownCharacter(const NotedFontWriter::Noted &noted)
{
    if (IsControlCharacter(noted.character))
        return "(code " + std::to_string(noted.code) + ")";
    std::string shown;
    AppendUtf8(shown, noted.character);
    return shown;
}

std::vector<std::uint8_t> TopBitFirstColumns(const Glyph &glyph)
{
    const Glyph top = InCell(glyph, {glyph.Width(), std::min(glyph.Height(), 8)});
    const GlyphBytes laidOut = LayOutGlyph(top, {false, 0});
    return {laidOut.bytes.begin(), laidOut.bytes.begin() + static_cast<std::ptrdiff_t>(laidOut.count)};
}

} // namespace qxm
