#!/usr/bin/env bash
# Redraws the images in resources/ (icons, the About picture, the splash
# logo, each picture also at twice its size for high-DPI screens) with the
# generator in scripts/drawresources.cpp. The output is the same on every
# run, so an unchanged generator leaves the files unchanged.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

qxm_install_missing "${QXM_BUILD_PACKAGES[@]}"
cmake -S "$QXM_ROOT" -B "$QXM_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$QXM_BUILD" --target qxm-draw-resources --parallel "$(nproc)"
# The generator paints into images only and opens no window; the offscreen
# platform keeps Qt from looking for a display all the same.
QT_QPA_PLATFORM=offscreen "$QXM_BUILD/scripts/qxm-draw-resources" "$QXM_ROOT/resources"
