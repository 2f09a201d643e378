#!/usr/bin/env bash
# Builds QXM and its tests with AddressSanitizer and UndefinedBehaviorSanitizer
# (clang) into $QXM_BUILD/sanitize and runs every test there, the windows on
# Qt's offscreen platform and the desktop test on Xvfb. Any sanitizer report,
# a leak included, fails the run, also one from a program a test starts and
# whose exit status it does not look at (the desktop test stops QXM itself).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

qxm_install_missing "${QXM_BUILD_PACKAGES[@]}" "${QXM_TEST_PACKAGES[@]}"

build="$QXM_BUILD/sanitize"
# The benchmarks only prove that they run, which the plain build does already.
QXM_BUILD="$build" qxm_build -DCMAKE_CXX_COMPILER=clang++ -DQXM_SANITIZE=ON -DQXM_BUILD_BENCHMARKS=OFF

# Reports go to files, shown at the end, so that none goes unnoticed where a
# test passes without looking at how a program it started ended.
reports="$build/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"
asan_options=(detect_leaks=1 halt_on_error=1 detect_stack_use_after_return=1
    check_initialization_order=1 strict_init_order=1 "log_path=$reports/asan")
export ASAN_OPTIONS=$(IFS=:; echo "${asan_options[*]}")
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$reports/ubsan"
export LSAN_OPTIONS="suppressions=$QXM_ROOT/scripts/lsan-suppressions.txt:print_suppressions=0"

status=0
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)") || status=$?

shopt -s nullglob
found=("$reports"/*)
if [[ ${#found[@]} -gt 0 ]]; then
    for report in "${found[@]}"; do
        echo "=== $report" >&2
        cat "$report" >&2
    done
    echo "The sanitizers reported ${#found[@]} problem(s); see above." >&2
    status=1
fi
exit "$status"
