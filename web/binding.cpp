// What the web page calls: the same core and the same run as qxm-convert, so
// that the page writes exactly what the command writes. The page's script
// only shows the results: it converts and checks nothing itself.
#include "core/chardata.h"
#include "core/conversion.h"
#include "core/fontdata.h"
#include "core/fontdatarun.h"
#include "core/glyphfont.h"
#include "core/preview.h"
#include "core/productinfo.h"
#include "core/runtimeerrortext.h"
#include "core/utf8.h"
#include "core/windows1252codepage.h"
#include "platform/fontfile/freetypefont.h"
#include "web/glyphedits.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

using emscripten::val;

const qxm::CodePage &CodePage()
{
    return qxm::Windows1252CodePage::Instance();
}

// embind hands a std::string to JavaScript one byte at a time; the browser's
// own decoder takes a long output, megabytes for the longest text, at once.
val BytesOf(std::string_view bytes)
{
    return val(emscripten::typed_memory_view(bytes.size(), reinterpret_cast<const unsigned char *>(bytes.data())));
}

val ToJs(std::string_view utf8)
{
    static const val decoder = val::global("TextDecoder").new_(std::string("utf-8"));
    return decoder.call<val>("decode", BytesOf(utf8));
}

// The page's choices, as its script passes them: { format, rows, firstBit,
// name, size, proportional, lookup, table }.
struct PageChoices
{
    std::string format;
    bool rows = false;
    std::string firstBit;
    std::string name; // empty for the default, as when --name is left out
    std::string size; // empty for the default cell
    bool proportional = false;
    bool lookup = false;
    bool table = false;
};

PageChoices ReadPageChoices(const val &choices)
{
    PageChoices read;
    read.format = choices["format"].as<std::string>();
    read.rows = choices["rows"].as<bool>();
    read.firstBit = std::to_string(choices["firstBit"].as<int>());
    read.name = choices["name"].as<std::string>();
    read.size = choices["size"].as<std::string>();
    read.proportional = choices["proportional"].as<bool>();
    read.lookup = choices["lookup"].as<bool>();
    read.table = choices["table"].as<bool>();
    return read;
}

// Only a format chosen, the rest as qxm-convert's defaults.
PageChoices FormatOnly(std::string_view format)
{
    PageChoices choices;
    choices.format = std::string(format);
    return choices;
}

// The choices read as qxm-convert reads its options, refused with the same
// words. Only what is given is read: the first bit and the lookup are left
// out where a check needs only the rest.
qxm::OptionsChoice ChooseOptions(const PageChoices &page, bool withFirstBit = true, bool withLookup = true)
{
    qxm::OptionChoices choices;
    choices.format = page.format;
    choices.rows = page.rows;
    if (withFirstBit)
        choices.firstBit = page.firstBit;
    if (!page.name.empty())
        choices.name = page.name;
    if (!page.size.empty())
        choices.size = page.size;
    choices.proportional = page.proportional;
    choices.table = page.table;
    choices.lookup = withLookup && page.lookup;
    return qxm::ChooseOptions(choices);
}

// Whether qxm-convert takes --lookup with the format and --table as chosen;
// the page offers it only there.
bool LookupOffered(const PageChoices &page)
{
    PageChoices lookup = FormatOnly(page.format);
    lookup.table = page.table;
    lookup.lookup = true;
    return ChooseOptions(lookup, false).refusal.empty();
}

// The cell the choices name, or the default one where they name none that
// is taken.
qxm::CellSize CellOf(const std::string &size)
{
    PageChoices cell = FormatOnly(qxm::FontDataFormats().front().id);
    cell.size = size;
    const qxm::OptionsChoice choice = ChooseOptions(cell, false, false);
    return choice.refusal.empty() ? choice.options.cell : qxm::kDesignCell;
}

// The font the user picked: its file's bytes, read again for each cell as
// qxm-convert --font reads it for its --size.
struct FontFile
{
    std::vector<char> bytes;
    std::filesystem::path name;
};
std::optional<FontFile> g_fontFile;

// The font in use (the file's, or the built-in one) in the cell last asked
// for, or why it does not fit that cell, in the page's words.
struct CellFont
{
    bool read = false;
    qxm::CellSize cell;
    std::optional<qxm::GlyphFont> font;
    std::string refusal;
};
CellFont g_cellFont;

const CellFont &FontInCell(qxm::CellSize cell)
{
    if (g_cellFont.read && g_cellFont.cell == cell)
        return g_cellFont;
    g_cellFont = CellFont{true, cell, std::nullopt, {}};
    if (g_fontFile) {
        // The page names the cell its own way, not by qxm-convert's option.
        qxm::FontFileResult loaded = qxm::ReadFontBytes(g_fontFile->bytes, g_fontFile->name, CodePage(), cell, {});
        g_cellFont.font = std::move(loaded.font);
        g_cellFont.refusal = qxm::ToUtf8(loaded.error);
    } else {
        g_cellFont.font = qxm::FontInCell(qxm::BuiltInFont(), cell);
        if (!g_cellFont.font)
            g_cellFont.refusal = "the built-in font " + qxm::LargerThanCell(qxm::BuiltInFont().cell, cell, {});
    }
    return g_cellFont;
}

GlyphEdits g_edits;

// What the last Update() converted with: its options, and the font its run
// draws from (in the cell, edited, proportional when chosen), or none when
// the cell takes no font. fontVersion counts the fonts made, so that the
// picture is made again only when the font or the text changes.
qxm::FontDataOptions g_options;
std::optional<qxm::GlyphFont> g_runFont;
int g_fontVersion = 0;
bool g_fontStale = true;

void MakeRunFont(const qxm::FontDataOptions &options)
{
    const bool same = !g_fontStale && g_options.cell == options.cell && g_options.proportional == options.proportional;
    g_options = options;
    if (same)
        return;
    g_fontStale = false;
    ++g_fontVersion;
    const CellFont &inCell = FontInCell(options.cell);
    g_runFont.reset();
    if (inCell.font)
        g_runFont = qxm::FontForRun(g_edits.Apply(*inCell.font), options);
}

// The output of the last conversion, in qxm-convert's bytes: the page shows
// it as text and saves it as it is.
std::string g_output;

// What the page shows of a long output and a long picture is only the part
// in view: the whole would take the browser far longer to lay out than the
// conversion takes. These keep the whole here and hand out the part asked
// for. g_lineStarts: where each line of the last output starts.
std::vector<std::size_t> g_lineStarts;
qxm::PreviewStrip g_strip;
std::u16string g_stripText;
int g_stripFontVersion = -1;

// The refusal of the name field in the page's words, or nothing.
std::string NameProblem(const PageChoices &page)
{
    PageChoices named = FormatOnly(page.format);
    named.name = page.name;
    if (page.name.empty() || ChooseOptions(named, false, false).refusal.empty())
        return {};
    const qxm::OptionsChoice plain = ChooseOptions(FormatOnly(page.format), false, false);
    if (qxm::IsReservedName(plain.options.format, page.name))
        return "\"" + page.name + "\" is a reserved word in this format: choose another name.";
    return "A name has letters, digits and _ only, and does not start with a digit.";
}

// The refusal of the cell field in the page's words, or nothing: a cell the
// format cannot take is said here; a font that does not fit it, by Update().
std::string CellProblem(const PageChoices &page)
{
    PageChoices sized = FormatOnly(qxm::FontDataFormats().front().id);
    sized.size = page.size;
    if (page.size.empty())
        return {};
    if (!ChooseOptions(sized, false, false).refusal.empty())
        return "A cell is its width and height in dots, each from 1 to 32, such as 8x8.";
    sized.format = page.format;
    const qxm::OptionsChoice format = ChooseOptions(sized, false, false);
    if (format.refusal.empty())
        return {};
    return std::string(qxm::InfoOf(format.options.format).description)
           + " keeps a column in one byte: choose a cell at most 8 dots high.";
}

// Notes where each line of the last output starts.
void IndexOutput(val &result)
{
    g_lineStarts.clear();
    std::size_t longest = 0;
    for (std::size_t start = 0; start < g_output.size();) {
        g_lineStarts.push_back(start);
        const std::size_t end = std::min(g_output.find('\n', start), g_output.size());
        longest = std::max(longest, end - start);
        start = end + 1;
    }
    result.set("lines", g_lineStarts.size());
    // As many bytes as the longest line holds: as many characters or a few
    // more, so that the page can size its view of them.
    result.set("longest", longest);
    // The BASIC formats end their lines with CR LF, which a copy keeps; a
    // format ends all its lines alike.
    const std::size_t firstEnd = g_output.find('\n');
    result.set("crlf", firstEnd != std::string::npos && firstEnd > 0 && g_output[firstEnd - 1] == '\r');
}

// Converts the text (or, with table, the whole font) as qxm-convert does
// with the choices, keeping its output for OutputLines() and the rest, and
// its picture for PreviewColumns(). Returns:
// - message: why the text stops the run, in the converter window's words;
// - cellProblem, nameProblem: why a field is refused, in the page's words
//   (then there is no output, and no picture while the cell is refused);
// - lookupOffered: whether the lookup is taken with this format and table;
// - lines, longest, crlf: the output's size (see IndexOutput);
// - columns, rows, pictureVersion: the picture's size, and a number that
//   changes when the picture does.
val Update(const std::u16string &text, const val &choices)
{
    const PageChoices page = ReadPageChoices(choices);
    const bool lookupOffered = LookupOffered(page);
    PageChoices taken = page;
    taken.lookup = page.lookup && lookupOffered;
    const qxm::OptionsChoice choice = ChooseOptions(taken);
    std::string cellProblem = CellProblem(page);
    const std::string nameProblem = NameProblem(page);
    if (cellProblem.empty())
        MakeRunFont(choice.options);
    if (cellProblem.empty() && !g_runFont)
        cellProblem = FontInCell(choice.options.cell).refusal;
    const bool cellTaken = cellProblem.empty();

    g_output.clear();
    if (cellTaken && choice.refusal.empty()) {
        qxm::RunSettings settings;
        settings.font = &*g_runFont;
        settings.codePage = &CodePage();
        settings.options = choice.options;
        qxm::RunInput input;
        input.source = page.table ? qxm::RunInput::Source::Table : qxm::RunInput::Source::Text;
        input.text = text;
        qxm::Run(settings, input, [](std::string_view bytes) {
            g_output.append(bytes);
            return true;
        });
    }
    if (!cellTaken) {
        g_strip = qxm::PreviewStrip();
        g_stripFontVersion = -1;
    } else if (text != g_stripText || g_stripFontVersion != g_fontVersion) {
        g_strip = qxm::PreviewStrip(*g_runFont, CodePage(), text);
        g_stripText = text;
        g_stripFontVersion = g_fontVersion;
    }

    val result = val::object();
    result.set("message", g_strip.Error() ? qxm::DescribeRunTimeError(*g_strip.Error()) : std::string());
    result.set("refused", !choice.refusal.empty() || !cellTaken);
    result.set("cellProblem", cellProblem);
    result.set("nameProblem", nameProblem);
    result.set("lookupOffered", lookupOffered);
    IndexOutput(result);
    result.set("columns", g_strip.Columns());
    result.set("rows", cellTaken ? g_strip.Rows() : 0);
    result.set("pictureVersion", g_stripFontVersion);
    return result;
}

val OutputText()
{
    return ToJs(g_output);
}

// A copy: a view of the module's memory would change with the next call.
val OutputBytes()
{
    return val::global("Uint8Array").new_(BytesOf(g_output));
}

// count lines of the last output from line first (0 the top), with LF line
// ends as a text box shows them; lines past the end are left out.
val OutputLines(int first, int count)
{
    const std::size_t lines = g_lineStarts.size();
    const std::size_t from = std::min(static_cast<std::size_t>(std::max(first, 0)), lines);
    const std::size_t to = std::min(from + static_cast<std::size_t>(std::max(count, 0)), lines);
    const std::size_t begin = from < lines ? g_lineStarts[from] : g_output.size();
    const std::size_t end = to < lines ? g_lineStarts[to] : g_output.size();
    std::string shown;
    std::remove_copy(g_output.begin() + static_cast<std::ptrdiff_t>(begin),
                     g_output.begin() + static_cast<std::ptrdiff_t>(end), std::back_inserter(shown), '\r');
    return ToJs(shown);
}

// count columns of the picture from column first (0 the leftmost): each row
// of dots, top first, '#' lit and '.' dark; columns past the end are left
// out.
val PreviewColumns(int first, int count)
{
    val rows = val::array();
    for (const std::string &row :
         g_strip.Window(static_cast<std::size_t>(std::max(first, 0)), static_cast<std::size_t>(std::max(count, 0))))
        rows.call<void>("push", row);
    return rows;
}

// The code of the glyph drawn in the picture's column, or -1.
int CodeAtColumn(int column)
{
    return column < 0 ? -1 : g_strip.CodeAt(static_cast<std::size_t>(column));
}

// Reads a font file's bytes with qxm-convert's own loader, through a file of
// the same name in a folder of the page's memory, so that a refusal names it
// as qxm-convert would name a file in its working folder, for the cell the
// size names. Taken, the font serves every call after, read again for each
// cell. Returns the refusal, in qxm-convert's words but for the cell's
// option, and the cell that takes a font refused as too large ("6x10"), or
// empty strings when the font is taken.
val LoadFont(const std::string &bytes, const std::string &fileName, const std::string &size)
{
    namespace fs = std::filesystem;
    val result = val::object();
    result.set("refusal", std::string());
    result.set("needs", std::string());
    // A folder of its own, so that no name the user's file has can meet one
    // of the page's own files or folders.
    std::error_code failure;
    fs::create_directories("/fonts", failure);
    fs::current_path("/fonts", failure);
    fs::path file = fs::path(fileName).filename();
    if (file.empty() || file == "." || file == "..")
        file = "font";
    const std::string noRoom = "cannot take the font file \"" + file.string() + "\" in: the page has no room for it";
    std::FILE *stream = failure ? nullptr : std::fopen(file.c_str(), "wb");
    if (!stream) {
        result.set("refusal", noRoom);
        return result;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
    const bool closed = std::fclose(stream) == 0;
    if (!written || !closed) {
        fs::remove(file, failure);
        result.set("refusal", noRoom);
        return result;
    }
    const qxm::CellSize cell = CellOf(size);
    const qxm::FontFileResult loaded = qxm::ReadFontFile(file, CodePage(), cell, {});
    fs::remove(file, failure);
    if (!loaded.font) {
        result.set("refusal", qxm::ToUtf8(loaded.error));
        const std::optional<qxm::CellSize> taking =
            loaded.largerCell ? qxm::CellTaking(*loaded.largerCell, cell) : std::nullopt;
        result.set("needs", taking ? qxm::CellArgument(*taking) : std::string());
        return result;
    }
    g_fontFile = FontFile{std::vector<char>(bytes.begin(), bytes.end()), file};
    g_cellFont = CellFont{true, cell, loaded.font, {}};
    g_fontStale = true;
    return result;
}

void UseBuiltInFont()
{
    g_fontFile.reset();
    g_cellFont = CellFont{};
    g_fontStale = true;
}

// The editor's calls. A glyph is edited in the cell of the last Update(),
// over the font in use there; none of them does anything while that cell
// takes no font.

// Whether the text converts a glyph for the code: 32 to 255, not DEL or a
// C1 control.
bool Editable(int code)
{
    return code >= qxm::kFirstGlyphCode && code < 256
           && !qxm::IsControlAboveSpace(CodePage().CharOf(static_cast<std::int16_t>(code)));
}

// The code of the character (one UTF-16 code unit), or -1 where the text has
// no glyph for it.
int CodeOfCharacter(const std::u16string &character)
{
    if (character.size() != 1)
        return -1;
    const std::int16_t code = CodePage().CodeOf(character[0]);
    return Editable(code) && CodePage().CharOf(code) == character[0] ? code : -1;
}

std::u16string CharacterOfCode(int code)
{
    return std::u16string(1, CodePage().CharOf(static_cast<std::int16_t>(code)));
}

// The next code with a glyph to edit after the code, or before it when step
// is -1, round from the last to the first.
int NextCode(int code, int step)
{
    for (int next = code + step;; next += step) {
        next = next > 255 ? qxm::kFirstGlyphCode : next < qxm::kFirstGlyphCode ? 255 : next;
        if (Editable(next) || next == code)
            return next;
    }
}

// The first code of the text that lights a dot, else the font's first such
// code, else the first code.
int FirstLitCode(const std::u16string &text)
{
    if (!g_runFont)
        return qxm::kFirstGlyphCode;
    const auto lights = [](std::int16_t code) { return qxm::LitBox(qxm::GlyphOf(*g_runFont, code)).width > 0; };
    for (const char16_t unit : text) {
        const std::int16_t code = CodePage().CodeOf(unit);
        if (Editable(code) && lights(code))
            return code;
    }
    for (int code = qxm::kFirstGlyphCode; code < 256; ++code) {
        if (Editable(code) && lights(static_cast<std::int16_t>(code)))
            return code;
    }
    return qxm::kFirstGlyphCode;
}

// A glyph's dots in a cell: each row top first, '#' lit and '.' dark.
val DotRows(const qxm::Glyph &glyph, qxm::CellSize cell)
{
    val rows = val::array();
    for (int row = 0; row < cell.height; ++row) {
        std::string line;
        for (int column = 0; column < cell.width; ++column)
            line.push_back(glyph.Dot(column, row) ? '#' : '.');
        rows.call<void>("push", line);
    }
    return rows;
}

// The glyph's dots as drawn in the cell, edits included: each row top first,
// '#' lit and '.' dark; none while the cell takes no font.
val GlyphDots(int code)
{
    const std::optional<qxm::GlyphFont> &font = FontInCell(g_options.cell).font;
    if (!font || !Editable(code))
        return val::array();
    return DotRows(qxm::GlyphOf(g_edits.Apply(*font), static_cast<std::int16_t>(code)), font->cell);
}

void EditsChanged()
{
    g_fontStale = true;
}

void SetDot(int code, int column, int row, bool lit)
{
    const std::optional<qxm::GlyphFont> &font = FontInCell(g_options.cell).font;
    if (!font || !Editable(code))
        return;
    g_edits.SetDot(*font, static_cast<std::int16_t>(code), column, row, lit);
    EditsChanged();
}

void RestoreGlyph(int code)
{
    g_edits.Restore(static_cast<std::int16_t>(code));
    EditsChanged();
}

std::string Edits()
{
    return g_edits.Text();
}

void SetEdits(const std::string &text)
{
    g_edits.SetText(text);
    EditsChanged();
}

int EditCount()
{
    return static_cast<int>(g_edits.Count());
}

bool GlyphEdited(int code)
{
    return Editable(code) && g_edits.Edited(static_cast<std::int16_t>(code));
}

// The font in use, edits included, as qxm-convert -f bdf --table writes it
// with the choices' cell, proportional and name; nothing while they are
// refused.
val FontAsBdf(const val &choices)
{
    PageChoices page = ReadPageChoices(choices);
    page.format = "bdf";
    page.rows = false;
    page.lookup = false;
    page.table = true;
    const qxm::OptionsChoice choice = ChooseOptions(page, false);
    const CellFont &inCell = FontInCell(choice.options.cell);
    if (!choice.refusal.empty() || !inCell.font)
        return val::global("Uint8Array").new_(0);
    const qxm::GlyphFont font = qxm::FontForRun(g_edits.Apply(*inCell.font), choice.options);
    return val::global("Uint8Array").new_(BytesOf(qxm::FormatTable(font, CodePage(), choice.options)));
}

// One glyph to show how the last Update()'s byte layout packs the dots: the
// glyph as the output lays it out (a proportional one at the left of its
// cell), its dots top row first, the bytes the layout makes of them, and the
// bit that holds each dot of a byte, first dot first, found by laying out
// one dot at a time.
val GlyphPicture(int code)
{
    val picture = val::object();
    if (!g_runFont || !Editable(code))
        return picture;
    const qxm::CellSize cell = g_runFont->cell;
    const qxm::Glyph glyph = qxm::InCell(qxm::GlyphOf(*g_runFont, static_cast<std::int16_t>(code)), cell);
    const qxm::ByteLayout &layout = g_options.layout;
    const qxm::GlyphBytes laidOut = qxm::LayOutGlyph(glyph, layout);
    val bytes = val::array();
    for (std::size_t index = 0; index < laidOut.count; ++index)
        bytes.call<void>("push", laidOut.bytes[index]);
    val bits = val::array();
    for (int dot = 0; dot < qxm::DotsPerByte(layout.rows, cell); ++dot) {
        qxm::Glyph single(cell.width, cell.height);
        single.SetDot(layout.rows ? dot : 0, layout.rows ? 0 : dot);
        const unsigned byte = qxm::LayOutGlyph(single, layout).bytes[0];
        int bit = 0;
        while (bit < 7 && (byte >> bit) != 1U)
            ++bit;
        bits.call<void>("push", bit);
    }
    picture.set("character", CharacterOfCode(code));
    picture.set("rows", layout.rows);
    picture.set("dots", DotRows(glyph, cell));
    picture.set("bytes", bytes);
    picture.set("bits", bits);
    return picture;
}

val ProductInfo()
{
    val info = val::object();
    info.set("productName", std::string(qxm::ProductInfo::ProductName));
    info.set("description", std::string(qxm::ProductInfo::Description));
    info.set("makerName", std::string(qxm::ProductInfo::MakerName));
    info.set("webSite", std::string(qxm::ProductInfo::WebSite));
    info.set("email", std::string(qxm::ProductInfo::Email));
    info.set("mobile", std::string(qxm::ProductInfo::Mobile));
    info.set("version", std::string(qxm::ProductInfo::Version));
    return info;
}

// Each format's id, what it is for, its file name ending, and whether the
// byte layout changes it.
val Formats()
{
    val formats = val::array();
    for (const qxm::FormatInfo &info : qxm::FontDataFormats()) {
        val format = val::object();
        format.set("id", std::string(info.id));
        format.set("description", std::string(info.description));
        format.set("extension", std::string(info.extension));
        format.set("layout", qxm::TakesByteLayout(info.format));
        formats.call<void>("push", format);
    }
    return formats;
}

// The first bits that leave room for every dot in the size's cell, as
// --first-bit takes them.
val FirstBits(bool rows, const std::string &size)
{
    val bits = val::array();
    for (const int bit : qxm::FittingFirstBits(rows, CellOf(size)))
        bits.call<void>("push", bit);
    return bits;
}

int DefaultFirstBit(bool rows, const std::string &size)
{
    return qxm::DefaultLayout(rows, CellOf(size)).firstBit;
}

// The cell the size names, or the default one, as { columns, rows }.
val CellSize(const std::string &size)
{
    const qxm::CellSize cell = CellOf(size);
    val result = val::object();
    result.set("columns", cell.width);
    result.set("rows", cell.height);
    // The bytes of a glyph by columns and by rows.
    result.set("columnBytes", qxm::BytesPerGlyph(qxm::DefaultLayout(false, cell), cell));
    result.set("rowBytes", qxm::BytesPerGlyph(qxm::DefaultLayout(true, cell), cell));
    return result;
}

std::string DefaultName()
{
    return qxm::FontDataOptions{}.name;
}

int MaxTextLength()
{
    return static_cast<int>(qxm::kMaxTextLength);
}

} // namespace

EMSCRIPTEN_BINDINGS(qxm)
{
    emscripten::function("update", &Update);
    emscripten::function("outputText", &OutputText);
    emscripten::function("outputBytes", &OutputBytes);
    emscripten::function("outputLines", &OutputLines);
    emscripten::function("previewColumns", &PreviewColumns);
    emscripten::function("codeAtColumn", &CodeAtColumn);
    emscripten::function("loadFont", &LoadFont);
    emscripten::function("useBuiltInFont", &UseBuiltInFont);
    emscripten::function("codeOfCharacter", &CodeOfCharacter);
    emscripten::function("characterOfCode", &CharacterOfCode);
    emscripten::function("nextCode", &NextCode);
    emscripten::function("firstLitCode", &FirstLitCode);
    emscripten::function("glyphDots", &GlyphDots);
    emscripten::function("setDot", &SetDot);
    emscripten::function("restoreGlyph", &RestoreGlyph);
    emscripten::function("edits", &Edits);
    emscripten::function("setEdits", &SetEdits);
    emscripten::function("editCount", &EditCount);
    emscripten::function("glyphEdited", &GlyphEdited);
    emscripten::function("fontAsBdf", &FontAsBdf);
    emscripten::function("glyphPicture", &GlyphPicture);
    emscripten::function("productInfo", &ProductInfo);
    emscripten::function("formats", &Formats);
    emscripten::function("firstBits", &FirstBits);
    emscripten::function("defaultFirstBit", &DefaultFirstBit);
    emscripten::function("cellSize", &CellSize);
    emscripten::function("defaultName", &DefaultName);
    emscripten::function("maxTextLength", &MaxTextLength);
}
