#include "core/preview.h"

#include "core/conversion.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace qxm {

Preview PreviewText(const GlyphFont &font, const CodePage &codePage, std::u16string_view text)
{
    const PreviewStrip strip(font, codePage, text);
    return {strip.Window(0, strip.Columns()), strip.Error()};
}

PreviewStrip::PreviewStrip(const GlyphFont &font, const CodePage &codePage, std::u16string_view text)
    : m_font(font)
{
    // A width per code, rather than a glyph drawn per character.
    std::array<std::uint8_t, std::tuple_size_v<decltype(font.glyphs)>> widths{};
    for (std::size_t code = 0; code < widths.size(); ++code)
        widths[code] = static_cast<std::uint8_t>(GlyphOf(font, static_cast<std::int16_t>(code)).Width());
    const int darkWidth = GlyphOf(font, -1).Width();
    m_codes.reserve(text.size());
    m_starts.reserve(text.size());
    std::size_t next = 0; // where the next glyph starts, after one dark column
    m_error = ForEachGlyph(codePage, text, ControlCharacters::Stop, [&](std::int16_t code) {
        const auto index = static_cast<std::size_t>(code);
        m_codes.push_back(code);
        m_starts.push_back(static_cast<std::uint32_t>(next));
        m_columns = next + (index < widths.size() ? widths[index] : darkWidth);
        next = m_columns + 1;
    });
}

std::size_t PreviewStrip::GlyphAt(std::size_t column) const
{
    return static_cast<std::size_t>(std::upper_bound(m_starts.begin(), m_starts.end(), column) - m_starts.begin()) - 1;
}

std::vector<std::string> PreviewStrip::Window(std::size_t first, std::size_t count) const
{
    std::vector<std::string> rows(static_cast<std::size_t>(Rows()));
    const std::size_t end = first + std::min(count, m_columns - std::min(first, m_columns));
    if (first >= end)
        return rows;
    for (std::string &row : rows)
        row.reserve(end - first);
    for (std::size_t index = GlyphAt(first); index < m_codes.size() && m_starts[index] < end; ++index) {
        const Glyph glyph = GlyphOf(m_font, m_codes[index]);
        const std::size_t start = m_starts[index];
        // The glyph's columns and the dark one after it, which Dot() gives
        // as a column outside the glyph.
        const std::size_t stop = std::min(end, start + static_cast<std::size_t>(glyph.Width()) + 1);
        for (std::size_t column = std::max(first, start); column < stop; ++column) {
            for (std::size_t row = 0; row < rows.size(); ++row)
                rows[row].push_back(glyph.Dot(static_cast<int>(column - start), static_cast<int>(row)) ? '#' : '.');
        }
    }
    return rows;
}

std::int16_t PreviewStrip::CodeAt(std::size_t column) const
{
    if (column >= m_columns)
        return -1;
    const std::size_t index = GlyphAt(column);
    return column - m_starts[index] < static_cast<std::size_t>(GlyphOf(m_font, m_codes[index]).Width())
               ? m_codes[index]
               : std::int16_t{-1};
}

} // namespace qxm
