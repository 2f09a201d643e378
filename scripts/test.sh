#!/usr/bin/env bash
# Builds QXM and runs every test, installing what is missing first.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

qxm_install_missing "${QXM_BUILD_PACKAGES[@]}" "${QXM_TEST_PACKAGES[@]}"
# At its end, whether it passes, fails or is interrupted, nothing the tests
# started may still be running.
qxm_mark_processes
# Every build below, for every system, stops at a warning in our own code.
export QXM_WARNINGS_AS_ERRORS=ON
qxm_build
cd "$QXM_BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
bash "$QXM_ROOT/scripts/test-web.sh"
bash "$QXM_ROOT/scripts/test-windows.sh"
bash "$QXM_ROOT/scripts/test-sanitizers.sh"
bash "$QXM_ROOT/scripts/fuzz.sh"
bash "$QXM_ROOT/scripts/analyse.sh"
