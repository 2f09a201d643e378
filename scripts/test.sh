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
# The README's first command must start QXM and keep it running: run.sh ends
# by becoming the program, in a process group of its own that is ended whole.
QT_QPA_PLATFORM=offscreen setsid bash "$QXM_ROOT/scripts/run.sh" >run.log 2>&1 &
qxm=$! running=0
for ((i = 0; i < 300 && running < 5; i++)); do
    program=$(readlink "/proc/$qxm/exe" 2>/dev/null) || break
    [[ $program == "$(<qxm-program-path)" ]] && ((++running))
    sleep 1
done
kill -- "-$qxm" 2>/dev/null || true
wait "$qxm" || true
[[ $running -eq 5 ]] || { cat run.log; echo "FAILED: scripts/run.sh did not keep QXM running" >&2; exit 1; }
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
bash "$QXM_ROOT/scripts/test-web.sh"
bash "$QXM_ROOT/scripts/test-windows.sh"
bash "$QXM_ROOT/scripts/test-sanitizers.sh"
bash "$QXM_ROOT/scripts/fuzz.sh"
bash "$QXM_ROOT/scripts/analyse.sh"
