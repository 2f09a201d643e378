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

field() { dpkg-deb -f "$deb" "$1"; }
depends=$(field Depends)
echo "Depends: $depends"
has_dependency() { # package name
    [[ ", $depends," =~ ,\ $1[\ ,] ]]
}
check "the package is named qxm" test "$(field Package)" = qxm
check "its version is $version" test "$(field Version)" = "$version"
check "it depends on libqt6core6" has_dependency libqt6core6
check "it depends on libqt6widgets6" has_dependency libqt6widgets6
check "it depends on libfreetype6" has_dependency libfreetype6
check "it depends on libc6" has_dependency libc6
check "it depends on libstdc++6" has_dependency 'libstdc\+\+6'
check "it depends on fonts-liberation, the metrics the windows were laid out for" has_dependency fonts-liberation
maintainer_with_address() { [[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]]; }
check "it names a maintainer with an address" maintainer_with_address
check "it has a section" test -n "$(field Section)"
check "its summary is the description" test "$(field Description | head -n1)" = "$description"
check "it has a long description" test "$(field Description | wc -l)" -gt 1
owned_by_root() { [[ -z $(dpkg-deb -c "$deb" | awk '$2 != "root/root"') ]]; }
check "every file belongs to root" owned_by_root

root=$scratch/root
check "dpkg -x unpacks it" dpkg -x "$deb" "$root"
check_installed_tree "$root/usr"
stripped() { [[ $(file -b "$1") == *", stripped"* ]]; }
check "its qxm is stripped" stripped "$root/usr/bin/qxm"
check "its qxm-convert is stripped" stripped "$root/usr/bin/qxm-convert"
check "its copyright file gives the MIT licence" grep -qx 'License: MIT' "$root/usr/share/doc/qxm/copyright"
finish
