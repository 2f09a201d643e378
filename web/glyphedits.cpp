#include "web/glyphedits.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdio>
#include <optional>
#include <tuple>

namespace {

constexpr std::size_t kCodes = std::tuple_size_v<decltype(qxm::GlyphFont::glyphs)>;

// The font's glyph of the code, or a dark one, on the largest grid.
qxm::Glyph FontGlyph(const qxm::GlyphFont &font, std::int16_t code)
{
    const qxm::CellSize grid{qxm::kMaxCellSide, qxm::kMaxCellSide};
    const std::optional<qxm::Glyph> &glyph = font.glyphs[static_cast<std::size_t>(code)];
    return glyph ? qxm::InCell(*glyph, grid) : qxm::Glyph(grid.width, grid.height);
}

// A number of 1 to 8 hexadecimal digits, or nothing.
std::optional<std::uint32_t> Hexadecimal(std::string_view digits)
{
    if (digits.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    for (const char digit : digits) {
        const int nibble = digit >= '0' && digit <= '9'   ? digit - '0'
                           : digit >= 'a' && digit <= 'f' ? digit - 'a' + 10
                                                          : -1;
        if (nibble < 0)
            return std::nullopt;
        value = value << 4 | static_cast<std::uint32_t>(nibble);
    }
    return value;
}

} // namespace

qxm::GlyphFont GlyphEdits::Apply(const qxm::GlyphFont &font) const
{
    qxm::GlyphFont edited = font;
    for (const auto &[code, glyph] : m_glyphs)
        edited.glyphs[static_cast<std::size_t>(code)] = qxm::InCell(glyph, font.cell);
    return edited;
}

void GlyphEdits::SetDot(const qxm::GlyphFont &font, std::int16_t code, int column, int row, bool lit)
{
    if (code < 0 || static_cast<std::size_t>(code) >= kCodes || column < 0 || column >= font.cell.width || row < 0
        || row >= font.cell.height)
        return;
    const qxm::Glyph original = FontGlyph(font, code);
    const auto found = m_glyphs.find(code);
    qxm::Glyph glyph = found != m_glyphs.end() ? found->second : original;
    glyph.SetDot(column, row, lit);
    if (glyph == original)
        m_glyphs.erase(code);
    else
        m_glyphs[code] = glyph;
}

std::string GlyphEdits::Text() const
{
    std::string text;
    for (const auto &[code, glyph] : m_glyphs) {
        char number[9];
        std::snprintf(number, sizeof number, "%x", static_cast<unsigned>(code));
        text.append(text.empty() ? "" : "-").append(number).append("_");
        int rows = glyph.Height();
        std::uint32_t dots[qxm::kMaxCellSide] = {};
        for (int row = 0; row < glyph.Height(); ++row) {
            for (int column = 0; column < glyph.Width(); ++column)
                dots[row] |= glyph.Dot(column, row) ? std::uint32_t{1} << column : 0;
        }
        while (rows > 0 && dots[rows - 1] == 0)
            --rows;
        for (int row = 0; row < rows; ++row) {
            if (row > 0)
                text.push_back('.');
            if (dots[row] != 0) {
                std::snprintf(number, sizeof number, "%x", static_cast<unsigned>(dots[row]));
                text.append(number);
            }
        }
    }
    return text;
}

void GlyphEdits::SetText(std::string_view text)
{
    m_glyphs.clear();
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('-'), text.size());
        std::string_view part = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::size_t mark = part.find('_');
        const std::optional<std::uint32_t> code = Hexadecimal(part.substr(0, std::min(mark, part.size())));
        if (mark == std::string_view::npos || mark == 0 || !code || *code >= kCodes)
            continue;
        part.remove_prefix(mark + 1);
        qxm::Glyph glyph(qxm::kMaxCellSide, qxm::kMaxCellSide);
        bool read = true;
        for (int row = 0; read && !part.empty(); ++row) {
            const std::size_t rowEnd = std::min(part.find('.'), part.size());
            const std::optional<std::uint32_t> dots =
                rowEnd == 0 ? std::optional<std::uint32_t>(0) : Hexadecimal(part.substr(0, rowEnd));
            read = dots && row < qxm::kMaxCellSide;
            for (int column = 0; read && column < qxm::kMaxCellSide; ++column)
                glyph.SetDot(column, row, ((*dots >> column) & 1U) != 0);
            part.remove_prefix(std::min(rowEnd + 1, part.size()));
        }
        if (read)
            m_glyphs[static_cast<std::int16_t>(*code)] = glyph;
    }
}
