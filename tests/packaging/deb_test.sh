#!/usr/bin/env bash
# The .deb that `cpack -G DEB` builds: its control fields, its files unpacked
# with dpkg -x into a scratch root, and its qxm-convert run from there against
# the system's Qt libraries.
#   deb_test.sh BUILD_FOLDER SCRATCH_FOLDER
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

build=$1
scratch=$2
cpack_into_scratch DEB "$build" "$scratch"
deb=$scratch/package/qxm_${version}_$(dpkg --print-architecture).deb
check "cpack builds $(basename "$deb")" test -f "$deb"
[[ -f $deb ]] || finish

# Its name and version are in the file's name.
field() { dpkg-deb -f "$deb" "$1"; }
check "it names a maintainer with an address" grep -qxE '[^<]+ <[^@>]+@[^>]+>' <(field Maintainer)
check "its summary is the description" test "$(field Description | head -n1)" = "$description"
check "it has a long description" test "$(field Description | wc -l)" -gt 1
# fonts-liberation: the metrics the windows were laid out for.
depends=$(field Depends)
for package in libqt6core6 libqt6widgets6 libfreetype6 libc6 'libstdc\+\+6' fonts-liberation; do
    check "it depends on ${package//\\/}" grep -qE "(^|, )$package( |,|$)" <<<"$depends"
done

root=$scratch/root
check "dpkg -x unpacks it" dpkg -x "$deb" "$root"
check_installed_tree "$root/usr"
for program in qxm qxm-convert; do
    check "its $program is stripped" grep -q ', stripped' <(file -b "$root/usr/bin/$program")
done
check "its copyright file gives the MIT licence" grep -qx 'License: MIT' "$root/usr/share/doc/qxm/copyright"
finish
