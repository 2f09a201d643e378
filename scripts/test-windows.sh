#!/usr/bin/env bash
# Cross-builds all of QXM for 64-bit Windows with mingw-w64 and Qt for MinGW,
# and runs its tests under Wine: the window and command-line tests, the
# registry reader against a real registry, the desktop test on Xvfb and the
# ZIP. Installs what is missing first.
#
# Qt for MinGW: $QXM_QT_MINGW when set; otherwise the user's cache, which
# scripts/build-qt-mingw.sh fills the first time (about 17 minutes on 2 cores).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

qxm_install_missing cmake make g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine64 googletest \
    qt6-base-dev libbenchmark-dev fonts-liberation xvfb xdotool imagemagick file binutils

cache=${XDG_CACHE_HOME:-$HOME/.cache}/qxm
version_of() { dpkg-query -W -f='${Version}' "$1"; }
qt_version=$(version_of qt6-base-dev)
qt_version=${qt_version%%+*}
if [[ -n ${QXM_QT_MINGW:-} ]]; then
    qt=$(realpath "$QXM_QT_MINGW")
else
    qt=$cache/qt6-mingw-$qt_version
    if [[ ! -f $qt/lib/cmake/Qt6/Qt6Config.cmake ]]; then
        echo "Building Qt $qt_version for MinGW into $qt, once (about 17 minutes on 2 cores)"
        bash "$QXM_ROOT/scripts/build-qt-mingw.sh" "$qt"
    fi
fi
echo "Qt for MinGW: $qt"

# Debian's Google Benchmark, as source, for the Windows build of the benchmarks.
benchmark_version=$(version_of libbenchmark-dev)
benchmark=$cache/benchmark-src-$benchmark_version
if [[ ! -f $benchmark/CMakeLists.txt ]]; then
    echo "Unpacking Debian's Google Benchmark $benchmark_version source into $benchmark"
    qxm_debian_source benchmark "$benchmark_version" "$benchmark"
fi

build="$QXM_BUILD/mingw"
# Debian's wine64 package alone has no wine on the PATH.
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64

QXM_BUILD="$build" qxm_build \
    -DCMAKE_TOOLCHAIN_FILE="$QXM_ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DQXM_QT_MINGW="$qt" \
    -DQXM_BENCHMARK_SOURCE_DIR="$benchmark" \
    -DQXM_WINE="$wine" \
    -DQXM_WINEPREFIX="$build/wineprefix"

# Fresh prefixes each run, so the tests meet Wine's registry as it comes; the
# desktop test has one of its own.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
prefixes=("$build/wineprefix" "$build/wineprefix-desktop")
stop_wine() {
    local prefix
    for prefix in "${prefixes[@]}"; do
        WINEPREFIX=$prefix "$wineserver" -k >/dev/null 2>&1 || true
        WINEPREFIX=$prefix "$wineserver" -w >/dev/null 2>&1 || true
    done
}
stop_wine
trap stop_wine EXIT
rm -rf "${prefixes[@]}"
echo "Preparing Wine prefixes in $build"
for prefix in "${prefixes[@]}"; do
    WINEPREFIX=$prefix timeout 300 "$wine" wineboot --init >"$prefix.log" 2>&1 &
done
for prefix in "${prefixes[@]}"; do
    if ! wait -n; then
        cat "${prefixes[@]/%/.log}" >&2
        echo "Preparing the Wine prefixes failed: Wine's output is above" >&2
        exit 1
    fi
done
# Wine's session outlives its programs for a moment, and the programs started
# in it keep the display its first one found (here none): the desktop test
# must start a session of its own.
stop_wine

cd "$build"
ctest --output-on-failure --parallel "$(nproc)"
# About 700 MB each, and every run makes them afresh; after a failure they
# stay for a look.
stop_wine
rm -rf "${prefixes[@]}" "${prefixes[@]/%/.log}"
