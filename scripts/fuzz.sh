#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer into $QXM_BUILD/fuzz and runs each for a bounded
# time (QXM_FUZZ_SECONDS, 30 by default), all at once. Fails on any finding:
# a crash, a sanitizer report, a leak, a broken property or a hang.
# What a run finds is kept in $QXM_BUILD/fuzz/findings; the corpus grows in
# $QXM_BUILD/fuzz/corpus, seeded from tests/fuzz/corpus, which stays as it is.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

qxm_install_missing "${QXM_BUILD_PACKAGES[@]}" "${QXM_TEST_PACKAGES[@]}"

build="$QXM_BUILD/fuzz"
seconds=${QXM_FUZZ_SECONDS:-30}
# The text target reads up to 40000 UTF-16 code units after a short header;
# the font files of the font target's corpus are a few KiB, a PCF about 19.
declare -A max_len=([qxm_conversion_fuzzer]=80016 [qxm_keyvalue_fuzzer]=4096 [qxm_command_fuzzer]=200000
    [qxm_fontfile_fuzzer]=32768)
targets=("${!max_len[@]}")

# The fuzz targets need no Qt, and building nothing else keeps this quick.
cmake -S "$QXM_ROOT" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DQXM_WITH_QT=OFF -DQXM_SANITIZE=ON -DQXM_FUZZ=ON -DQXM_BUILD_BENCHMARKS=OFF \
    -DQXM_WARNINGS_AS_ERRORS="${QXM_WARNINGS_AS_ERRORS:-OFF}"
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]}"

findings="$build/findings"
rm -rf "$findings"
mkdir -p "$findings"
pids=()
# The fuzzers end with this script, also when it is interrupted.
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    cp "$QXM_ROOT/tests/fuzz/corpus/$target"/* "$corpus/"
    "$build/tests/fuzz/$target" "$corpus" \
        -max_total_time="$seconds" -max_len="${max_len[$target]}" -timeout=10 -rss_limit_mb=1024 \
        -print_final_stats=1 -artifact_prefix="$findings/$target-" >"$build/$target.log" 2>&1 &
    pids+=($!)
done

status=0
for i in "${!targets[@]}"; do
    target=${targets[$i]}
    if wait "${pids[$i]}"; then
        echo "$target: $(grep -E '^#[0-9]+.*DONE' "$build/$target.log" | tail -n 1)"
    else
        status=1
        echo "$target found a problem; its log follows, the input is in $findings" >&2
        tail -n 60 "$build/$target.log" >&2
    fi
done
exit "$status"
