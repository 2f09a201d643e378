#!/usr/bin/env bash
# Cross-builds the parts of QXM that need no Qt for 64-bit Windows with
# mingw-w64 and runs their tests under Wine, so that the registry reader is
# tested against a real registry. Installs what is missing first.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

qxm_install_missing cmake make g++-mingw-w64-x86-64-posix wine64 googletest

build="$QXM_BUILD/mingw"
# Debian's wine64 package alone has no wine on the PATH.
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64

QXM_BUILD="$build" qxm_build \
    -DCMAKE_TOOLCHAIN_FILE="$QXM_ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DQXM_WITH_QT=OFF \
    -DQXM_WINE="$wine" \
    -DQXM_WINEPREFIX="$build/wineprefix"

# A fresh prefix each run, so the tests meet Wine's registry as it comes.
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
stop_wine() { "$wineserver" -k >/dev/null 2>&1 || true; }
stop_wine
trap stop_wine EXIT
rm -rf "$WINEPREFIX"
echo "Preparing a Wine prefix in $WINEPREFIX"
if ! timeout 300 "$wine" wineboot --init >"$build/wineboot.log" 2>&1; then
    cat "$build/wineboot.log" >&2
    exit 1
fi

cd "$build"
ctest --output-on-failure --parallel "$(nproc)"
