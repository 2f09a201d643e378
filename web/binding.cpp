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
#include <cstdio>
#include <filesystem>
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

// The dot rows the display lights, top first ('#' lit, '.' dark), cut to
// the columns the page draws, and how many columns the whole text has.
val PreviewRows(const std::u16string &text, int maxColumns)
{
    const qxm::Preview preview = qxm::PreviewText(CurrentFont(), qxm::Windows1252CodePage::Instance(), text);
    val rows = val::array();
    const std::size_t shown = static_cast<std::size_t>(std::max(maxColumns, 0));
    for (const std::string &row : preview.rows)
        rows.call<void>("push", ToJs(std::string_view(row).substr(0, shown)));
    val result = val::object();
    result.set("rows", rows);
    result.set("columns", preview.rows.front().size());
    return result;
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

} // namespace

EMSCRIPTEN_BINDINGS(qxm)
{
    emscripten::function("convert", &Convert);
    emscripten::function("table", &Table);
    emscripten::function("outputText", &OutputText);
    emscripten::function("outputBytes", &OutputBytes);
    emscripten::function("preview", &PreviewRows);
    emscripten::function("loadFont", &LoadFont);
    emscripten::function("useBuiltInFont", &UseBuiltInFont);
    emscripten::function("productInfo", &ProductInfo);
    emscripten::function("formats", &Formats);
    emscripten::function("firstBits", &FirstBits);
    emscripten::function("defaultFirstBit", &DefaultFirstBit);
    emscripten::function("defaultName", &DefaultName);
    emscripten::function("maxTextLength", &MaxTextLength);
}
