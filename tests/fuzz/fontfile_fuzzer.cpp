// Arbitrary bytes as a font file through the font reader: whatever they hold,
// it ends cleanly with either a font or a message naming the file, and a font
// it gives has no glyph below code 32 and every glyph in the cell asked for.
//
// Input: byte 0 odd has the rest gzip-compressed first, so that fonts inside
// compressed files get explored as well as broken compression, and its other
// bits pick the cell; the rest is the file.

#define ZLIB_CONST
#include "core/chardata.h"
#include "platform/fontfile/freetypefont.h"
#include "tests/testcodepage.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

std::vector<char> Gzipped(const std::uint8_t *data, std::size_t size)
{
    z_stream zip{};
    // Sixteen more window bits ask for gzip's header rather than zlib's.
    if (deflateInit2(&zip, Z_BEST_SPEED, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        std::abort();
    std::vector<char> packed(deflateBound(&zip, size));
    zip.next_in = data;
    zip.avail_in = static_cast<uInt>(size);
    zip.next_out = reinterpret_cast<Bytef *>(packed.data());
    zip.avail_out = static_cast<uInt>(packed.size());
    if (deflate(&zip, Z_FINISH) != Z_STREAM_END)
        std::abort();
    packed.resize(zip.total_out);
    deflateEnd(&zip);
    return packed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    static const qxm::CellSize kCells[] = {{5, 7}, {8, 8}, {6, 13}, {32, 32}};
    const qxm::CellSize cell = kCells[(data[0] >> 1) % std::size(kCells)];
    std::vector<char> file = data[0] % 2 != 0 ? Gzipped(data + 1, size - 1) : std::vector<char>(data + 1, data + size);
    const qxm::FontFileResult result = qxm::ReadFontBytes(std::move(file), "fuzz.font", TestCodePage(), cell);
    if (result.font.has_value() == !result.error.empty()
        || (!result.font && result.error.find(u"\"fuzz.font\"") == std::u16string::npos))
        std::abort();
    for (std::size_t code = 0; result.font && code < result.font->glyphs.size(); ++code) {
        const std::optional<qxm::Glyph> &glyph = result.font->glyphs[code];
        if (glyph && (code < qxm::kFirstGlyphCode || glyph->Width() != cell.width || glyph->Height() != cell.height))
            std::abort();
    }
    return 0;
}
