#!/usr/bin/env bash
# The ways into the project on a fresh Debian 12 machine (as root):
#   ./dev.sh run    install what is needed, build the two programs, run the window
#   ./dev.sh test   install what is needed, build, and run every test
#   ./dev.sh check  the longer runs: real fuzzing, the sanitizer run of the window tests
#   ./dev.sh bench  the same build, then the benchmarks' medians
set -euo pipefail
cd "$(dirname "$0")"

jobs=$(nproc 2>/dev/null || echo 2)

build() {  # PRESET [TARGET...]
    local preset=$1
    shift
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs" ${1:+--target "$@"}
}

# Tests keep whatever they write (a home, temporary files, the runtime folder
# Qt wants) inside the build folder: the machine is left as it was found.
private_test_env() {
    local root=$PWD/build/test-env
    rm -rf "$root"
    mkdir -p "$root/home" "$root/tmp" "$root/runtime"
    chmod 700 "$root/runtime"
    export HOME=$root/home TMPDIR=$root/tmp XDG_RUNTIME_DIR=$root/runtime
    export XDG_CONFIG_HOME=$root/home/.config XDG_CACHE_HOME=$root/home/.cache
    export XDG_DATA_HOME=$root/home/.local/share
}

case "${1:-}" in
    run)
        bash packaging/install-deps.sh
        build default lattora lattora-export lattora-print
        if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
            exec build/default/app/lattora
        fi
        out="${LATTORA_OUTPUT:-$PWD/build/lattora-sheet.pdf}"
        echo "No display to open Lattora's window on; exporting the standard sheet instead."
        build/default/app/lattora-export "$out"
        echo "Lattora wrote the standard sheet to $out"
        ;;
    test)
        bash packaging/install-deps.sh
        build default
        private_test_env
        ctest --preset default -j "$jobs"
        build sanitize lattora_unit_tests
        ctest --preset sanitize -j "$jobs"
        ;;
    check)
        bash packaging/install-deps.sh
        build sanitize lattora_unit_tests lattora_window_tests
        private_test_env
        ctest --preset sanitize-all -j "$jobs"
        bash tests/fuzz/run-fuzz.sh build/fuzz
        ;;
    bench)
        # The medians the README quotes: nine runs of every benchmark.
        bash packaging/install-deps.sh bench
        build default
        build/default/bench/lattora-bench --benchmark_repetitions=9 \
            --benchmark_report_aggregates_only=true "${@:2}" |
            grep -E "^(Benchmark|-+$|.*_median|.*ERROR OCCURRED)"
        ;;
    *)
        echo "usage: $0 run|test|check|bench" >&2
        exit 2
        ;;
esac
