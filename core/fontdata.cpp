#include "core/fontdata.h"

#include "core/ascii.h"
#include "core/chardata.h"
#include "core/formats/formats.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace qxm {

namespace {

// The words a name would turn into something else in each format's
// language, separated by spaces. C's list holds C++'s too, since the same
// array is compiled as either, and the names every C program or Arduino
// sketch already has; each BASIC's, the statements and types its compiler
// would read instead of the label or table name. BASIC ignores case, C does
// not.
struct ReservedWords
{
    Format format;
    std::string_view words;
};

constexpr std::string_view kCKeywords =
    "_Alignas _Alignof _Atomic _BitInt _Bool _Complex _Generic _Imaginary _Noreturn _Static_assert _Thread_local "
    "alignas alignof and and_eq asm auto bitand bitor bool break case catch char char16_t char32_t char8_t class "
    "co_await co_return co_yield compl concept const const_cast consteval constexpr constinit continue decltype "
    "default delete do double dynamic_cast else enum explicit export extern false float for friend goto if inline "
    "int long mutable namespace new noexcept not not_eq nullptr operator or or_eq private protected public "
    "register reinterpret_cast requires restrict return short signed sizeof static static_assert static_cast "
    "struct switch template this thread_local throw true try typedef typeid typename typeof typeof_unqual union "
    "unsigned using virtual void volatile wchar_t while xor xor_eq "
    // what every program has, and what the Arduino header defines
    "main PROGMEM";

// What C source shares its names with besides the keywords: C keeps every
// name that starts with an underscore at file scope, where the font is, and
// these for its library; avr-libc, Arduino.h and Adafruit GFX add theirs. A
// name in capitals alone is a macro's, as the device headers' thousands are
// (PORTB, LED_BUILTIN, A0). The library's functions are listed below, in
// the lower-case custom of their headers.
enum class Following {
    Anything,
    Letter,
    Lower,
    CapitalOrDigit,
    LowerOrX,
};

struct ReservedPrefix
{
    std::string_view prefix;
    Following next;
};

constexpr ReservedPrefix kCPrefixes[] = {
    {"_", Following::Anything},         // the compiler's and the library's
    {"str", Following::Lower},          // <string.h>, <stdlib.h>
    {"mem", Following::Lower},          // <string.h>
    {"wcs", Following::Lower},          // <wchar.h>
    {"is", Following::Letter},          // <ctype.h>, and Arduino's isAlpha...
    {"to", Following::Letter},          // <ctype.h>, and Arduino's toAscii...
    {"E", Following::CapitalOrDigit},   // <errno.h>
    {"PRI", Following::LowerOrX},       // <inttypes.h>
    {"SCN", Following::LowerOrX},       // <inttypes.h>
    {"pgm_", Following::Anything},      // avr-libc's program memory
    {"eeprom_", Following::Anything},   // avr-libc's EEPROM
    {"fdev_", Following::Anything},     // avr-libc's streams
    {"va_", Following::Anything},       // <stdarg.h>
    {"GFX", Following::Anything},       // Adafruit GFX: GFXfont, GFXglyph, GFXcanvas1...
    {"Adafruit_", Following::Anything}, // and its classes
};

// Types (size_t, uint8_t), avr-libc's program memory functions (strcpy_P,
// printf_PF) and tables (port_to_mode_PGM), interrupt vectors
// (TIMER0_OVF_vect) and include guards (Arduino_h).
constexpr std::string_view kCSuffixes[] = {"_t", "_P", "_PF", "_PGM", "_vect", "_vect_num", "_h"};

// <math.h>'s functions, each also with f or l after it (sinf, sinl).
constexpr std::string_view kCMath =
    "acos asin atan atan2 cbrt ceil copysign cos cosh exp fabs fdim floor fma fmax fmin fmod frexp hypot ldexp log "
    "log10 lrint lround modf pow round signbit sin sinh sqrt square tan tanh trunc";

constexpr std::string_view kCLibrary =
    // <stdio.h>
    "clearerr fclose fdevopen fdopen feof ferror fflush fgetc fgetpos fgets fileno fopen fprintf fputc fputs fread "
    "freopen fscanf fseek fsetpos ftell fwrite getc getchar gets perror printf putc putchar puts remove rename "
    "rewind scanf setbuf setvbuf snprintf sprintf sscanf stderr stdin stdout tmpfile tmpnam ungetc vfprintf "
    "vfscanf vprintf vscanf vsnprintf vsprintf "
    // <stdlib.h>, with avr-libc's own
    "abort abs atexit atof atoi atol bsearch calloc div dtostre dtostrf exit ffs ffsl ffsll free getenv itoa labs "
    "ldiv ltoa malloc qsort rand rand_r random random_r realloc srand srandom system ultoa utoa "
    // Arduino.h
    "HardwareSerial LookaheadMode Print Printable Serial Stream String StringSumHelper analogRead "
    "analogReference analogWrite attachInterrupt boolean byte delay delayMicroseconds detachInterrupt digitalRead "
    "digitalWrite init initVariant loop makeWord map micros millis noTone pinMode pulseIn pulseInLong randomSeed "
    "serialEventRun setup shiftIn shiftOut u8 u16 u32 word yield";

bool Follows(Following next, char c)
{
    switch (next) {
    case Following::Anything:
        return true;
    case Following::Letter:
        return IsAsciiLetter(c);
    case Following::Lower:
        return IsAsciiLetter(c) && !IsAsciiUpper(c);
    case Following::CapitalOrDigit:
        return IsAsciiUpper(c) || IsAsciiDigit(c);
    case Following::LowerOrX:
        return c == 'X' || (IsAsciiLetter(c) && !IsAsciiUpper(c));
    }
    return false;
}

constexpr ReservedWords kReserved[] = {
    {Format::Bascom,
     "Alias And Bit Byte Call Case Config Const Data Declare Decr Dim Do Else Elseif End Exit For Function Gosub "
     "Goto If Incr Input Integer Let Long Lookup Loop Mod Next Not Or Print Read Rem Reset Restore Return Select "
     "Set Single Step Stop String Sub Then To Toggle Until Wait Waitms Wend While Word Xor"},
    {Format::Gcb,
     "Alias And As Byte Case Data Dim Do Else End Exit For Function Gosub Goto If Integer Long Loop Macro Mod Next "
     "Not Or ReadTable Rem Repeat Return Select Set Step String Sub Table Then To Until Wait Word Xor"},
    {Format::Proton,
     "And As Bit Byte Case CData Cread Cread8 Data Declare Device Dim Do Dword Else EndIf EndProc End Float For "
     "Gosub Goto If Include LData Loop Next Not Or Print Proc Rem Repeat Return Select Step Stop String Sub Symbol "
     "Then To Until Wend While Word Xor"},
    {Format::C, kCKeywords},
    {Format::Arduino, kCKeywords},
    {Format::AdafruitGfx, kCKeywords},
    {Format::Max72xx, kCKeywords},
    {Format::Max72xx, "MD_MAX72XX"},
    // Python's keywords, and the exception the font raises for a character
    // it lacks
    {Format::Luma, "False None True and as assert async await break class continue def del elif else except finally "
                   "for from global if import in is lambda nonlocal not or pass raise return try while with yield "
                   "IndexError"},
};

constexpr FormatInfo kFormats[] = {
    {"bascom", "BASCOM Data lines", "bas", Format::Bascom, true, false},
    {"gcb", "Great Cow BASIC table", "gcb", Format::Gcb, true, false},
    {"proton", "Proton BASIC CData table", "bas", Format::Proton, true, false},
    {"c", "C array", "h", Format::C, false, false},
    {"arduino", "Arduino array in program memory (PROGMEM)", "h", Format::Arduino, false, false},
    {"adafruit-gfx", "Adafruit GFX font (GFXfont) header", "h", Format::AdafruitGfx, false, true},
    {"max72xx", "MD_MAX72XX and MD_Parola font table for setFont()", "h", Format::Max72xx, false, true},
    {"luma", "Python font for luma.core.legacy text()", "py", Format::Luma, false, true},
    {"bdf", "BDF font for u8g2's bdfconv, X11 and FontForge", "bdf", Format::Bdf, false, true},
};

// The libraries that keep one byte a column: their fonts are at most 8 dots
// high.
constexpr Format kByteColumnFormats[] = {Format::Max72xx, Format::Luma};

bool SameWord(std::string_view a, std::string_view b, bool caseSensitive)
{
    if (caseSensitive || a.size() != b.size())
        return a == b;
    return std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

bool IsNumber(std::string_view text, std::size_t maxDigits)
{
    return !text.empty() && text.size() <= maxDigits && std::all_of(text.begin(), text.end(), IsAsciiDigit);
}

// "0, 6 or 7"
std::string BitList(const std::vector<int> &bits)
{
    std::string list;
    for (std::size_t index = 0; index < bits.size(); ++index) {
        if (index > 0)
            list += index + 1 == bits.size() ? " or " : ", ";
        list += std::to_string(bits[index]);
    }
    return list;
}

std::optional<CellSize> ParseCellSize(std::string_view text)
{
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos || !IsNumber(text.substr(0, x), 2) || !IsNumber(text.substr(x + 1), 2))
        return std::nullopt;
    const CellSize cell{std::stoi(std::string(text.substr(0, x))), std::stoi(std::string(text.substr(x + 1)))};
    if (cell.width < 1 || cell.height < 1 || cell.width > kMaxCellSide || cell.height > kMaxCellSide)
        return std::nullopt;
    return cell;
}

bool IsInWords(std::string_view words, std::string_view name, bool caseSensitive)
{
    while (!words.empty()) {
        const std::size_t end = std::min(words.find(' '), words.size());
        if (SameWord(words.substr(0, end), name, caseSensitive))
            return true;
        words.remove_prefix(std::min(end + 1, words.size()));
    }
    return false;
}

// A name that C, its library or the headers a sketch sees already use.
bool IsCLibraryName(std::string_view name)
{
    const auto starts = [&name](const ReservedPrefix &reserved) {
        return name.size() > reserved.prefix.size() && name.substr(0, reserved.prefix.size()) == reserved.prefix
               && Follows(reserved.next, name[reserved.prefix.size()]);
    };
    const auto ends = [&name](std::string_view suffix) {
        return name.size() > suffix.size() && name.substr(name.size() - suffix.size()) == suffix;
    };
    const bool mathSuffix = name.size() > 1 && (name.back() == 'f' || name.back() == 'l');
    return std::none_of(name.begin(), name.end(), [](char c) { return IsAsciiLetter(c) && !IsAsciiUpper(c); })
           || std::any_of(std::begin(kCPrefixes), std::end(kCPrefixes), starts)
           || std::any_of(std::begin(kCSuffixes), std::end(kCSuffixes), ends) || IsInWords(kCLibrary, name, true)
           || IsInWords(kCMath, name, true) || (mathSuffix && IsInWords(kCMath, name.substr(0, name.size() - 1), true));
}

// A code's entry, with the font's glyph where it has one.
Entry EntryOf(const GlyphFont &font, const CodePage &codePage, std::int16_t code)
{
    const auto index = static_cast<std::size_t>(code);
    Entry entry;
    entry.code = code;
    entry.character = codePage.CharOf(code);
    entry.glyph = index < font.glyphs.size() && font.glyphs[index] ? &*font.glyphs[index] : nullptr;
    return entry;
}

} // namespace

const std::vector<FormatInfo> &FontDataFormats()
{
    static const std::vector<FormatInfo> formats(std::begin(kFormats), std::end(kFormats));
    return formats;
}

const FormatInfo &InfoOf(Format format)
{
    for (const FormatInfo &info : kFormats) {
        if (info.format == format)
            return info;
    }
    return kFormats[0];
}

bool IsReservedName(Format format, std::string_view name)
{
    const bool isC = !InfoOf(format).basic;
    // C also keeps every name that starts with two underscores, or with one
    // and a capital, for the compiler (sdcc's __code, __xdata...).
    if (isC && name.size() >= 2 && name[0] == '_' && (name[1] == '_' || IsAsciiUpper(name[1])))
        return true;
    const bool cSource =
        format == Format::C || format == Format::Arduino || format == Format::AdafruitGfx || format == Format::Max72xx;
    if (cSource && IsCLibraryName(name))
        return true;
    for (const ReservedWords &reserved : kReserved) {
        if (reserved.format == format && IsInWords(reserved.words, name, isC))
            return true;
    }
    return false;
}

OptionsChoice ChooseOptions(const OptionChoices &choices)
{
    OptionsChoice choice;
    FontDataOptions &options = choice.options;
    const auto found = std::find_if(std::begin(kFormats), std::end(kFormats),
                                    [&](const FormatInfo &info) { return info.id == choices.format; });
    if (found == std::end(kFormats)) {
        choice.refusal = "unknown format '" + std::string(choices.format) + "': use one of ";
        for (const FormatInfo &info : kFormats)
            choice.refusal.append(info.id).append(&info == &kFormats[std::size(kFormats) - 1] ? "" : ", ");
        return choice;
    }
    options.format = found->format;
    if (choices.size) {
        const std::optional<CellSize> cell = ParseCellSize(*choices.size);
        if (!cell) {
            choice.refusal = "--size '" + std::string(*choices.size)
                             + "' is not a cell from 1x1 to 32x32: give its width and height in dots, such as 8x8";
            return choice;
        }
        options.cell = *cell;
        options.cellChosen = true;
        if (cell->height > 8
            && std::find(std::begin(kByteColumnFormats), std::end(kByteColumnFormats), options.format)
                   != std::end(kByteColumnFormats)) {
            choice.refusal = "--size '" + std::string(*choices.size) + "' is " + std::to_string(cell->height)
                             + " dots high: " + std::string(found->id)
                             + " keeps a column in one byte, so at most 8 dots";
            return choice;
        }
    }
    options.layout = DefaultLayout(choices.rows, options.cell);
    if (choices.firstBit) {
        options.layout.firstBit = IsNumber(*choices.firstBit, 2) ? std::stoi(std::string(*choices.firstBit)) : -1;
        if (!FitsEveryDot(options.layout, options.cell)) {
            choice.refusal =
                "--first-bit " + std::string(*choices.firstBit) + " is not a bit that leaves room for every dot: use "
                + BitList(FittingFirstBits(choices.rows, options.cell)) + (choices.rows ? " with --rows" : "");
            return choice;
        }
    }
    options.proportional = choices.proportional;
    options.lookup = choices.lookup;
    const bool cArray = options.format == Format::C || options.format == Format::Arduino;
    if (choices.lookup && !(options.format == Format::AdafruitGfx || (cArray && choices.table))) {
        choice.refusal = cArray ? "--lookup finds a glyph by its code, and a text's array is in the text's order: "
                                  "add --table for the whole font"
                                : "--lookup writes a C function: it takes -f c or arduino with --table, or "
                                  "-f adafruit-gfx";
        return choice;
    }
    if (choices.name) {
        const std::string_view name = *choices.name;
        const auto isLetter = [](char c) { return IsAsciiLetter(c) || c == '_'; };
        const bool plain =
            !name.empty() && isLetter(name.front())
            && std::all_of(name.begin(), name.end(), [&](char c) { return isLetter(c) || IsAsciiDigit(c); });
        if (!plain)
            choice.refusal =
                "--name '" + std::string(name) + "' is not a name: use letters, digits and _, not a digit first";
        else if (IsReservedName(options.format, name))
            choice.refusal = "--name '" + std::string(name) + "' is a word that " + std::string(found->id)
                             + " reserves: choose another name";
        options.name = std::string(name);
        options.named = true;
    }
    return choice;
}

GlyphFont FontForRun(const GlyphFont &fontInCell, const FontDataOptions &options)
{
    return options.proportional ? ProportionalFont(fontInCell) : fontInCell;
}

bool TakesByteLayout(Format format)
{
    return !InfoOf(format).font;
}

std::unique_ptr<FontWriter> MakeWriter(const FontDataOptions &options, const GlyphFont &font,
                                       std::optional<CodeRange> table)
{
    switch (options.format) {
    case Format::AdafruitGfx:
        return MakeAdafruitGfxWriter(options, font, table);
    case Format::Max72xx:
        return MakeMax72xxWriter(options, font);
    case Format::Luma:
        return MakeLumaWriter(options, font);
    case Format::Bdf:
        return MakeBdfWriter(options, font);
    default:
        return MakeSourceLinesWriter(options, font, table);
    }
}

FontDataResult FormatText(FontWriter &writer, const GlyphFont &font, const CodePage &codePage, std::u16string_view text,
                          ControlCharacters controls)
{
    FontDataResult result;
    // An entry depends on the code alone, so each is written once, when its
    // code first comes up, and copied after.
    std::array<std::string, std::tuple_size_v<decltype(font.glyphs)>> entryOfCode;
    result.error = ForEachGlyph(codePage, text, controls, [&](std::int16_t code) {
        const Entry entry = EntryOf(font, codePage, code);
        writer.Note(entry);
        const auto index = static_cast<std::size_t>(code);
        if (index >= entryOfCode.size()) {
            writer.AppendEntry(result.text, entry);
            return;
        }
        std::string &cached = entryOfCode[index];
        if (cached.empty())
            writer.AppendEntry(cached, entry);
        if (result.text.empty())
            result.text.reserve(text.size() * cached.size());
        result.text += cached;
    });
    return result;
}

FontDataResult ConvertText(const GlyphFont &CharData, const CodePage &codePage, std::u16string_view text)
{
    const FontDataOptions options;
    const std::unique_ptr<FontWriter> writer = MakeWriter(options, CharData);
    return FormatText(*writer, CharData, codePage, text, ControlCharacters::Convert);
}

CodeRange GlyphRange(const GlyphFont &font)
{
    // From the first glyph to the last; none at all leaves last below first.
    CodeRange range{kFirstGlyphCode, kFirstGlyphCode - 1};
    for (std::int16_t code = kFirstGlyphCode; code < static_cast<std::int16_t>(font.glyphs.size()); ++code) {
        if (!font.glyphs[static_cast<std::size_t>(code)])
            continue;
        if (range.last < range.first)
            range.first = code;
        range.last = code;
    }
    return range;
}

std::string FormatTable(const GlyphFont &font, const CodePage &codePage, const FontDataOptions &options)
{
    const CodeRange range = GlyphRange(font);
    const std::unique_ptr<FontWriter> writer = MakeWriter(options, font, range);
    std::string text = writer->Header();
    for (std::int16_t code = range.first; code <= range.last; ++code) {
        Entry entry = EntryOf(font, codePage, code);
        entry.placeholder = entry.glyph == nullptr;
        writer->Note(entry);
        writer->AppendEntry(text, entry);
    }
    return text + writer->Footer();
}

} // namespace qxm
