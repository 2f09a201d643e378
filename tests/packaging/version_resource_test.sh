#!/usr/bin/env bash
# The Windows version record and icon: the resource script must compile with
# mingw-w64's windres, and what it compiles to must carry the description,
# the version 1.00 as text and as the numbers 1,0,0,0, and every icon size.
#   version_resource_test.sh RC_FILE ICO_FILE PNG_256 SCRATCH_FOLDER
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

rc=$1
ico=$2
png256=$3
scratch=$4
rm -rf "$scratch"
mkdir -p "$scratch"
object=$scratch/qxm.res.o

windres=x86_64-w64-mingw32-windres
check "$windres is there" command -v "$windres"
check "the resource script compiles" "$windres" -i "$rc" -O coff -o "$object"
[[ -s $object ]] || finish

# Bytes as " xx xx ..." so that a match always starts on a byte.
hex() { od -An -v -tx1 | tr -s ' \n' '  ' | sed 's/ $//'; }
utf16() { printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE | hex; }
bytes=$(hex <"$object")

# A version string: its name, its terminator and alignment padding, then the
# value and its terminator.
has_string() { # name value
    local pattern
    pattern="$(utf16 "$1") 00 00( 00 00)?$(utf16 "$2") 00 00"
    [[ $bytes =~ $pattern ]]
}
check "FileDescription is \"$description\"" has_string FileDescription "$description"
check "FileVersion is \"$version\"" has_string FileVersion "$version"
check "ProductVersion is \"$version\"" has_string ProductVersion "$version"
check "ProductName is \"QXM\"" has_string ProductName QXM
check "CompanyName is \"Quorvel\"" has_string CompanyName Quorvel

# VS_FIXEDFILEINFO: signature, structure version, then the file and product
# versions, each as two 32-bit words: 1,0,0,0 is 0x00010000 and 0.
fixed=" bd 04 ef fe 00 00 01 00 00 00 01 00 00 00 00 00 00 00 01 00 00 00 00 00"
has_bytes() { [[ $bytes == *"$1"* ]]; }
check "the file and product versions are the numbers 1,0,0,0" has_bytes "$fixed"

# The icon group lists every size, in the .ico's order: 16, 32, 48 and 128
# pixels, and 256 written as 0; each 32 bits per pixel, then its length and
# resource number.
entry() { printf ' %02x %02x 00 00 01 00 20 00( [0-9a-f]{2}){6}' "$(($1 % 256))" "$(($1 % 256))"; }
group=" 00 00 01 00 05 00"
for size in "${icon_sizes[@]}"; do group+=$(entry "$size"); done
matches() { [[ $bytes =~ $1 ]]; }
check "the program icon holds the sizes ${icon_sizes[*]}" matches "$group"

# The .ico is checked in beside the PNG icons; its 256-pixel image, stored as
# PNG, must be the same file, or the Windows icon has gone stale.
count=$(od -An -j4 -N2 -tu2 "$ico" | tr -d ' ')
last=$((6 + 16 * (count - 1)))
size=$(od -An -j$((last + 8)) -N4 -tu4 "$ico" | tr -d ' ')
offset=$(od -An -j$((last + 12)) -N4 -tu4 "$ico" | tr -d ' ')
same_as_png256() { [[ $size -eq $(stat -c %s "$png256") ]] && cmp -s -i "$offset:0" -n "$size" "$ico" "$png256"; }
check "the .ico's largest image is the 256-pixel PNG icon" same_as_png256
finish
