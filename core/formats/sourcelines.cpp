// The BASIC dialects' and C's source: one line per entry, between a label,
// table or array opening and its closing.
#include "core/ascii.h"
#include "core/conversion.h"
#include "core/formats/formats.h"
#include "core/formats/lookup.h"
#include "core/utf8.h"

#include <string>
#include <string_view>
#include <vector>

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
    Format format;
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
    // The converter window's own lines, where a code without a glyph has no
    // bytes at all. Elsewhere such a code
    // gets a blank glyph so that the source still compiles and every entry
    // has the same size.
    bool windowLines;
    // A C array cannot be empty in every C compiler: one blank entry stands in
    // when nothing was converted, and the number of entries is a constant.
    bool isArray;
    // The proportional widths: their table's opening, each line's start and
    // the table's closing, '@' the name.
    std::string_view widthsHeader;
    std::string_view widthsLineStart;
    std::string_view widthsSeparator;
    std::string_view widthsFooter;
};

constexpr Syntax kSyntaxes[] = {
    {Format::Bascom, "", "@:", "Data ", "&H", " , ", "  '", "", "", "\r\n", ConstantStyle::BascomConst, true, true,
     false, "@_Widths:", "Data ", " , ", ""},
    {Format::Gcb, "", "Table @", "", "0x", ", ", "  '", "", "End Table", "\r\n", ConstantStyle::GcbDefine, false, false,
     false, "Table @_Widths", "", ", ", "End Table"},
    {Format::Proton, "", "@:", "CData ", "$", ", ", "  '", "", "", "\r\n", ConstantStyle::ProtonSymbol, false, false,
     false, "@_Widths:", "CData ", ", ", ""},
    {Format::C, "", "const unsigned char @[][#] = {", "    {", "0x", ", ", "}, /* ", " */", "};", "\n",
     ConstantStyle::CDefine, false, false, true, "const unsigned char @_Widths[] = {", "    ", ", ", "};"},
    {Format::Arduino, kProgmemPrelude, "const unsigned char @[][#] PROGMEM = {", "    {", "0x", ", ", "}, /* ", " */",
     "};", "\n", ConstantStyle::CDefine, false, false, true, "const unsigned char @_Widths[] PROGMEM = {", "    ", ", ",
     "};"},
};

// Widths per line of their table: short lines for the BASIC compilers.
constexpr std::size_t kWidthsPerLine = 16;

class SourceLinesWriter final : public FontWriter
{
public:
    SourceLinesWriter(const Syntax &syntax, const FontDataOptions &options, const GlyphFont &font,
                      std::optional<CodeRange> table)
        : m_syntax(syntax)
        , m_options(options)
        , m_font(font)
        , m_table(table)
    {
    }

    std::string Header() const override
    {
        std::string header(m_syntax.prelude);
        if (m_options.cellChosen) {
            header += ConstantLine("WIDTH", m_font.cell.width);
            header += ConstantLine("HEIGHT", m_font.cell.height);
        }
        if (m_table) {
            header += ConstantLine("FIRST", m_table->first);
            header += ConstantLine("LAST", m_table->last);
        }
        if (m_table || !m_syntax.headerOnlyWhenNamed || m_options.named)
            header += FrameLine(m_syntax.header);
        return header;
    }

    // The comment shows the character. A text's entries hold no control
    // character unless the run converts them, as the converter window does;
    // the whole font's comments name a control by its code, since no source
    // file should hold one raw.
    void AppendEntry(std::string &out, const Entry &entry) const override
    {
        std::string bytes;
        if (entry.glyph || !m_syntax.windowLines || entry.placeholder) {
            // A proportional glyph stands at the left of a whole cell, so
            // that every entry has the same size.
            const Glyph glyph =
                entry.glyph ? InCell(*entry.glyph, m_font.cell) : Glyph(m_font.cell.width, m_font.cell.height);
            AppendBytes(bytes, LayOutGlyph(glyph, m_options.layout));
        }
        std::string comment;
        if (m_table && IsControlCharacter(entry.character)) {
            comment.append("(code ").append(std::to_string(entry.code)).append(entry.placeholder ? ", no glyph)" : ")");
        } else {
            AppendUtf8(comment, entry.character);
            if (entry.placeholder)
                comment += " (no glyph)";
        }
        out.append(m_syntax.lineStart).append(bytes).append(m_syntax.commentOpen).append(comment);
        out.append(m_syntax.commentClose).append(m_syntax.lineEnd);
    }

    void Note(const Entry &entry) override
    {
        ++m_count;
        if (m_font.proportional)
            m_widths.push_back(entry.placeholder ? 0 : static_cast<std::uint8_t>(GlyphOf(m_font, entry.code).Width()));
    }

    std::string Footer() const override
    {
        std::string footer;
        if (m_syntax.isArray && m_count == 0) {
            footer += m_syntax.lineStart;
            AppendBytes(footer, GlyphBytes{{}, BytesPerGlyph(m_options.layout, m_font.cell)});
            footer += "} /* a blank entry: nothing was converted */";
            footer += m_syntax.lineEnd;
        }
        footer += FrameLine(m_syntax.footer);
        if (m_syntax.isArray)
            footer += ConstantLine("COUNT", static_cast<long>(m_count));
        if (m_font.proportional)
            footer += WidthsTable();
        if (m_options.lookup && m_table) {
            LookupTable lookup{m_options.name, *m_table, {}, m_options.format == Format::Arduino};
            for (std::int16_t code = m_table->first; code <= m_table->last; ++code)
                lookup.present[static_cast<std::size_t>(code)] =
                    m_font.glyphs[static_cast<std::size_t>(code)].has_value();
            footer += LookupFunction(lookup);
        }
        return footer;
    }

private:
    void AppendBytes(std::string &out, const GlyphBytes &laidOut) const
    {
        static constexpr char kHexDigits[] = "0123456789ABCDEF";
        for (std::size_t index = 0; index < laidOut.count; ++index) {
            if (index > 0)
                out += m_syntax.byteSeparator;
            out += m_syntax.bytePrefix;
            out += kHexDigits[laidOut.bytes[index] >> 4];
            out += kHexDigits[laidOut.bytes[index] & 0x0F];
        }
    }

    std::string FrameLine(std::string_view pattern) const
    {
        if (pattern.empty())
            return {};
        std::string line;
        for (const char c : pattern) {
            if (c == '@')
                line += m_options.name;
            else if (c == '#')
                line += std::to_string(BytesPerGlyph(m_options.layout, m_font.cell));
            else
                line += c;
        }
        return line.append(m_syntax.lineEnd);
    }

    // A constant named after the table: LEDTEXT_COUNT in C (see
    // CConstant), LedText_Count in BASIC.
    std::string ConstantLine(std::string_view key, long value) const
    {
        if (m_syntax.constants == ConstantStyle::CDefine)
            return CConstant(m_options.name, key, value);
        std::string name = m_options.name + "_";
        name += key.substr(0, 1);
        for (const char c : key.substr(1))
            name += AsciiLower(c);
        const std::string number = std::to_string(value);
        switch (m_syntax.constants) {
        case ConstantStyle::CDefine:
        case ConstantStyle::GcbDefine:
            return "#define " + name + " " + number + std::string(m_syntax.lineEnd);
        case ConstantStyle::BascomConst:
            return "Const " + name + " = " + number + std::string(m_syntax.lineEnd);
        case ConstantStyle::ProtonSymbol:
            return "Symbol " + name + " = " + number + std::string(m_syntax.lineEnd);
        }
        return {};
    }

    // The width of each entry, in the same order, as a table of its own.
    std::string WidthsTable() const
    {
        std::string table = FrameLine(m_syntax.widthsHeader);
        for (std::size_t index = 0; index < m_widths.size(); ++index) {
            const bool lineStart = index % kWidthsPerLine == 0;
            if (lineStart && index > 0)
                table += m_syntax.isArray ? std::string(",").append(m_syntax.lineEnd) : std::string(m_syntax.lineEnd);
            table += lineStart ? m_syntax.widthsLineStart : m_syntax.widthsSeparator;
            table += std::to_string(m_widths[index]);
        }
        if (m_widths.empty() && m_syntax.isArray)
            table.append(m_syntax.widthsLineStart).append("0 /* a blank entry: nothing was converted */");
        if (!m_widths.empty() || m_syntax.isArray)
            table += m_syntax.lineEnd;
        return table + FrameLine(m_syntax.widthsFooter);
    }

    const Syntax &m_syntax;
    const FontDataOptions &m_options;
    const GlyphFont &m_font;
    std::optional<CodeRange> m_table;
    std::size_t m_count = 0;
    std::vector<std::uint8_t> m_widths;
};

} // namespace

std::string CConstant(std::string_view name, std::string_view key, long value)
{
    std::string upper = std::string(name).append("_").append(key);
    for (char &c : upper)
        c = AsciiUpper(c);
    return "#define " + upper + " " + std::to_string(value) + "\n";
}

std::unique_ptr<FontWriter> MakeSourceLinesWriter(const FontDataOptions &options, const GlyphFont &font,
                                                  std::optional<CodeRange> table)
{
    for (const Syntax &syntax : kSyntaxes) {
        if (syntax.format == options.format)
            return std::make_unique<SourceLinesWriter>(syntax, options, font, table);
    }
    return nullptr;
}

} // namespace qxm
