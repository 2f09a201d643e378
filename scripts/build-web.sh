#!/usr/bin/env bash
# Builds the web page into $QXM_BUILD/web (build/web): the converter compiled
# to WebAssembly with Debian's Emscripten, and FreeType for it from Debian's
# own source, built once into the user's cache. Installs what is missing first.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

qxm_install_missing "${QXM_WEB_PACKAGES[@]}"
# Emscripten runs its JavaScript tools with the first node on the PATH; one
# newer than Debian's does not look in /usr/share/nodejs for Debian's acorn.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

cache=${XDG_CACHE_HOME:-$HOME/.cache}/qxm
freetype_version=$(apt-cache policy libfreetype6 | sed -n 's/^ *Installed: //p')
[[ -n $freetype_version && $freetype_version != "(none)" ]] \
    || freetype_version=$(apt-cache policy libfreetype6 | sed -n 's/^ *Candidate: //p')
freetype=$cache/freetype-wasm-$freetype_version
if [[ ! -f $freetype/lib/libfreetype.a ]]; then
    echo "Building FreeType $freetype_version for WebAssembly into $freetype, once (about 2 minutes)"
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    qxm_debian_source freetype "$freetype_version" "$work/source"
    # Small rather than fast, as a font is read once; every font module
    # Debian's has, so the page reads what qxm-convert reads. Its own copy of
    # zlib's inflate reads gzip-compressed fonts.
    emcmake cmake -S "$work/source" -B "$work/build" -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_INSTALL_PREFIX="$freetype" \
        -DBUILD_SHARED_LIBS=OFF -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
        -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON >"$work/configure.log" \
        || { cat "$work/configure.log" >&2; exit 1; }
    cmake --build "$work/build" --parallel "$(nproc)" >"$work/build.log" || { cat "$work/build.log" >&2; exit 1; }
    cmake --install "$work/build" >/dev/null
fi

build=$QXM_BUILD/emscripten
emcmake cmake -S "$QXM_ROOT" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DQXM_WITH_QT=OFF -DBUILD_TESTING=OFF -DQXM_BUILD_BENCHMARKS=OFF -DQXM_WEB=ON \
    -DQXM_WEB_PAGE_DIR="$QXM_BUILD/web" -DQXM_WARNINGS_AS_ERRORS="${QXM_WARNINGS_AS_ERRORS:-OFF}" \
    -DFREETYPE_LIBRARY="$freetype/lib/libfreetype.a" \
    -DFREETYPE_INCLUDE_DIR_ft2build="$freetype/include/freetype2" \
    -DFREETYPE_INCLUDE_DIR_freetype2="$freetype/include/freetype2"
cmake --build "$build" --parallel "$(nproc)" --target qxm_web
echo "The page: $QXM_BUILD/web/index.html ($(stat -c %s "$QXM_BUILD/web/qxm.wasm") bytes of qxm.wasm)"
