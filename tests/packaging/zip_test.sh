#!/usr/bin/env bash
# The Windows ZIP that `cpack -G ZIP` builds: unpacked into a scratch folder,
# it holds both programs with their version record and icon, and everything
# they load; its qxm-convert.exe runs from there under Wine, finding its DLLs
# in that folder alone.
#   zip_test.sh BUILD_FOLDER SCRATCH_FOLDER WINE
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

build=$1
scratch=$2
wine=$3
cpack_into_scratch ZIP "$build" "$scratch"
zip=$scratch/package/qxm-$version-win64.zip
check "cpack builds $(basename "$zip")" test -f "$zip"
[[ -f $zip ]] || finish
(cd "$scratch" && cmake -E tar xf "$zip")
folder=$scratch/qxm-$version-win64
check "it unpacks into $(basename "$folder")" test -d "$folder"

for file in qxm.exe qxm-convert.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll \
    styles/qwindowsvistastyle.dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
    check "it holds $file" test -f "$folder/$file"
done

# Each program has its own version record (the record's contents are checked
# by version_resource_test.sh): it names the program, as UTF-16.
icon256=$(dirname "${BASH_SOURCE[0]}")/../../resources/qxm-256.png
hex() { od -An -v -tx1 "$1" | tr -d ' \n'; }
for program in qxm qxm-convert; do
    check "$program.exe names itself" grep -qxF "$program.exe" <(strings -e l "$folder/$program.exe")
    check "$program.exe carries the program icon" grep -qF "$(hex "$icon256")" <(hex "$folder/$program.exe")
done

# The DLLs' debug sections alone would more than double the ZIP.
unstripped=$(file "$folder"/*.exe "$folder"/*.dll "$folder"/*/*.dll | grep -vF '(stripped to external PDB)') || true
check "its programs and DLLs are stripped${unstripped:+, not: $unstripped}" test -z "$unstripped"

unpacked_convert() { (cd "$folder" && "$wine" qxm-convert.exe "$@"); }
check "the unpacked qxm-convert.exe converts Hi exactly" converts_hi unpacked_convert
finish
