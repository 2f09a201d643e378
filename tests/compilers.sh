# Sourced by the command-line tests (POSIX sh): compiles a header that
# qxm-convert wrote with every toolchain its users feed such headers to, each
# as strict as it gets, and names the one that refused it.
#   compiles_everywhere HEADER NAME   (NAME: the array's name, LedText by default)

compiles_everywhere() {
    header=$1
    name=${2:-LedText}
    count=$(echo "$name" | tr '[:lower:]' '[:upper:]')_COUNT
    # A program as firmware uses the table: it loops over the entries it was
    # told of, reading each byte from program memory where the table is kept there.
    # A GFX font is read through its GFXfont, and a lookup is called.
    lookup=
    grep -q "${name}_Index" "$header" && lookup="const char *text = \"A\"; sum += (unsigned char)${name}_Index(&text);"
    cat >use.c <<PROGRAM
#include "$header"
unsigned char checksum(void)
{
    unsigned char sum = 0;
    int entry;
    unsigned column;
    $lookup
#ifdef _GFXFONT_H_
    for (entry = 0, column = 0; entry <= (int)($name.last - $name.first); ++entry)
        sum += $name.glyph[entry].xAdvance + $name.bitmap[column];
#else
    for (entry = 0; entry < $count; ++entry)
        for (column = 0; column < sizeof $name[0]; ++column)
#ifdef __AVR__
            sum += pgm_read_byte(&$name[entry][column]);
#else
            sum += $name[entry][column];
#endif
#endif
    return sum;
}
int main(void)
{
    return checksum() == 1;
}
PROGRAM
    for compiler in "gcc -std=c89 -pedantic-errors -Wall -Wextra -Werror -x c" \
        "gcc -std=c99 -pedantic-errors -Wall -Wextra -Werror -x c" \
        "g++ -pedantic-errors -Wall -Wextra -Werror -x c++" \
        "sdcc -mmcs51 --std-c89 --Werror" "sdcc -mmcs51 --Werror" \
        "avr-gcc -mmcu=atmega328p -Os -Wall -Wextra -Werror -include avr/pgmspace.h -x c"; do
        $compiler -o use.out use.c >compiler.log 2>&1 || {
            echo "$compiler refused $header:" >&2
            cat compiler.log >&2
            return 1
        }
    done
}
