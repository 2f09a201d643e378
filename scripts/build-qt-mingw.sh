#!/usr/bin/env bash
# Builds Qt for 64-bit Windows with Debian's mingw-w64 into PREFIX: Core, Gui,
# Widgets and Test as DLLs with the windows, offscreen and minimal platforms
# and the Windows styles. It compiles Debian's own qt6-base source, of the
# version of the installed qt6-base-dev, whose moc, rcc and uic it uses.
#   build-qt-mingw.sh PREFIX        about 17 minutes on 2 cores
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

prefix=$(realpath -m "${1:?usage: build-qt-mingw.sh PREFIX}")
qxm_install_missing cmake ninja-build qt6-base-dev g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
qxm_debian_source qt6-base "$(dpkg-query -W -f='${Version}' qt6-base-dev)" "$work/source"

# Only what a Widgets program needs. Left out: ICU (not available for MinGW,
# so Windows-1252 comes from the system), OpenGL, Direct2D and DirectWrite 3
# (GDI fonts are the default anyway), tablet events (Debian's source lacks
# the Wacom header), and the modules QXM does not use. The third-party
# libraries Qt bundles are compiled in, as Debian has no MinGW builds of them.
cmake -G Ninja -S "$work/source" -B "$work/build" \
    -DCMAKE_TOOLCHAIN_FILE="$QXM_ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_icu=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF \
    -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF -DFEATURE_tabletevent=OFF -DFEATURE_jpeg=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_testlib=ON \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF >"$work/configure.log" \
    || { cat "$work/configure.log" >&2; echo "Configuring Qt for MinGW failed: its log is above" >&2; exit 1; }
cmake --build "$work/build" --parallel "$(nproc)"
cmake --install "$work/build" >/dev/null
x86_64-w64-mingw32-strip --strip-unneeded "$prefix"/bin/*.dll "$prefix"/plugins/*/*.dll
echo "Qt for MinGW is in $prefix"
