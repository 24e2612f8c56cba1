#!/usr/bin/env bash
# Builds the fuzz targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for a bounded time starting from a
# copy of its seeds (and of its past failures), so the kept corpus changes only
# when someone copies an input into it. Fails when a target finds a crash, a
# leak, a slow input or a broken property, and names the input that shows it.
#
#   tests/fuzz/run-fuzz.sh [BUILD_DIR]      default BUILD_DIR: build/fuzz
#
# FUZZ_SECONDS sets each target's time (default 15); FUZZ_TARGETS, a list of
# names, runs only those.
set -euo pipefail

src=$(cd "$(dirname "$0")/../.." && pwd)
build=$(mkdir -p "${1:-$src/build/fuzz}" && cd "${1:-$src/build/fuzz}" && pwd)
seconds=${FUZZ_SECONDS:-15}
read -r -a targets <<<"${FUZZ_TARGETS:-fuzz_templates fuzz_rules fuzz_scale_argument fuzz_draw_axis_grid}"

# Debug keeps Qt's and our assertions; -O1 keeps the fuzzer fast enough.
CC=clang-14 CXX=clang++-14 cmake -S "$src" -B "$build" -G Ninja \
    -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
    -DLATTORA_FUZZ=ON -DLATTORA_BUILD_TESTS=OFF -DLATTORA_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target lattora_fuzzers -j "$(nproc 2>/dev/null || echo 2)"

if [ -x /usr/lib/llvm-14/bin/llvm-symbolizer ]; then
    export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
fi
# Qt is built without frame pointers, so the fast unwinder walks into
# garbage past its frames, and every such allocation stack is kept as a new
# one: memory grows by kilobytes an input until a longer run trips the RSS
# limit. Three frames stay within the reliable part; the crash's own stack is
# unwound in full regardless. Rerun a reproducer with malloc_context_size=30
# for longer allocation stacks.
export ASAN_OPTIONS="${ASAN_OPTIONS:-malloc_context_size=3}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen

runs="$build/fuzz-runs"
rm -rf "$runs"
failed=()
for target in "${targets[@]}"; do
    run="$runs/$target"
    mkdir -p "$run/corpus" "$run/found"
    cp -R "$src/tests/fuzz/corpus/$target/." "$run/corpus/"
    if [ -d "$src/tests/fuzz/regressions/$target" ]; then
        cp -R "$src/tests/fuzz/regressions/$target/." "$run/corpus/"
    fi
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048
             -artifact_prefix="$run/found/" -print_final_stats=1)
    if [ -f "$src/tests/fuzz/$target.dict" ]; then
        options+=(-dict="$src/tests/fuzz/$target.dict")
    fi
    if [ "$target" = fuzz_draw_axis_grid ]; then
        # The case is 100 bytes; longer inputs add nothing.
        options+=(-max_len=100)
    fi

    status=0
    "$build/tests/fuzz/$target" "${options[@]}" "$run/corpus" >"$run/log" 2>&1 || status=$?
    coverage=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$run/log" | tail -n 1 | grep -oE 'cov: [0-9]+ ft: [0-9]+' || true)
    speed=$(grep -oE 'average_exec_per_sec: *[0-9]+' "$run/log" | grep -oE '[0-9]+$' || true)
    if [ "$status" -eq 0 ] && [ -z "$(ls -A "$run/found")" ]; then
        echo "$target: no failure in ${seconds}s (${speed:-?} exec/s, ${coverage:-no coverage line})"
    else
        failed+=("$target")
        echo "$target: FAILED (exit $status); last lines of $run/log:" >&2
        tail -n 40 "$run/log" >&2
        for input in "$run/found"/*; do
            [ -e "$input" ] && echo "$target: reproduce with: $build/tests/fuzz/$target $input" >&2
        done
    fi
done

echo "fuzz: $((${#targets[@]} - ${#failed[@]})) passed, ${#failed[@]} failed"
if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzzing found failures in: ${failed[*]}" >&2
    exit 1
fi
