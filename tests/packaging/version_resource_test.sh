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
check "$windres compiles the resource script" "$windres" -i "$rc" -O coff -o "$object"
[[ -s $object ]] || finish

# Bytes as " xx xx ..." so that a match always starts on a byte.
hex() { od -An -v -tx1 | tr -s ' \n' '  ' | sed 's/ $//'; }
utf16() { printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE | hex; }
bytes=$(hex <"$object")
matches() { [[ $bytes =~ $1 ]]; }

# A version string: its name, its terminator and alignment padding, then the
# value and its terminator.
for pair in "FileDescription=$description" "FileVersion=$version" "ProductVersion=$version" ProductName=QXM \
    CompanyName=Quorvel; do
    check "${pair%%=*} is \"${pair#*=}\"" matches "$(utf16 "${pair%%=*}") 00 00( 00 00)?$(utf16 "${pair#*=}") 00 00"
done

# VS_FIXEDFILEINFO: signature, structure version, then the file and product
# versions, each as two 32-bit words: 1,0,0,0 is 0x00010000 and 0.
check "the file and product versions are the numbers 1,0,0,0" \
    matches " bd 04 ef fe 00 00 01 00 00 00 01 00 00 00 00 00 00 00 01 00 00 00 00 00"

# The icon group lists every size, in the .ico's order: 16, 32, 48 and 128
# pixels, and 256 written as 0; each 32 bits per pixel, then its length and
# resource number.
entry() { printf ' %02x %02x 00 00 01 00 20 00( [0-9a-f]{2}){6}' "$(($1 % 256))" "$(($1 % 256))"; }
group=" 00 00 01 00 05 00"
for size in "${icon_sizes[@]}"; do group+=$(entry "$size"); done
check "the program icon holds the sizes ${icon_sizes[*]}" matches "$group"

# The .ico is checked in beside the PNG icons; its 256-pixel image, stored as
# PNG, must be that file, or the Windows icon has gone stale.
check "the .ico holds the 256-pixel PNG icon" grep -qF "$(hex <"$png256")" <(hex <"$ico")
finish
