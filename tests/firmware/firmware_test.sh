#!/bin/bash
# Fonts as firmware uses them: tests/firmware/draw.cpp finds each character of
# a text through the font's lookup and draws it as the font's library does,
# on this machine (g++) and as Arduino sketches that Debian's arduino-builder
# builds, as the Arduino IDE does, and simavr runs on an ATmega328P. Every picture must be the one
# qxm-convert --preview shows.
#   firmware_test.sh QXM-CONVERT SCRATCH-FOLDER
set -euo pipefail
convert=$1
firmware=$(cd "$(dirname "$0")" && pwd)
rm -rf "$2" && mkdir -p "$2" && cd "$2"
text=$(printf 'Ag\303\251\342\202\254') # Agé€
font8x13=(--font /usr/share/fonts/X11/misc/8x13.pcf.gz --size 8x13)

draw() { # draws with the font.h here, printing what the text given draws
    g++ -Wall -Wextra -Werror -pedantic-errors -fsanitize=address,undefined -I. -x c++ "$firmware/draw.cpp" -o draw &&
        ./draw "$@"
}

# GFX fonts of a text, fixed and proportional, drawn by the library's loop.
for cell in "" "--size 8x8" "${font8x13[*]}"; do
    for width in "" --proportional; do
        # shellcheck disable=SC2086 # the options, split
        "$convert" -f adafruit-gfx --lookup $cell $width "$text" >font.h
        # shellcheck disable=SC2086
        draw | tail -n +2 | diff -u <("$convert" --preview $cell $width "$text") - ||
            { echo "GFX font $cell $width drawn otherwise"; exit 1; }
    done
done

# The library's own header when __has_include finds it (C++ only), else the
# structures declared alike.
printf '#define _GFXFONT_H_\ntypedef int Library;\n' >Adafruit_GFX.h
diff <({ g++ -E -I. -x c++ font.h; gcc -E -I. -x c font.h; } | grep -o 'Library\|} GFXglyph') - <<<$'Library\n} GFXglyph'

# The lookup over UTF-8 and what is not, in a font of codes 32, 46, 70, 128
# and 233: F é € ° ÿ, a tab, Ω 😀, overlong / and U+FFFF, an encoded
# surrogate, U+10000 overlong, past U+10FFFF, a byte that never leads, a
# sequence cut off before F.
"$convert" -f c --table --lookup --size 5x7 --first-bit 0 --font "$firmware/../fonts/tiny.bdf" >font.h
diff <(draw "$(printf 'F\303\251\342\202\254\302\260\303\277\t\316\251\360\237\230\200\300\257\340\237\277\355\240\200\360\217\277\277\364\220\200\200\365\200\200\200\342\202F')" |
    head -n 1) - <<<"38+1 201+2 96+3 -1+2 -1+2 -1+1 -1+2 -1+4$(printf -- ' -1+1%.0s' {1..22}) 38+1"

# On the AVR: the 8x13 table read by code, and the GFX font, each a sketch.
sketch() { # name, the index line, --proportional or not, qxm-convert's options
    local name=$1 indexes=$2 width=$3
    mkdir "$name" && cp "$firmware/draw.cpp" "$name/$name.ino"
    "$convert" "${@:4}" --lookup ${width:+"$width"} "${font8x13[@]}" >"$name/font.h"
    # Debian 12's core reads DECIMAL_DIG, which its avr-gcc 5.4 declares for C alone.
    mkdir "$name.build"
    arduino-builder -hardware /usr/share/arduino/hardware -tools /usr/share/arduino-builder \
        -fqbn arduino:avr:uno -prefs=compiler.cpp.extra_flags=-DDECIMAL_DIG=__DECIMAL_DIG__ \
        -build-path "$PWD/$name.build" "$name/$name.ino" >"$name.log" 2>&1 || { cat "$name.log"; exit 1; }
    # simavr prints the serial port's lines in colour, each ending in a dot.
    timeout 60 simavr -m atmega328p -f 16000000 "$name.build/$name.ino.elf" 2>&1 >/dev/null |
        sed -n 's/\x1b\[[0-9;]*m//g; s/\.$//p' |
        diff -u <(echo "$indexes" && "$convert" --preview ${width:+"$width"} "${font8x13[@]}" "$text") -
}
sketch table "33+1 71+1 201+2 96+3 -1+4" "" -f arduino --table --first-bit 0
sketch gfx "0+1 38+1 168+2 63+3 -1+4" --proportional -f adafruit-gfx "$text"
