#include "core/glyphfont.h"

namespace qxm {

namespace {

constexpr std::u16string_view kColumnSeparator = u" , ";

std::optional<std::uint8_t> ParseHexByte(std::u16string_view item)
{
    if (item.size() != 4 || item[0] != u'&' || item[1] != u'H')
        return std::nullopt;
    int value = 0;
    for (const char16_t digit : item.substr(2)) {
        value *= 16;
        if (digit >= u'0' && digit <= u'9')
            value += digit - u'0';
        else if (digit >= u'A' && digit <= u'F')
            value += digit - u'A' + 10;
        else
            return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

} // namespace

std::optional<GlyphColumns> ParseGlyphRow(std::u16string_view row)
{
    if (row.size() != kGlyphRowLength)
        return std::nullopt;
    GlyphColumns columns{};
    for (std::size_t column = 0; column < kGlyphColumns; ++column) {
        const std::size_t start = column * (4 + kColumnSeparator.size());
        if (column > 0 && row.substr(start - kColumnSeparator.size(), kColumnSeparator.size()) != kColumnSeparator)
            return std::nullopt;
        const auto byte = ParseHexByte(row.substr(start, 4));
        if (!byte)
            return std::nullopt;
        columns[column] = *byte;
    }
    return columns;
}

const GlyphFont &BuiltInFont()
{
    static const GlyphFont font = [] {
        GlyphFont filled;
        for (std::size_t code = kFirstGlyphCode; code < filled.size(); ++code)
            filled[code] = ParseGlyphRow(FilledCharData()[code - kFirstGlyphCode]);
        return filled;
    }();
    return font;
}

} // namespace qxm
