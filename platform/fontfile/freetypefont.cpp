#include "platform/fontfile/freetypefont.h"

#include "core/chardata.h"
#include "core/codepage.h"
#include "core/glyphfont.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BZIP2_H
#include FT_GZIP_H
#include FT_LZW_H
#include FT_MODULE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace qxm {

namespace {

constexpr std::int16_t kLastFontCode = 255;
// Far above any bitmap font, expanded or not; it keeps a mistaken argument (a
// disk image, say) from being read into memory whole.
constexpr long kMaxFileMiB = 64;
constexpr std::size_t kMaxFileBytes = static_cast<std::size_t>(kMaxFileMiB) << 20;
// What reading a font may take: FreeType's own memory (some formats, WOFF,
// say how large their tables expand to, and FreeType sets that much aside
// before checking), and every glyph's bitmap drawn at every size tried, so
// that a tiny file describing huge glyphs is refused within a second or two.
constexpr long kMaxWorkingMiB = 2 * kMaxFileMiB;
// An outline is drawn at 64 pixels at the most; a glyph sixteen times that
// size is no letter but a trap.
constexpr FT_Pos kMaxDrawnSide = FT_Pos{16} * 2 * kMaxCellSide;

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

// The lit dots' extent, in the cell's rows and columns.
struct Extent
{
    int left = std::numeric_limits<int>::max();
    int right = std::numeric_limits<int>::min();
    int top = std::numeric_limits<int>::max();
    int bottom = std::numeric_limits<int>::min();

    bool Empty() const { return right < left; }
    void Add(int column, int row)
    {
        left = std::min(left, column);
        right = std::max(right, column);
        top = std::min(top, row);
        bottom = std::max(bottom, row);
    }
};

struct DrawnGlyph
{
    std::int16_t code = 0;
    char16_t character = 0;
    int advance = 0;
    Glyph dots{kMaxCellSide, kMaxCellSide}; // those inside the largest cell
    Extent lit;                             // all of them, inside or not
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

// What little was still needed could not be had: the machine is short of
// memory, whatever the font.
std::u16string NotEnoughMemory(const std::filesystem::path &file)
{
    return u"there was not enough memory to read " + Quoted(file);
}

// FreeType's memory, each block headed by its size so that a freed one goes
// back to the budget.
struct MemoryBudget
{
    std::size_t left = static_cast<std::size_t>(kMaxWorkingMiB) << 20;
    bool exceeded = false;

    // A bitmap drawn costs its bytes for good, on top of FreeType's memory
    // while it lives, so that what drawing takes in all stays bounded too.
    bool Draws(std::size_t bytes)
    {
        if (bytes > left)
            exceeded = true;
        else
            left -= bytes;
        return !exceeded;
    }
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

// The tallest bitmap strike that fits the cell, or -1; the smallest strike,
// or -1, in smallest.
int FittingStrike(FT_Face face, CellSize cell, int &smallest)
{
    int fitting = -1;
    smallest = -1;
    for (int strike = 0; strike < face->num_fixed_sizes; ++strike) {
        const FT_Short height = face->available_sizes[strike].height;
        if (height <= cell.height && (fitting < 0 || height > face->available_sizes[fitting].height))
            fitting = strike;
        if (smallest < 0 || height < face->available_sizes[smallest].height)
            smallest = strike;
    }
    return fitting;
}

// Whether the dot of a bitmap is lit: in a grey bitmap from half its full
// level.
bool BitmapDot(const FT_Bitmap &bitmap, const unsigned char *line, unsigned column)
{
    switch (bitmap.pixel_mode) {
    case FT_PIXEL_MODE_MONO:
        return ((line[column / 8] >> (7 - column % 8)) & 1U) != 0;
    case FT_PIXEL_MODE_GRAY2:
        return ((line[column / 4] >> (2 * (3 - column % 4))) & 3U) >= 2;
    case FT_PIXEL_MODE_GRAY4:
        return ((line[column / 2] >> (4 * (1 - column % 2))) & 15U) >= 8;
    default: // 8-bit grey, the only other depth FreeType gives
        return 2U * line[column] >= bitmap.num_grays;
    }
}

// Draws one glyph in black and white, rowOffset being the cell row of the
// font's ascent; its lit dots go into the glyph and its extent.
bool RenderGlyph(FT_Face face, FT_UInt index, int rowOffset, MemoryBudget &budget, DrawnGlyph &glyph, bool &tooLarge)
{
    // An outline's own hints aim at sizes far above a display's, where they
    // misplace or drop strokes; FreeType's auto-hinter keeps stems whole and
    // on the grid. A bitmap is drawn as it is either way.
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO | FT_LOAD_FORCE_AUTOHINT) != 0)
        return false;
    const FT_GlyphSlot slot = face->glyph;
    // FreeType's rasteriser takes time with the bitmap's size, minutes for
    // some huge outlines: an outline far larger than any cell is not drawn
    // at all, and one that is counts against the budget before it is drawn.
    const bool outline = slot->format == FT_GLYPH_FORMAT_OUTLINE;
    if (outline) {
        FT_BBox box;
        FT_Outline_Get_CBox(&slot->outline, &box);
        const FT_Pos width = ((box.xMax - box.xMin) >> 6) + 2;
        const FT_Pos height = ((box.yMax - box.yMin) >> 6) + 2;
        tooLarge = width > kMaxDrawnSide || height > kMaxDrawnSide;
        if (tooLarge || !budget.Draws(static_cast<std::size_t>((width + 7) / 8 * height))
            || FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0)
            return false;
    }
    const FT_Bitmap &bitmap = slot->bitmap;
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    // A BDF glyph without its BITMAP lines comes with a size but no dots.
    if (!bitmap.buffer && bitmap.rows != 0 && bitmap.width != 0)
        return false;
    const bool known = bitmap.pixel_mode == FT_PIXEL_MODE_MONO || bitmap.pixel_mode == FT_PIXEL_MODE_GRAY
                       || bitmap.pixel_mode == FT_PIXEL_MODE_GRAY2 || bitmap.pixel_mode == FT_PIXEL_MODE_GRAY4;
    const auto pitch = static_cast<std::size_t>(std::abs(bitmap.pitch));
    if (!known || (!outline && !budget.Draws(pitch * bitmap.rows)))
        return false;
    // Only the ends of each row count for the extent, and only the columns
    // that fall inside the largest cell for the dots, so that a huge glyph
    // costs its rows, not its area.
    const int columns = static_cast<int>(bitmap.width);
    const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char *line = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        const auto lit = [&](int column) { return BitmapDot(bitmap, line, static_cast<unsigned>(column)); };
        // Whole dark bytes at once, the most common case by far.
        int left = 0;
        while (mono && left < columns && line[left / 8] == 0)
            left += 8;
        while (left < columns && !lit(left))
            ++left;
        if (left >= columns)
            continue;
        int right = columns - 1;
        while (mono && line[right / 8] == 0)
            right = right / 8 * 8 - 1;
        while (!lit(right))
            --right;
        const int y = rowOffset - slot->bitmap_top + static_cast<int>(row);
        glyph.lit.Add(slot->bitmap_left + left, y);
        glyph.lit.Add(slot->bitmap_left + right, y);
        if (y < 0 || y >= kMaxCellSide)
            continue;
        const int first = std::max(left, -slot->bitmap_left);
        const int last = std::min(right, kMaxCellSide - 1 - slot->bitmap_left);
        for (int column = first; column <= last; ++column)
            glyph.dots.SetDot(slot->bitmap_left + column, y, lit(column));
    }
    return true;
}

// "the glyph of "é" (code 233)"
std::u16string GlyphName(const DrawnGlyph &glyph)
{
    return u"the glyph of \"" + std::u16string(1, glyph.character) + u"\" (code " + Number(glyph.code) + u")";
}

// Every glyph of codes 32 to 255 at the face's size, and the cell they stand
// in: a bitmap font's is its ascent and descent high and its widest advance
// wide. An outline font's metrics leave room for accents on capitals,
// brackets and more, which a small display cannot spare: there the cell is
// as high as the ASCII letters and digits reach, from the highest dot to the
// lowest (top and bottom, in the rows below the ascent).
struct Drawn
{
    std::vector<DrawnGlyph> glyphs;
    bool tooLarge = false; // the glyph that could not be drawn is far larger than any cell
    int ascent = 0;
    CellSize cell{0, 0};
    Extent letters;
};

// The name of the glyph that could not be drawn; empty when all were.
std::u16string Draw(FT_Face face, const CodePage &codePage, int rowOffset, MemoryBudget &budget, Drawn &drawn)
{
    const FT_Size_Metrics &metrics = face->size->metrics;
    drawn = Drawn{};
    drawn.ascent = static_cast<int>(metrics.ascender >> 6);
    drawn.cell.height = static_cast<int>((metrics.ascender - metrics.descender) >> 6);
    // A proportional bitmap font's advances hold the space it leaves after
    // each glyph, which the display's cell need not: there a glyph takes the
    // columns up to its last lit dot, and no more than its advance, so that
    // dots past the advance are still refused. A monospaced font's advance
    // is its cell as its maker drew it, and an outline's sets its size.
    const bool spaced = !FT_IS_FIXED_WIDTH(face) && !FT_IS_SCALABLE(face);
    for (std::int16_t code = kFirstGlyphCode; code <= kLastFontCode; ++code) {
        DrawnGlyph glyph;
        glyph.code = code;
        glyph.character = codePage.CharOf(code);
        const FT_UInt index = FT_Get_Char_Index(face, glyph.character);
        if (index == 0)
            continue;
        if (!RenderGlyph(face, index, rowOffset, budget, glyph, drawn.tooLarge))
            return GlyphName(glyph);
        const int inked = glyph.lit.Empty() ? 0 : std::min(glyph.advance, glyph.lit.right + 1);
        drawn.cell.width = std::max(drawn.cell.width, spaced ? inked : glyph.advance);
        const char16_t c = glyph.character;
        if (!glyph.lit.Empty() && ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))) {
            drawn.letters.Add(glyph.lit.left, glyph.lit.top);
            drawn.letters.Add(glyph.lit.right, glyph.lit.bottom);
        }
        drawn.glyphs.push_back(glyph);
    }
    return {};
}

// An outline has no size of its own: it is drawn at the largest size whose
// letters fit the cell, what little reaches outside there (an accent, a
// tail) cut off. Returns the name of a glyph that could not be drawn, or
// nothing; `fits` says whether a size was found.
std::u16string DrawOutline(FT_Face face, const CodePage &codePage, CellSize cell, MemoryBudget &budget, Drawn &drawn,
                           bool &fits)
{
    fits = true;
    for (int pixels = 2 * cell.height; pixels > 0; --pixels) {
        if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) != 0)
            break;
        std::u16string error = Draw(face, codePage, 0, budget, drawn);
        if (!error.empty())
            return error;
        const int rows = drawn.letters.Empty() ? 0 : drawn.letters.bottom - drawn.letters.top + 1;
        if (drawn.cell.width > cell.width || rows > cell.height)
            continue;
        // Once more with the letters' top on the cell's top row.
        const int top = drawn.letters.Empty() ? 0 : drawn.letters.top;
        error = Draw(face, codePage, -top, budget, drawn);
        drawn.ascent -= top;
        drawn.cell.height = rows;
        return error;
    }
    fits = false;
    return {};
}

std::u16string ReadGlyphs(const std::filesystem::path &file, std::vector<char> &bytes, const CodePage &codePage,
                          CellSize cell, std::string_view sizeOption, GlyphFont &font,
                          std::optional<CellSize> &largerCell)
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
    // not fit.
    int smallest = -1;
    const int fitting = FittingStrike(face.get(), cell, smallest);
    const bool outline = fitting < 0 && FT_IS_SCALABLE(face.get());
    if (!outline && (smallest < 0 || FT_Select_Size(face.get(), fitting >= 0 ? fitting : smallest) != 0))
        return u"the font in " + Quoted(file) + u" has neither an outline nor a bitmap strike to draw";
    Drawn drawn;
    bool fits = true;
    error = outline ? DrawOutline(face.get(), codePage, cell, budget, drawn, fits)
                    : Draw(face.get(), codePage, static_cast<int>(face->size->metrics.ascender >> 6), budget, drawn);
    if (budget.exceeded)
        return outOfMemory();
    if (!error.empty())
        return error + u" in " + Quoted(file)
               + (drawn.tooLarge ? u" is far larger than any cell, too large to draw" : u" cannot be read");
    if (!fits)
        return FontIn(face.get(), file) + u" cannot be drawn within the display's " + Widened(SizeInWords(cell))
               + u" dots at any size";
    if (!outline && (drawn.cell.width > cell.width || drawn.cell.height > cell.height)) {
        largerCell = drawn.cell;
        return FontIn(face.get(), file) + u" " + Widened(LargerThanCell(drawn.cell, cell, sizeOption));
    }

    font.cell = cell;
    font.ascent = drawn.ascent;
    for (const DrawnGlyph &glyph : drawn.glyphs) {
        const Extent &lit = glyph.lit;
        if (!outline && !lit.Empty()
            && (lit.left < 0 || lit.top < 0 || lit.right >= drawn.cell.width || lit.bottom >= drawn.cell.height))
            return GlyphName(glyph) + u" in " + Quoted(file) + u" does not fit in the font's "
                   + Widened(SizeInWords(drawn.cell)) + u" cell";
        // What an outline draws outside its letters' cell is cut off.
        font.glyphs[static_cast<std::size_t>(glyph.code)] = InCell(InCell(glyph.dots, drawn.cell), cell);
    }
    return {};
}

} // namespace

FontFileResult ReadFontBytes(std::vector<char> bytes, const std::filesystem::path &file, const CodePage &codePage,
                             CellSize cell, std::string_view sizeOption)
{
    FontFileResult result;
    try {
        GlyphFont font;
        result.error = ReadGlyphs(file, bytes, codePage, cell, sizeOption, font, result.largerCell);
        if (result.error.empty())
            result.font = font;
    } catch (const std::bad_alloc &) {
        result.error = NotEnoughMemory(file);
    }
    return result;
}

FontFileResult ReadFontFile(const std::filesystem::path &file, const CodePage &codePage, CellSize cell,
                            std::string_view sizeOption)
{
    std::vector<char> bytes;
    std::u16string error;
    try {
        error = ReadWholeFile(file, bytes);
    } catch (const std::bad_alloc &) {
        error = NotEnoughMemory(file);
    }
    if (!error.empty()) {
        FontFileResult refused;
        refused.error = std::move(error);
        return refused;
    }
    return ReadFontBytes(std::move(bytes), file, codePage, cell, sizeOption);
}

} // namespace qxm
