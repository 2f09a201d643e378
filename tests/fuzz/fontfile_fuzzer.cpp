// Arbitrary bytes as a font file through the font reader: whatever they hold,
// it ends cleanly with either a font or a message naming the file, and a font
// it gives has no glyph below code 32 and no dot outside the 7 rows.
//
// Input: byte 0 odd has the rest gzip-compressed first, so that fonts inside
// compressed files get explored as well as broken compression; the rest is
// the file.

#define ZLIB_CONST
#include "platform/fontfile/freetypefont.h"
#include "tests/testcodepage.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
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
    std::vector<char> file = data[0] % 2 != 0 ? Gzipped(data + 1, size - 1) : std::vector<char>(data + 1, data + size);
    const qxm::FontFileResult result = qxm::ReadFontBytes(std::move(file), "fuzz.font", TestCodePage());
    if (result.font.has_value() == !result.error.empty()
        || (!result.font && result.error.find(u"\"fuzz.font\"") == std::u16string::npos))
        std::abort();
    for (std::size_t code = 0; result.font && code < result.font->size(); ++code) {
        const std::optional<qxm::GlyphColumns> &glyph = (*result.font)[code];
        if (glyph && (code < qxm::kFirstGlyphCode || *std::max_element(glyph->begin(), glyph->end()) > 0x7f))
            std::abort();
    }
    return 0;
}
