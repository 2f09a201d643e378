#!/bin/bash
# Every identifier an Arduino sketch sees, as --name: the macros and the names
# of everything Arduino.h declares and includes (avr-libc, <stdint.h>...).
# qxm-convert refuses it, or the -f arduino and -f adafruit-gfx fonts of that
# name, all of them together, compile in a sketch.
#   names_test.sh QXM-CONVERT SCRATCH-FOLDER
set -euo pipefail
convert=$1
rm -rf "$2" && mkdir -p "$2" && cd "$2"
core=/usr/share/arduino/hardware/arduino/avr
sketch=(avr-g++ -mmcu=atmega328p -DF_CPU=16000000L -DARDUINO=10819 -DARDUINO_ARCH_AVR -DARDUINO_AVR_UNO
    -I"$core/cores/arduino" -I"$core/variants/standard" -std=gnu++11 -fpermissive -Os -Wall -Werror -x c++)
{
    echo '#include <Arduino.h>' | "${sketch[@]}" -dM -E - | awk '{ sub(/\(.*/, "", $2); print $2 }'
    echo '#include <Arduino.h>' | "${sketch[@]}" -E -P - | grep -o '[A-Za-z_][A-Za-z0-9_]*'
} | sort -u >names
# shellcheck disable=SC2016 # for sh -c
xargs -P "$(nproc)" -n 1 sh -c '"$0" -f arduino --name "$1" "" >/dev/null 2>&1 && echo "$1" || true' \
    "$convert" <names >taken
echo "$(wc -l <names) names, $(wc -l <taken) taken"
for format in arduino adafruit-gfx; do
    while read -r name; do
        "$convert" -f $format --table --lookup --size 5x7 --proportional --name "$name"
    done <taken >$format.h
    printf '#include "%s.h"\nvoid setup() {}\nvoid loop() {}\n' $format >$format.cpp
    "${sketch[@]}" -include Arduino.h -fsyntax-only $format.cpp
done
