#!/usr/bin/env bash
# Coverage-guided fuzzing of the fuzz targets with libFuzzer: a clang build of
# its own, then each target for FUZZ_SECONDS (15 by default) from its seeds.
# An input that breaks a property is kept under BUILD/fuzz-runs/TARGET/found;
# copy it into tests/fuzz/corpus/TARGET so the ordinary tests keep it.
#   run-fuzz.sh [BUILD_FOLDER]
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$src/build/fuzz}
seconds=${FUZZ_SECONDS:-15}
CC=clang-14 CXX=clang++-14 cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DLATTORA_FUZZ=ON -DLATTORA_BUILD_TESTS=OFF \
    -DLATTORA_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target lattora_fuzzers -j "$(nproc)"
export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

failed=0
for target in fuzz_templates fuzz_draw_axis_grid; do
    run=$build/fuzz-runs/$target
    rm -rf "$run" && mkdir -p "$run/corpus" "$run/found"
    cp -R "$src/tests/fuzz/corpus/$target/." "$run/corpus/"
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$run/found/")
    [ -f "$src/tests/fuzz/$target.dict" ] && options+=(-dict="$src/tests/fuzz/$target.dict")
    [ "$target" = fuzz_draw_axis_grid ] && options+=(-max_len=100)
    if "$build/tests/fuzz/$target" "${options[@]}" "$run/corpus" >"$run/log" 2>&1 &&
        [ -z "$(ls -A "$run/found")" ]; then
        echo "$target: no failure in ${seconds}s"
    else
        failed=$((failed + 1))
        tail -n 40 "$run/log" >&2
        echo "$target: FAILED; the input is in $run/found" >&2
    fi
done
echo "fuzz: $((2 - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
