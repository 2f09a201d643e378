#include "core/fontdata.h"

#include "core/conversion.h"
#include "core/utf8.h"

#include <algorithm>
#include <cctype>
#include <tuple>

namespace qxm {

namespace {

// How a format writes a named constant.
enum class ConstantStyle {
    CDefine,      // #define LEDTEXT_FIRST 32
    BascomConst,  // Const LedText_First = 32
    GcbDefine,    // #define LedText_First 32
    ProtonSymbol, // Symbol LedText_First = 32
};

// One source text format. In the frame texts '@' stands for the name and '#'
// for the number of bytes per glyph.
struct Syntax
{
    std::string_view name;
    std::string_view prelude; // whole lines, before anything else
    std::string_view header;
    std::string_view lineStart;
    std::string_view bytePrefix;
    std::string_view byteSeparator;
    std::string_view commentOpen;
    std::string_view commentClose;
    std::string_view footer;
    std::string_view lineEnd;
    ConstantStyle constants;
    // The converter window's own lines have no label unless one is asked
    // for; a table indexed by code always has one.
    bool headerOnlyWhenNamed;
    // The converter window's own lines, written as the window writes them; a
    // code without a glyph has no bytes there at all. Elsewhere such a code
    // gets a blank glyph so that the source still compiles and every entry
    // has the same size.
    bool windowLines;
    // A C array cannot be empty in every C compiler: one blank entry stands in
    // when nothing was converted, and the number of entries is a constant.
    bool isArray;
};

// Arduino cores other than AVR's, and plain C compilers, have no PROGMEM:
// there the table simply stays const.
constexpr std::string_view kProgmemPrelude = "#ifdef __AVR__\n"
                                             "#include <avr/pgmspace.h>\n"
                                             "#endif\n"
                                             "#ifndef PROGMEM\n"
                                             "#define PROGMEM\n"
                                             "#endif\n";

constexpr Syntax kSyntaxes[] = {
    {"bascom", "", "@:", "", "&H", " , ", "", "", "", "\r\n", ConstantStyle::BascomConst, true, true, false},
    {"gcb", "", "Table @", "", "0x", ", ", "  '", "", "End Table", "\r\n", ConstantStyle::GcbDefine, false, false,
     false},
    {"proton", "", "@:", "CData ", "$", ", ", "  '", "", "", "\r\n", ConstantStyle::ProtonSymbol, false, false, false},
    {"c", "", "const unsigned char @[][#] = {", "    {", "0x", ", ", "}, /* ", " */", "};", "\n",
     ConstantStyle::CDefine, false, false, true},
    {"arduino", kProgmemPrelude, "const unsigned char @[][#] PROGMEM = {", "    {", "0x", ", ", "}, /* ", " */", "};",
     "\n", ConstantStyle::CDefine, false, false, true},
};

// The words a name would turn into something else in each format's
// language, separated by spaces. C's list holds C++'s too, since the same
// array is compiled as either; each BASIC's, the statements and types its
// compiler would read instead of the label or table name. BASIC ignores case,
// C does not.
struct ReservedWords
{
    std::string_view format;
    bool caseSensitive;
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
    "unsigned using virtual void volatile wchar_t while xor xor_eq";

constexpr ReservedWords kReserved[] = {
    {"bascom", false,
     "Alias And Bit Byte Call Case Config Const Data Declare Decr Dim Do Else Elseif End Exit For Function Gosub "
     "Goto If Incr Input Integer Let Long Lookup Loop Mod Next Not Or Print Read Rem Reset Restore Return Select "
     "Set Single Step Stop String Sub Then To Toggle Until Wait Waitms Wend While Word Xor"},
    {"gcb", false,
     "Alias And As Byte Case Data Dim Do Else End Exit For Function Gosub Goto If Integer Long Loop Macro Mod Next "
     "Not Or ReadTable Rem Repeat Return Select Set Step String Sub Table Then To Until Wait Word Xor"},
    {"proton", false,
     "And As Bit Byte Case CData Cread Cread8 Data Declare Device Dim Do Dword Else EndIf EndProc End Float For "
     "Gosub Goto If Include LData Loop Next Not Or Print Proc Rem Repeat Return Select Step Stop String Sub Symbol "
     "Then To Until Wend While Word Xor"},
    {"c", true, kCKeywords},
    {"arduino", true, kCKeywords},
};

bool SameWord(std::string_view a, std::string_view b, bool caseSensitive)
{
    if (caseSensitive || a.size() != b.size())
        return a == b;
    for (std::size_t index = 0; index < a.size(); ++index) {
        if (std::tolower(static_cast<unsigned char>(a[index])) != std::tolower(static_cast<unsigned char>(b[index])))
            return false;
    }
    return true;
}

const Syntax &SyntaxOf(std::string_view format)
{
    for (const Syntax &syntax : kSyntaxes) {
        if (syntax.name == format)
            return syntax;
    }
    return kSyntaxes[0];
}

std::size_t BytesPerGlyph(const ByteLayout &layout)
{
    return layout.rows ? kGlyphRows : kGlyphColumns;
}

std::string FrameLine(std::string_view pattern, const FontDataOptions &options, const Syntax &syntax)
{
    if (pattern.empty())
        return {};
    std::string line;
    for (const char c : pattern) {
        if (c == '@')
            line += options.name;
        else if (c == '#')
            line += std::to_string(BytesPerGlyph(options.layout));
        else
            line += c;
    }
    line += syntax.lineEnd;
    return line;
}

// A constant named after the table: LEDTEXT_COUNT in C, whose constants are
// upper case by custom, LedText_Count in BASIC.
std::string ConstantLine(const Syntax &syntax, const FontDataOptions &options, std::string_view key, long value)
{
    std::string name = options.name + "_";
    if (syntax.constants == ConstantStyle::CDefine) {
        name += key;
        for (char &c : name)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    } else {
        name += key.substr(0, 1);
        for (const char c : key.substr(1))
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const std::string number = std::to_string(value);
    switch (syntax.constants) {
    case ConstantStyle::CDefine:
    case ConstantStyle::GcbDefine:
        return "#define " + name + " " + number + std::string(syntax.lineEnd);
    case ConstantStyle::BascomConst:
        return "Const " + name + " = " + number + std::string(syntax.lineEnd);
    case ConstantStyle::ProtonSymbol:
        return "Symbol " + name + " = " + number + std::string(syntax.lineEnd);
    }
    return {};
}

class LineWriter
{
public:
    LineWriter(const Syntax &syntax, const ByteLayout &layout)
        : m_syntax(syntax)
        , m_layout(layout)
    {
    }

    // The comment shows the character; a control character, which no source
    // file should hold raw, by its code. noGlyph marks an entry of a table
    // indexed by code that stands only to keep the index.
    void Append(std::string &out, const std::optional<GlyphColumns> &glyph, char16_t character, std::int16_t code,
                bool noGlyph = false) const
    {
        static constexpr char kHexDigits[] = "0123456789ABCDEF";
        std::string bytes;
        if (glyph || !m_syntax.windowLines || noGlyph) {
            GlyphBytes laidOut;
            laidOut.count = BytesPerGlyph(m_layout);
            if (glyph)
                laidOut = LayOutGlyph(*glyph, m_layout);
            for (std::size_t index = 0; index < laidOut.count; ++index) {
                if (index > 0)
                    bytes += m_syntax.byteSeparator;
                bytes += m_syntax.bytePrefix;
                bytes += kHexDigits[laidOut.bytes[index] >> 4];
                bytes += kHexDigits[laidOut.bytes[index] & 0x0F];
            }
        }
        std::string comment;
        if (character < u' ' || IsControlAboveSpace(character)) {
            comment.append("(code ").append(std::to_string(code)).append(noGlyph ? ", no glyph)" : ")");
        } else {
            AppendUtf8(comment, character);
            if (noGlyph)
                comment += " (no glyph)";
        }
        if (m_syntax.windowLines) {
            AppendDataLine(out, bytes, comment);
            return;
        }
        out.append(m_syntax.lineStart).append(bytes).append(m_syntax.commentOpen).append(comment);
        out.append(m_syntax.commentClose).append(m_syntax.lineEnd);
    }

private:
    const Syntax &m_syntax;
    ByteLayout m_layout;
};

} // namespace

bool FitsEveryDot(const ByteLayout &layout)
{
    const int dots = static_cast<int>(layout.rows ? kGlyphColumns : kGlyphRows);
    return layout.firstBit == 0 || (layout.firstBit >= dots - 1 && layout.firstBit <= 7);
}

GlyphBytes LayOutGlyph(const GlyphColumns &glyph, const ByteLayout &layout)
{
    GlyphBytes laidOut;
    laidOut.count = BytesPerGlyph(layout);
    const auto bitOfDot = [&](std::size_t dot) {
        return static_cast<unsigned>(layout.firstBit == 0 ? dot : layout.firstBit - static_cast<int>(dot));
    };
    for (std::size_t column = 0; column < kGlyphColumns; ++column) {
        for (std::size_t row = 0; row < kGlyphRows; ++row) {
            if (!IsDotLit(glyph, column, row))
                continue;
            if (layout.rows)
                laidOut.bytes[row] |= static_cast<std::uint8_t>(1U << bitOfDot(column));
            else
                laidOut.bytes[column] |= static_cast<std::uint8_t>(1U << bitOfDot(row));
        }
    }
    return laidOut;
}

std::vector<std::string_view> FontDataFormats()
{
    std::vector<std::string_view> names;
    for (const Syntax &syntax : kSyntaxes)
        names.push_back(syntax.name);
    return names;
}

bool IsReservedName(std::string_view format, std::string_view name)
{
    const Syntax &syntax = SyntaxOf(format);
    // C also keeps every name that starts with two underscores, or with one
    // and a capital, for the compiler (sdcc's __code, __xdata...).
    if (syntax.isArray && name.size() >= 2 && name[0] == '_' && (name[1] == '_' || std::isupper(name[1]) != 0))
        return true;
    for (const ReservedWords &reserved : kReserved) {
        if (reserved.format != syntax.name)
            continue;
        std::string_view words = reserved.words;
        while (!words.empty()) {
            const std::size_t end = std::min(words.find(' '), words.size());
            if (SameWord(words.substr(0, end), name, reserved.caseSensitive))
                return true;
            words.remove_prefix(std::min(end + 1, words.size()));
        }
    }
    return false;
}

OptionsChoice ChooseOptions(std::string_view format, bool rows, std::optional<std::string_view> firstBit,
                            std::optional<std::string_view> name)
{
    OptionsChoice choice;
    const std::vector<std::string_view> formats = FontDataFormats();
    const auto found = std::find(formats.begin(), formats.end(), format);
    if (found == formats.end()) {
        choice.refusal = "unknown format '" + std::string(format) + "': use one of ";
        for (const std::string_view known : formats)
            choice.refusal.append(known).append(known == formats.back() ? "" : ", ");
        return choice;
    }
    ByteLayout &layout = choice.options.layout;
    choice.options.format = *found;
    layout.rows = rows;
    layout.firstBit = rows ? kRowsFirstBit : kColumnsFirstBit;
    if (firstBit) {
        const bool number = !firstBit->empty() && firstBit->size() <= 2
                            && std::all_of(firstBit->begin(), firstBit->end(),
                                           [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
        layout.firstBit = number ? std::stoi(std::string(*firstBit)) : -1;
        if (!FitsEveryDot(layout)) {
            choice.refusal = "--first-bit " + std::string(*firstBit)
                             + " is not a bit that leaves room for every dot: use "
                             + (rows ? "0, 4, 5, 6 or 7 with --rows" : "0, 6 or 7");
            return choice;
        }
    }
    if (name) {
        const auto isLetter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '_'; };
        const bool plain =
            !name->empty() && isLetter(name->front()) && std::all_of(name->begin(), name->end(), [&](char c) {
                return isLetter(c) || std::isdigit(static_cast<unsigned char>(c)) != 0;
            });
        if (!plain)
            choice.refusal = "--name '" + std::string(*name)
                             + "' is not a name: use letters, digits and _, not a "
                               "digit first";
        else if (IsReservedName(*found, *name))
            choice.refusal = "--name '" + std::string(*name) + "' is a word that " + std::string(*found)
                             + " reserves: choose another name";
        choice.options.name = std::string(*name);
        choice.options.named = true;
    }
    return choice;
}

std::string FontDataHeader(const FontDataOptions &options)
{
    const Syntax &syntax = SyntaxOf(options.format);
    if (syntax.headerOnlyWhenNamed && !options.named)
        return std::string(syntax.prelude);
    return std::string(syntax.prelude) + FrameLine(syntax.header, options, syntax);
}

std::string FontDataFooter(const FontDataOptions &options, std::size_t count)
{
    const Syntax &syntax = SyntaxOf(options.format);
    std::string footer;
    if (syntax.isArray && count == 0) {
        footer += syntax.lineStart;
        for (std::size_t index = 0; index < BytesPerGlyph(options.layout); ++index)
            footer.append(index > 0 ? syntax.byteSeparator : "").append(syntax.bytePrefix).append("00");
        footer += "} /* a blank entry: nothing was converted */";
        footer += syntax.lineEnd;
    }
    footer += FrameLine(syntax.footer, options, syntax);
    if (syntax.isArray)
        footer += ConstantLine(syntax, options, "COUNT", static_cast<long>(count));
    return footer;
}

FontDataResult FormatText(const GlyphFont &font, const CodePage &codePage, std::u16string_view text,
                          const FontDataOptions &options)
{
    const LineWriter writer(SyntaxOf(options.format), options.layout);
    FontDataResult result;
    if (text.size() <= kMaxTextLength)
        result.text.reserve(text.size() * kLongestLine);
    // A line depends on the code alone, so each is built once, when its code
    // first comes up.
    std::array<std::string, std::tuple_size_v<GlyphFont>> lineOfCode;
    result.error = ForEachGlyph(codePage, text, ControlCharacters::Stop, [&](std::int16_t code, std::int16_t) {
                       ++result.count;
                       const auto index = static_cast<std::size_t>(code);
                       if (index >= lineOfCode.size()) {
                           writer.Append(result.text, std::nullopt, codePage.CharOf(code), code);
                           return;
                       }
                       std::string &line = lineOfCode[index];
                       if (line.empty())
                           writer.Append(line, font[index], codePage.CharOf(code), code);
                       result.text += line;
                   }).error;
    return result;
}

std::string FormatTable(const GlyphFont &font, const CodePage &codePage, const FontDataOptions &options)
{
    const Syntax &syntax = SyntaxOf(options.format);
    // From the first glyph to the last; none at all leaves last below first.
    std::size_t first = kFirstGlyphCode;
    std::size_t last = first - 1;
    for (std::size_t code = kFirstGlyphCode; code < font.size(); ++code) {
        if (!font[code])
            continue;
        if (last < first)
            first = code;
        last = code;
    }
    std::string text(syntax.prelude);
    text += ConstantLine(syntax, options, "FIRST", static_cast<long>(first));
    text += ConstantLine(syntax, options, "LAST", static_cast<long>(last));
    text += FrameLine(syntax.header, options, syntax);
    const LineWriter writer(syntax, options.layout);
    for (std::size_t code = first; code <= last; ++code) {
        const auto code16 = static_cast<std::int16_t>(code);
        writer.Append(text, font[code], codePage.CharOf(code16), code16, !font[code]);
    }
    return text + FontDataFooter(options, last + 1 - first);
}

} // namespace qxm
