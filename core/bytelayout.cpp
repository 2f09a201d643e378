#include "core/bytelayout.h"

#include <algorithm>

namespace qxm {

namespace {

constexpr int kBitsPerByte = 8;

int BytesPerLine(int dots)
{
    return (dots + kBitsPerByte - 1) / kBitsPerByte;
}

} // namespace

int DotsPerByte(bool rows, CellSize cell)
{
    return std::min(kBitsPerByte, rows ? cell.width : cell.height);
}

bool FitsEveryDot(const ByteLayout &layout, CellSize cell)
{
    return layout.firstBit == 0
           || (layout.firstBit >= DotsPerByte(layout.rows, cell) - 1 && layout.firstBit < kBitsPerByte);
}

std::vector<int> FittingFirstBits(bool rows, CellSize cell)
{
    std::vector<int> bits;
    for (int bit = 0; bit < kBitsPerByte; ++bit) {
        if (FitsEveryDot({rows, bit}, cell))
            bits.push_back(bit);
    }
    return bits;
}

ByteLayout DefaultLayout(bool rows, CellSize cell)
{
    const int dots = rows ? cell.width : cell.height;
    if (dots <= kBitsPerByte)
        return {rows, dots - 1};
    return {rows, rows ? kBitsPerByte - 1 : 0};
}

std::size_t BytesPerGlyph(const ByteLayout &layout, CellSize cell)
{
    const auto lines = static_cast<std::size_t>(layout.rows ? cell.height : cell.width);
    return lines * static_cast<std::size_t>(BytesPerLine(layout.rows ? cell.width : cell.height));
}

GlyphBytes LayOutGlyph(const Glyph &glyph, const ByteLayout &layout)
{
    const CellSize grid{glyph.Width(), glyph.Height()};
    GlyphBytes laidOut;
    laidOut.count = BytesPerGlyph(layout, grid);
    const int perLine = BytesPerLine(layout.rows ? grid.width : grid.height);
    for (int row = 0; row < grid.height; ++row) {
        for (int column = 0; column < grid.width; ++column) {
            if (!glyph.Dot(column, row))
                continue;
            const int line = layout.rows ? row : column;
            const int dot = layout.rows ? column : row;
            const int bit = layout.firstBit == 0 ? dot % kBitsPerByte : layout.firstBit - dot % kBitsPerByte;
            const int byte = line * perLine + dot / kBitsPerByte;
            laidOut.bytes[static_cast<std::size_t>(byte)] |= static_cast<std::uint8_t>(1U << bit);
        }
    }
    return laidOut;
}

} // namespace qxm
