// Draws its argument, whose bytes are codes as MD_MAX72XX takes a char
// string, from the font table LedText (given with -include) as the library
// reads one: setFont() takes the header, getChar() walks the widths from the
// first code to the one asked for and copies that many columns, bit 0 the
// top dot; text is drawn with one dark column between characters, the
// library's character spacing, as --preview draws it.
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    const MD_MAX72XX::fontType_t *font = LedText;
    if (argc != 2 || pgm_read_byte(font) != 'F' || pgm_read_byte(font + 1) != 2)
        return 1;
    const unsigned first = pgm_read_byte(font + 2) << 8 | pgm_read_byte(font + 3);
    const unsigned last = pgm_read_byte(font + 4) << 8 | pgm_read_byte(font + 5);
    std::vector<std::string> rows(pgm_read_byte(font + 6));
    for (const char *c = argv[1]; *c != '\0'; ++c) {
        const unsigned code = static_cast<unsigned char>(*c);
        if (code < first || code > last)
            return 1;
        const MD_MAX72XX::fontType_t *glyph = font + 7;
        for (unsigned skipped = first; skipped < code; ++skipped)
            glyph += pgm_read_byte(glyph) + 1;
        for (unsigned row = 0; row < rows.size(); ++row) {
            rows[row] += c == argv[1] ? "" : ".";
            for (unsigned column = 1; column <= pgm_read_byte(glyph); ++column)
                rows[row] += (pgm_read_byte(glyph + column) >> row & 1) != 0 ? '#' : '.';
        }
    }
    for (const std::string &row : rows)
        std::puts(row.c_str());
}
