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

const qxm::GlyphFont &CurrentFont()
{
    return g_fileFont ? *g_fileFont : qxm::BuiltInFont();
}

// The page's choices read as qxm-convert reads its options, refused with the
// same words; an empty name is the default one, as when --name is left out.
qxm::OptionsChoice ReadChoice(const std::string &format, bool rows, int firstBit, const std::string &name)
{
    const std::string bit = std::to_string(firstBit);
    return qxm::ChooseOptions(format, rows, bit, name.empty() ? std::nullopt : std::optional<std::string_view>(name));
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
    qxm::RunSettings settings;
    settings.font = &CurrentFont();
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
    g_output = qxm::FormatTable(CurrentFont(), qxm::Windows1252CodePage::Instance(), choice.options);
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
    const qxm::FontFileResult loaded = qxm::ReadFontFile(file, qxm::Windows1252CodePage::Instance());
    fs::remove(file, failure);
    if (!loaded.font) {
        std::string error;
        qxm::AppendText(error, loaded.error);
        return error;
    }
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

val Formats()
{
    val names = val::array();
    for (const std::string_view name : qxm::FontDataFormats())
        names.call<void>("push", std::string(name));
    return names;
}

// The first bits that leave room for every dot, as --first-bit takes them.
val FirstBits(bool rows)
{
    val bits = val::array();
    for (int bit = 0; bit < 8; ++bit) {
        if (qxm::FitsEveryDot({rows, bit}))
            bits.call<void>("push", bit);
    }
    return bits;
}

int DefaultFirstBit(bool rows)
{
    return rows ? qxm::kRowsFirstBit : qxm::kColumnsFirstBit;
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
    size.set("columns", qxm::kGlyphColumns);
    size.set("rows", qxm::kGlyphRows);
    return size;
}

// What each format is for, in a user's words, and the ending of its file's
// name, by the format's name; the page offers a format without them here by
// its name alone, saved as .txt.
val FormatDescriptions()
{
    struct Description
    {
        std::string_view name;
        std::string_view purpose;
        std::string_view extension;
    };
    static constexpr Description kDescriptions[] = {
        {"bascom", "BASCOM Data lines", "bas"},        {"gcb", "Great Cow BASIC table", "gcb"},
        {"proton", "Proton BASIC CData lines", "bas"}, {"c", "C array", "h"},
        {"arduino", "Arduino array (PROGMEM)", "h"},
    };
    val descriptions = val::object();
    for (const Description &known : kDescriptions) {
        val description = val::object();
        description.set("purpose", std::string(known.purpose));
        description.set("extension", std::string(known.extension));
        descriptions.set(std::string(known.name), description);
    }
    return descriptions;
}

// Why the page's name field is refused, in the page's words, or nothing when
// the name is taken. The format and the first bit are picked from lists of
// what is taken, so the name is the only field a refusal can concern.
std::string NameProblem(const std::string &format, const std::string &name)
{
    if (name.empty() || ReadChoice(format, false, DefaultFirstBit(false), name).refusal.empty())
        return {};
    if (qxm::IsReservedName(format, name))
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
        const auto &glyph = font[static_cast<std::size_t>(code)];
        return glyph && std::any_of(glyph->begin(), glyph->end(), [](std::uint8_t column) { return column != 0; });
    };
    std::int16_t code = 0;
    const auto inText =
        std::find_if(text.begin(), text.end(), [&](char16_t unit) { return lights(codePage.CodeOf(unit)); });
    if (inText != text.end())
        code = codePage.CodeOf(*inText);
    else
        while (code < 255 && !lights(code))
            ++code;
    const qxm::GlyphColumns glyph = font[static_cast<std::size_t>(code)].value_or(qxm::GlyphColumns{});
    const qxm::ByteLayout layout{rows, firstBit};
    val dots = val::array();
    for (std::size_t row = 0; row < qxm::kGlyphRows; ++row) {
        std::string line;
        for (std::size_t column = 0; column < qxm::kGlyphColumns; ++column)
            line.push_back(qxm::IsDotLit(glyph, column, row) ? '#' : '.');
        dots.call<void>("push", line);
    }
    const qxm::GlyphBytes laidOut = qxm::LayOutGlyph(glyph, layout);
    val bytes = val::array();
    for (std::size_t index = 0; index < laidOut.count; ++index)
        bytes.call<void>("push", laidOut.bytes[index]);
    val bits = val::array();
    for (std::size_t dot = 0; dot < (rows ? qxm::kGlyphColumns : qxm::kGlyphRows); ++dot) {
        qxm::GlyphColumns single{};
        qxm::LightDot(single, rows ? dot : 0, rows ? 0 : dot);
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
    emscripten::function("formatDescriptions", &FormatDescriptions);
    emscripten::function("nameProblem", &NameProblem);
    emscripten::function("glyphPicture", &GlyphPicture);
}
