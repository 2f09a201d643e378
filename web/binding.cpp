// What the web page calls: the same core and the same run as qxm-convert, so
// that the page writes exactly what the command writes. The page's script
// only shows the results: it converts and checks nothing itself.
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

// The font the user picked, for every call until another is picked or the
// built-in one is chosen again.
std::optional<qxm::GlyphFont> g_fileFont;

// The page's choices read as qxm-convert reads its options, refused with the
// same words; an empty name is the default one, as when --name is left out,
// and an empty size the default cell.
qxm::OptionsChoice ReadChoice(const std::string &format, bool rows, int firstBit, const std::string &name,
                              const std::string &size = {}, bool proportional = false)
{
    const std::string bit = std::to_string(firstBit);
    qxm::OptionChoices choices;
    choices.format = format;
    choices.rows = rows;
    choices.firstBit = bit;
    if (!name.empty())
        choices.name = name;
    if (!size.empty())
        choices.size = size;
    choices.proportional = proportional;
    return qxm::ChooseOptions(choices);
}

// The font a run draws from, in the options' cell, or why there is none.
std::optional<qxm::GlyphFont> FontFor(const qxm::FontDataOptions &options, std::string &refusal)
{
    std::optional<qxm::GlyphFont> inCell = g_fileFont ? g_fileFont : qxm::FontInCell(qxm::BuiltInFont(), options.cell);
    if (!inCell)
        refusal = "the built-in font " + qxm::LargerThanCell(qxm::BuiltInFont().cell, options.cell);
    if (!inCell)
        return std::nullopt;
    return qxm::FontForRun(*inCell, options);
}

const qxm::GlyphFont &CurrentFont()
{
    return g_fileFont ? *g_fileFont : qxm::BuiltInFont();
}

// The output of the last conversion, in qxm-convert's bytes: the page shows
// it as text and saves it as it is.
std::string g_output;

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

val Result(const std::string &message, bool refused)
{
    val result = val::object();
    result.set("message", message);
    result.set("refused", refused);
    return result;
}

// Converts the text as qxm-convert does, keeping its output for
// OutputText() and OutputBytes(); returns the converter window's words for
// a stop, or qxm-convert's for options it refuses (and then no output).
val Convert(const std::u16string &text, const std::string &format, bool rows, int firstBit, const std::string &name)
{
    g_output.clear();
    const qxm::OptionsChoice choice = ReadChoice(format, rows, firstBit, name);
    if (!choice.refusal.empty())
        return Result(choice.refusal, true);
    std::string refusal;
    const std::optional<qxm::GlyphFont> font = FontFor(choice.options, refusal);
    if (!font)
        return Result(refusal, true);
    qxm::RunSettings settings;
    settings.font = &*font;
    settings.codePage = &qxm::Windows1252CodePage::Instance();
    settings.options = choice.options;
    qxm::RunInput input;
    input.text = text;
    const qxm::RunEnd end = qxm::Run(settings, input, [](std::string_view bytes) {
        g_output.append(bytes);
        return true;
    });
    return Result(end.error ? qxm::DescribeRunTimeError(*end.error) : std::string(), false);
}

// What qxm-convert --table writes, kept as Convert() keeps its output.
val Table(const std::string &format, bool rows, int firstBit, const std::string &name)
{
    g_output.clear();
    const qxm::OptionsChoice choice = ReadChoice(format, rows, firstBit, name);
    if (!choice.refusal.empty())
        return Result(choice.refusal, true);
    std::string refusal;
    const std::optional<qxm::GlyphFont> font = FontFor(choice.options, refusal);
    if (!font)
        return Result(refusal, true);
    g_output = qxm::FormatTable(*font, qxm::Windows1252CodePage::Instance(), choice.options);
    return Result({}, false);
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

// Reads a font file's bytes with qxm-convert's own loader, through a file of
// the same name in a folder of the page's memory, so that a refusal names it
// as qxm-convert would name a file in its working folder. Returns the
// refusal, or nothing when the font is taken.
std::string LoadFont(const std::string &bytes, const std::string &fileName)
{
    namespace fs = std::filesystem;
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
    if (!stream)
        return noRoom;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
    const bool closed = std::fclose(stream) == 0;
    if (!written || !closed) {
        fs::remove(file, failure);
        return noRoom;
    }
    const qxm::FontFileResult loaded = qxm::ReadFontFile(file, qxm::Windows1252CodePage::Instance(), qxm::kDesignCell);
    fs::remove(file, failure);
    if (!loaded.font)
        return qxm::ToUtf8(loaded.error);
    g_fileFont = loaded.font;
    return {};
}

void UseBuiltInFont()
{
    g_fileFont.reset();
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

// Each format's id, what it is for, its file name ending and whether its
// lines end in CR LF.
val Formats()
{
    val formats = val::array();
    for (const qxm::FormatInfo &info : qxm::FontDataFormats()) {
        val format = val::object();
        format.set("id", std::string(info.id));
        format.set("description", std::string(info.description));
        format.set("extension", std::string(info.extension));
        format.set("crlf", info.basic);
        formats.call<void>("push", format);
    }
    return formats;
}

// The first bits that leave room for every dot, as --first-bit takes them.
val FirstBits(bool rows)
{
    val bits = val::array();
    for (const int bit : qxm::FittingFirstBits(rows, qxm::kDesignCell))
        bits.call<void>("push", bit);
    return bits;
}

int DefaultFirstBit(bool rows)
{
    return qxm::DefaultLayout(rows, qxm::kDesignCell).firstBit;
}

std::string DefaultName()
{
    return qxm::FontDataOptions{}.name;
}

int MaxTextLength()
{
    return static_cast<int>(qxm::kMaxTextLength);
}

// What the page shows of a long output and a long preview is only the part
// in view: the whole would take the browser far longer to lay out than the
// conversion takes. These keep the whole here and hand out the part asked for.

// Where each line of the last output starts, as IndexOutput() found them.
std::vector<std::size_t> g_lineStarts;

// Notes where each line of the last output starts; returns how many lines
// it has and how many bytes the longest one holds, as many characters or a
// few more, so that the page can size its view of them.
val IndexOutput()
{
    g_lineStarts.clear();
    std::size_t longest = 0;
    for (std::size_t start = 0; start < g_output.size();) {
        g_lineStarts.push_back(start);
        const std::size_t end = std::min(g_output.find('\n', start), g_output.size());
        longest = std::max(longest, end - start);
        start = end + 1;
    }
    val size = val::object();
    size.set("lines", g_lineStarts.size());
    size.set("longest", longest);
    // The BASIC formats end their lines with CR LF, which a copy keeps.
    size.set("crlf", g_output.find("\r\n") != std::string::npos);
    return size;
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

// The dots the display lights for the last text given to KeepPreview().
qxm::Preview g_preview;

// Makes the text's picture for PreviewColumns(); returns how many columns
// and rows of dots it has, and why it stops where the text stops a run.
val KeepPreview(const std::u16string &text)
{
    g_preview = qxm::PreviewText(CurrentFont(), qxm::Windows1252CodePage::Instance(), text);
    val size = val::object();
    size.set("columns", g_preview.rows.front().size());
    size.set("rows", g_preview.rows.size());
    size.set("message", g_preview.error ? qxm::DescribeRunTimeError(*g_preview.error) : std::string());
    return size;
}

// count columns of the kept picture from column first (0 the leftmost):
// each row of dots, top first, '#' lit and '.' dark; columns past the end
// are left out.
val PreviewColumns(int first, int count)
{
    val rows = val::array();
    for (const std::string &row : g_preview.rows) {
        const std::size_t from = std::min(static_cast<std::size_t>(std::max(first, 0)), row.size());
        rows.call<void>("push", row.substr(from, static_cast<std::size_t>(std::max(count, 0))));
    }
    return rows;
}

// The width and height of a glyph's cell in dots.
val CellSize()
{
    val size = val::object();
    size.set("columns", CurrentFont().cell.width);
    size.set("rows", CurrentFont().cell.height);
    return size;
}

// Why the page's name field is refused, in the page's words, or nothing when
// the name is taken. The format and the first bit are picked from lists of
// what is taken, so the name is the only field a refusal can concern.
std::string NameProblem(const std::string &format, const std::string &name)
{
    if (name.empty() || ReadChoice(format, false, DefaultFirstBit(false), name).refusal.empty())
        return {};
    const qxm::OptionsChoice plain = ReadChoice(format, false, DefaultFirstBit(false), {});
    if (qxm::IsReservedName(plain.options.format, name))
        return "\"" + name + "\" is a reserved word in this format: choose another name.";
    return "A name has letters, digits and _ only, and does not start with a digit.";
}

// One glyph to show how a byte layout packs the dots: the first character
// of the text that lights a dot in the current font (else the font's first
// such glyph), its dots top row first, the bytes the layout makes of them,
// and the bit that holds each dot of a byte, first dot first, found by
// laying out one dot at a time.
val GlyphPicture(const std::u16string &text, bool rows, int firstBit)
{
    const qxm::CodePage &codePage = qxm::Windows1252CodePage::Instance();
    const qxm::GlyphFont &font = CurrentFont();
    const auto lights = [&](std::int16_t code) {
        const qxm::Glyph glyph = qxm::GlyphOf(font, code);
        for (int row = 0; row < glyph.Height(); ++row) {
            for (int column = 0; column < glyph.Width(); ++column) {
                if (glyph.Dot(column, row))
                    return true;
            }
        }
        return false;
    };
    std::int16_t code = 0;
    const auto inText =
        std::find_if(text.begin(), text.end(), [&](char16_t unit) { return lights(codePage.CodeOf(unit)); });
    if (inText != text.end())
        code = codePage.CodeOf(*inText);
    else
        while (code < 255 && !lights(code))
            ++code;
    const qxm::Glyph glyph = qxm::GlyphOf(font, code);
    const qxm::ByteLayout layout{rows, firstBit};
    val dots = val::array();
    for (int row = 0; row < glyph.Height(); ++row) {
        std::string line;
        for (int column = 0; column < glyph.Width(); ++column)
            line.push_back(glyph.Dot(column, row) ? '#' : '.');
        dots.call<void>("push", line);
    }
    const qxm::GlyphBytes laidOut = qxm::LayOutGlyph(glyph, layout);
    val bytes = val::array();
    for (std::size_t index = 0; index < laidOut.count; ++index)
        bytes.call<void>("push", laidOut.bytes[index]);
    // The bit of each dot of a byte, first dot first, found by laying out one
    // dot at a time.
    val bits = val::array();
    for (int dot = 0; dot < qxm::DotsPerByte(rows, font.cell); ++dot) {
        qxm::Glyph single(font.cell.width, font.cell.height);
        single.SetDot(rows ? dot : 0, rows ? 0 : dot);
        const unsigned byte = qxm::LayOutGlyph(single, layout).bytes[0];
        int bit = 0;
        while (bit < 7 && (byte >> bit) != 1U)
            ++bit;
        bits.call<void>("push", bit);
    }
    val picture = val::object();
    const std::u16string character(1, codePage.CharOf(code));
    picture.set("character", character);
    picture.set("dots", dots);
    picture.set("bytes", bytes);
    picture.set("bits", bits);
    return picture;
}

} // namespace

EMSCRIPTEN_BINDINGS(qxm)
{
    emscripten::function("convert", &Convert);
    emscripten::function("table", &Table);
    emscripten::function("outputText", &OutputText);
    emscripten::function("outputBytes", &OutputBytes);
    emscripten::function("loadFont", &LoadFont);
    emscripten::function("useBuiltInFont", &UseBuiltInFont);
    emscripten::function("productInfo", &ProductInfo);
    emscripten::function("formats", &Formats);
    emscripten::function("firstBits", &FirstBits);
    emscripten::function("defaultFirstBit", &DefaultFirstBit);
    emscripten::function("defaultName", &DefaultName);
    emscripten::function("maxTextLength", &MaxTextLength);
    emscripten::function("indexOutput", &IndexOutput);
    emscripten::function("outputLines", &OutputLines);
    emscripten::function("keepPreview", &KeepPreview);
    emscripten::function("previewColumns", &PreviewColumns);
    emscripten::function("cellSize", &CellSize);
    emscripten::function("nameProblem", &NameProblem);
    emscripten::function("glyphPicture", &GlyphPicture);
}
