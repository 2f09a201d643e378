#include "platform/fontfile/freetypefont.h"

#include "core/chardata.h"
#include "core/codepage.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_BZIP2_H
#include FT_GZIP_H
#include FT_LZW_H
#include FT_MODULE_H

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace qxm {

namespace {

constexpr std::int16_t kLastFontCode = 255;
constexpr int kCellColumns = static_cast<int>(kGlyphColumns);
constexpr int kCellRows = static_cast<int>(kGlyphRows);
// Far above any bitmap font, expanded or not; it keeps a mistaken argument (a
// disk image, say) from being read into memory whole.
constexpr long kMaxFileMiB = 64;
constexpr std::size_t kMaxFileBytes = static_cast<std::size_t>(kMaxFileMiB) << 20;
// What FreeType itself may take: some formats (WOFF) say how large their
// tables expand to, and FreeType sets that much aside before checking.
constexpr long kMaxWorkingMiB = 2 * kMaxFileMiB;

struct LibraryCloser
{
    void operator()(FT_Library library) const { FT_Done_Library(library); }
};
struct FaceCloser
{
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using Library = std::unique_ptr<FT_LibraryRec_, LibraryCloser>;
using Face = std::unique_ptr<FT_FaceRec_, FaceCloser>;

struct Dot
{
    int column;
    int row;
};

struct Glyph
{
    std::int16_t code;
    char16_t character;
    int advance;
    std::vector<Dot> dots; // from the cell's top-left corner
};

// FreeType's names and the system's messages are ASCII in practice; Latin-1
// keeps any other byte visible rather than dropping it.
std::u16string Widened(std::string_view text)
{
    std::u16string wide;
    for (const char byte : text)
        wide += static_cast<char16_t>(static_cast<unsigned char>(byte));
    return wide;
}

std::u16string Number(long value)
{
    return Widened(std::to_string(value));
}

std::u16string Quoted(const std::filesystem::path &file)
{
    try {
        return u"\"" + file.u16string() + u"\"";
    } catch (const std::exception &) {
        // A name that is not UTF-8 still names the file, if less readably.
        return u"\"" + Widened(file.string()) + u"\"";
    }
}

std::u16string Size(int columns, int rows)
{
    return Number(columns) + u" by " + Number(rows);
}

// "the font "Fixed" in "5x8.pcf.gz"", or without a name when it has none.
std::u16string FontIn(FT_Face face, const std::filesystem::path &file)
{
    if (!face->family_name)
        return u"the font in " + Quoted(file);
    std::u16string name = Widened(face->family_name);
    if (face->style_name && std::strcmp(face->style_name, "Regular") != 0)
        name += u" " + Widened(face->style_name);
    return u"the font \"" + name + u"\" in " + Quoted(file);
}

// "is more than 64 MiB", "expands to more than 64 MiB", ...
std::u16string TooLarge(const std::filesystem::path &file, std::u16string_view what, long mebibytes,
                        std::u16string_view ofWhat = u"")
{
    return Quoted(file) + u" " + std::u16string(what) + u" more than " + Number(mebibytes) + u" MiB"
           + std::u16string(ofWhat) + u", too large to be a font file";
}

std::u16string NotAFont(const std::filesystem::path &file)
{
    return Quoted(file) + u" is not a font file (BDF, PCF or any other that FreeType reads)";
}

// FreeType's memory, each block headed by its size so that a freed one goes
// back to the budget.
struct MemoryBudget
{
    std::size_t left = static_cast<std::size_t>(kMaxWorkingMiB) << 20;
    bool exceeded = false;
};

struct alignas(std::max_align_t) BlockHeader
{
    std::size_t size;
};

void *Reallocate(FT_Memory memory, long /*currentSize*/, long newSize, void *block)
{
    MemoryBudget &budget = *static_cast<MemoryBudget *>(memory->user);
    BlockHeader *header = block ? static_cast<BlockHeader *>(block) - 1 : nullptr;
    const std::size_t oldSize = header ? header->size : 0;
    const auto size = static_cast<std::size_t>(newSize);
    if (newSize < 0 || size > oldSize + budget.left) {
        budget.exceeded = true;
        return nullptr;
    }
    // On failure realloc leaves the block as it was, and so does FreeType.
    void *grown = std::realloc(header, sizeof(BlockHeader) + size);
    if (!grown)
        return nullptr;
    budget.left = budget.left + oldSize - size;
    header = static_cast<BlockHeader *>(grown);
    header->size = size;
    return header + 1;
}

void *Allocate(FT_Memory memory, long size)
{
    return Reallocate(memory, 0, size, nullptr);
}

void Free(FT_Memory memory, void *block)
{
    if (!block)
        return;
    BlockHeader *header = static_cast<BlockHeader *>(block) - 1;
    static_cast<MemoryBudget *>(memory->user)->left += header->size;
    std::free(header);
}

// A compressed stream, closed however its reading ends.
struct ExpandingStream
{
    FT_StreamRec source{}; // what the stream reads from, as long as it is open
    FT_StreamRec stream{};
    ExpandingStream() = default;
    ExpandingStream(const ExpandingStream &) = delete;
    ExpandingStream &operator=(const ExpandingStream &) = delete;
    ~ExpandingStream()
    {
        if (stream.close)
            stream.close(&stream);
    }

    // Whether FreeType knows how `bytes` are compressed, as its PCF driver
    // would try them.
    bool Open(FT_Memory memory, std::vector<char> &bytes)
    {
        using Opener = FT_Error (*)(FT_Stream, FT_Stream);
        source.base = reinterpret_cast<unsigned char *>(bytes.data());
        source.size = static_cast<unsigned long>(bytes.size());
        source.memory = memory;
        for (const Opener open : {Opener{FT_Stream_OpenGzip}, Opener{FT_Stream_OpenLZW}, Opener{FT_Stream_OpenBzip2}}) {
            if (open(&stream, &source) == 0)
                return true;
        }
        return false;
    }

    std::size_t Read(std::size_t at, char *into, std::size_t count)
    {
        if (stream.read)
            return stream.read(&stream, static_cast<unsigned long>(at), reinterpret_cast<unsigned char *>(into),
                               static_cast<unsigned long>(count));
        // FreeType expands a small file into memory at once.
        const std::size_t got = at < stream.size ? std::min<std::size_t>(count, stream.size - at) : 0;
        if (got != 0)
            std::memcpy(into, stream.base + at, got);
        return got;
    }

    // The bytes from the start to the end; none when there are more than `limit`.
    std::optional<std::vector<char>> ReadForward(std::size_t limit)
    {
        constexpr std::size_t kChunk = std::size_t{64} << 10;
        std::vector<char> bytes;
        for (std::size_t got = 1; got != 0;) {
            const std::size_t at = bytes.size();
            if (at == limit) {
                // One byte more tells a stream that ends at the limit from a
                // longer one, without growing the buffer past the limit.
                char more = 0;
                if (Read(at, &more, 1) != 0)
                    return std::nullopt;
                break;
            }
            const std::size_t count = std::min(kChunk, limit - at);
            bytes.resize(at + count);
            got = Read(at, bytes.data() + at, count);
            bytes.resize(at + got);
        }
        return bytes;
    }
};

// FreeType's PCF driver expands a compressed font itself, but through a stream
// that starts again from the top at every backward seek: zeros expanding to
// gigabytes took minutes. Here it is expanded once, forward, within the size
// limit, so FreeType finds nothing compressed.
std::u16string Expand(FT_Memory memory, std::vector<char> &bytes, const std::filesystem::path &file)
{
    std::optional<std::vector<char>> expanded;
    {
        ExpandingStream compressed;
        if (!compressed.Open(memory, bytes))
            return {};
        expanded = compressed.ReadForward(kMaxFileBytes);
    }
    if (!expanded)
        return TooLarge(file, u"expands to", kMaxFileMiB);
    bytes = std::move(*expanded);
    // No font comes compressed twice, and FreeType would expand the inner
    // layer the slow way.
    ExpandingStream twice;
    if (twice.Open(memory, bytes))
        return NotAFont(file);
    return {};
}

// The whole file in memory: the name then reaches no narrow-character file
// call on Windows.
std::u16string ReadWholeFile(const std::filesystem::path &file, std::vector<char> &bytes)
{
    std::error_code failure;
    const std::filesystem::file_status status = std::filesystem::status(file, failure);
    if (status.type() == std::filesystem::file_type::not_found)
        return u"there is no font file " + Quoted(file);
    if (failure)
        return u"cannot read the font file " + Quoted(file) + u": " + Widened(failure.message());
    if (std::filesystem::is_directory(status))
        return Quoted(file) + u" is a folder, not a font file";
    if (!std::filesystem::is_regular_file(status))
        return Quoted(file) + u" is not a regular file, so not a font file";
    const std::uintmax_t size = std::filesystem::file_size(file, failure);
    if (failure)
        return u"cannot read the font file " + Quoted(file) + u": " + Widened(failure.message());
    if (size > kMaxFileBytes)
        return TooLarge(file, u"is", kMaxFileMiB);

    bytes.resize(static_cast<std::size_t>(size));
    std::ifstream stream(file, std::ios::binary);
    if (!stream.is_open())
        return u"cannot read the font file " + Quoted(file) + u": " + Widened(std::generic_category().message(errno));
    if (!stream.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        return u"cannot read the font file " + Quoted(file);
    return {};
}

// The tallest bitmap strike that fits the display, or -1; the smallest
// strike, or -1, in smallest.
int FittingStrike(FT_Face face, int &smallest)
{
    int fitting = -1;
    smallest = -1;
    for (int strike = 0; strike < face->num_fixed_sizes; ++strike) {
        const FT_Short height = face->available_sizes[strike].height;
        if (height <= kCellRows && (fitting < 0 || height > face->available_sizes[fitting].height))
            fitting = strike;
        if (smallest < 0 || height < face->available_sizes[smallest].height)
            smallest = strike;
    }
    return fitting;
}

// Draws one glyph in black and white; the font's ascent is the cell's top row.
bool RenderGlyph(FT_Library library, FT_Face face, FT_UInt index, int ascent, Glyph &glyph)
{
    // An outline's own hints aim at sizes far above 7 pixels, where they
    // misplace or drop strokes; FreeType's auto-hinter keeps stems whole and
    // on the grid. A bitmap is drawn as it is either way.
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_FORCE_AUTOHINT) != 0)
        return false;
    const FT_GlyphSlot slot = face->glyph;
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    // A BDF glyph without its BITMAP lines comes with a size but no dots,
    // which FreeType's conversion would read all the same.
    if (!slot->bitmap.buffer && slot->bitmap.rows != 0 && slot->bitmap.width != 0)
        return false;

    // One byte per dot whatever the font's depth: a grey font's dot counts as
    // lit from half its full level.
    FT_Bitmap levels;
    FT_Bitmap_Init(&levels);
    const bool converted = FT_Bitmap_Convert(library, &slot->bitmap, &levels, 1) == 0;
    for (unsigned row = 0; converted && row < levels.rows; ++row) {
        const unsigned char *line = levels.buffer + static_cast<std::ptrdiff_t>(row) * levels.pitch;
        for (unsigned column = 0; column < levels.width; ++column) {
            if (2 * line[column] >= levels.num_grays)
                glyph.dots.push_back(
                    {slot->bitmap_left + static_cast<int>(column), ascent - slot->bitmap_top + static_cast<int>(row)});
        }
    }
    FT_Bitmap_Done(library, &levels);
    return converted;
}

// "the glyph of "é" (code 233)"
std::u16string GlyphName(const Glyph &glyph)
{
    return u"the glyph of \"" + std::u16string(1, glyph.character) + u"\" (code " + Number(glyph.code) + u")";
}

// Every glyph of codes 32 to 255 at the face's size, and the cell they stand
// in: a bitmap font's is its ascent and descent high and its widest advance
// wide. An outline font's metrics leave room for accents on capitals,
// brackets and more, which a 7-dot display cannot spare: there the cell is as
// high as the ASCII letters and digits reach, from the highest dot to the
// lowest.
struct Drawn
{
    std::vector<Glyph> glyphs;
    int columns = 0;
    int rows = 0;
};

// The name of the glyph that could not be drawn; empty when all were.
std::u16string Draw(FT_Library library, FT_Face face, const CodePage &codePage, bool outline, Drawn &drawn)
{
    const FT_Size_Metrics &metrics = face->size->metrics;
    const int ascent = static_cast<int>(metrics.ascender >> 6);
    drawn = Drawn{};
    drawn.rows = static_cast<int>((metrics.ascender - metrics.descender) >> 6);
    int top = ascent;
    int bottom = ascent - 1;
    for (std::int16_t code = kFirstGlyphCode; code <= kLastFontCode; ++code) {
        Glyph glyph{code, codePage.CharOf(code), 0, {}};
        const FT_UInt index = FT_Get_Char_Index(face, glyph.character);
        if (index == 0)
            continue;
        if (!RenderGlyph(library, face, index, ascent, glyph))
            return GlyphName(glyph);
        drawn.columns = std::max(drawn.columns, glyph.advance);
        if (code < 127 && std::isalnum(code)) {
            for (const Dot &dot : glyph.dots) {
                top = std::min(top, dot.row);
                bottom = std::max(bottom, dot.row);
            }
        }
        drawn.glyphs.push_back(std::move(glyph));
    }
    if (outline) {
        drawn.rows = std::max(0, bottom - top + 1);
        for (Glyph &glyph : drawn.glyphs) {
            for (Dot &dot : glyph.dots)
                dot.row -= top;
        }
    }
    return {};
}

std::u16string ReadGlyphs(const std::filesystem::path &file, std::vector<char> &bytes, const CodePage &codePage,
                          GlyphFont &font)
{
    MemoryBudget budget;
    FT_MemoryRec_ memory{&budget, Allocate, Free, Reallocate};
    FT_Library rawLibrary = nullptr;
    if (FT_New_Library(&memory, &rawLibrary) != 0)
        return u"the font reader could not start, so " + Quoted(file) + u" was not read";
    const Library library(rawLibrary);
    FT_Add_Default_Modules(library.get());
    FT_Set_Default_Properties(library.get());

    const auto outOfMemory = [&file] { return TooLarge(file, u"needs", kMaxWorkingMiB, u" of memory to read"); };
    std::u16string error = Expand(&memory, bytes, file);
    if (!error.empty())
        return error;
    FT_Face rawFace = nullptr;
    const FT_Error opened = FT_New_Memory_Face(library.get(), reinterpret_cast<const FT_Byte *>(bytes.data()),
                                               static_cast<FT_Long>(bytes.size()), 0, &rawFace);
    const Face face(rawFace);
    if (opened != 0)
        return budget.exceeded ? outOfMemory() : NotAFont(file);
    if (FT_Select_Charmap(face.get(), FT_ENCODING_UNICODE) != 0)
        return u"the font in " + Quoted(file) + u" does not say which characters its glyphs are (no Unicode map)";

    // A bitmap strike is taken as its maker drew it, and refused when it does
    // not fit. An outline has no size of its own: it is drawn at the largest
    // size whose cell fits the display, what little reaches outside the cell
    // there (an accent, a tail) cut off.
    int smallest = -1;
    const int fitting = FittingStrike(face.get(), smallest);
    const bool outline = fitting < 0 && FT_IS_SCALABLE(face.get());
    if (!outline && (smallest < 0 || FT_Select_Size(face.get(), fitting >= 0 ? fitting : smallest) != 0))
        return u"the font in " + Quoted(file) + u" has neither an outline nor a bitmap strike to draw";
    Drawn drawn;
    for (int pixels = outline ? 2 * kCellRows : 0; pixels >= 0; --pixels) {
        if (outline && (pixels == 0 || FT_Set_Pixel_Sizes(face.get(), 0, static_cast<FT_UInt>(pixels)) != 0))
            return FontIn(face.get(), file) + u" cannot be drawn within the display's " + Size(kCellColumns, kCellRows)
                   + u" dots at any size";
        std::u16string error = Draw(library.get(), face.get(), codePage, outline, drawn);
        if (!error.empty())
            return budget.exceeded ? outOfMemory() : error + u" in " + Quoted(file) + u" cannot be read";
        if (drawn.columns <= kCellColumns && drawn.rows <= kCellRows)
            break;
        if (!outline)
            return FontIn(face.get(), file) + u" is " + Size(drawn.columns, drawn.rows)
                   + u" dots, larger than the display's " + Size(kCellColumns, kCellRows);
    }

    for (const Glyph &glyph : drawn.glyphs) {
        GlyphColumns dots{};
        for (const Dot &dot : glyph.dots) {
            if (dot.column >= 0 && dot.column < drawn.columns && dot.row >= 0 && dot.row < drawn.rows)
                LightDot(dots, static_cast<std::size_t>(dot.column), static_cast<std::size_t>(dot.row));
            else if (!outline)
                return GlyphName(glyph) + u" in " + Quoted(file) + u" does not fit in the font's "
                       + Size(drawn.columns, drawn.rows) + u" cell";
        }
        font[static_cast<std::size_t>(glyph.code)] = dots;
    }
    return {};
}

} // namespace

FontFileResult ReadFontBytes(std::vector<char> bytes, const std::filesystem::path &file, const CodePage &codePage)
{
    FontFileResult result;
    GlyphFont font;
    result.error = ReadGlyphs(file, bytes, codePage, font);
    if (result.error.empty())
        result.font = font;
    return result;
}

FontFileResult ReadFontFile(const std::filesystem::path &file, const CodePage &codePage)
{
    std::vector<char> bytes;
    std::u16string error = ReadWholeFile(file, bytes);
    if (!error.empty())
        return {std::nullopt, std::move(error)};
    return ReadFontBytes(std::move(bytes), file, codePage);
}

} // namespace qxm
