#pragma once

#include "core/fontdata.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace qxm {

// What a font format writes: a library's font structure holds each glyph
// once, so the format collects the codes it is told of and writes the font
// at the end. A text's codes are at most the 257 slots, however long the
// text, so memory stays bounded.
class NotedFontWriter : public FontWriter
{
public:
    struct Noted
    {
        std::int16_t code = 0;
        char16_t character = 0; // what the code stands for
        Glyph glyph;
    };

    NotedFontWriter(const FontDataOptions &options, const GlyphFont &font)
        : m_options(options)
        , m_font(font)
    {
    }

    // The whole font is written in the footer.
    std::string Header() const override { return {}; }
    void AppendEntry(std::string & /*out*/, const Entry & /*entry*/) const override {}

    // Placeholders of the whole font are left out: a code without a glyph
    // has no place in a font that says which codes it holds.
    void Note(const Entry &entry) override;

protected:
    // The noted codes in code order, each with its glyph, or a dark one where
    // the font has none, as --preview shows it.
    std::vector<Noted> InCodeOrder() const;

    const FontDataOptions &m_options;
    const GlyphFont &m_font;

private:
    std::map<std::int16_t, char16_t> m_characters;
};

// How a comment shows a noted character: itself, or its code where it is a
// control, which no source file should hold raw.
std::string ShownCharacter(const NotedFontWriter::Noted &noted);

// A glyph's columns for a library that keeps one byte a column with bit 0 the
// top dot; a cell taller than 8 dots is refused before a run, and only its
// top 8 rows would show here.
std::vector<std::uint8_t> TopBitFirstColumns(const Glyph &glyph);

} // namespace qxm
