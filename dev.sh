#!/usr/bin/env bash
# The two ways into the project on a fresh Debian 12 machine (as root):
#   ./dev.sh run    install what is needed, build, and run the program
#   ./dev.sh test   install what is needed, build, and run every test
#   ./dev.sh bench  the same build, then the benchmarks' medians
#   ./dev.sh fuzz   the fuzz targets, each for FUZZ_SECONDS (default 15)
set -euo pipefail
cd "$(dirname "$0")"

jobs=$(nproc 2>/dev/null || echo 2)

build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j "$jobs"
}

case "${1:-}" in
    run)
        bash packaging/install-deps.sh
        build default
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
        ctest --preset default -j "$jobs"
        build sanitize
        ctest --preset sanitize -j "$jobs"
        bash tests/fuzz/run-fuzz.sh build/fuzz
        ;;
    fuzz)
        bash packaging/install-deps.sh
        bash tests/fuzz/run-fuzz.sh "${@:2}"
        ;;
    bench)
        # The medians the README quotes: nine runs of every benchmark.
        bash packaging/install-deps.sh
        build default
        build/default/bench/lattora-bench --benchmark_repetitions=9 \
            --benchmark_report_aggregates_only=true "${@:2}" | grep -E "^(Benchmark|-+$|.*_median)"
        ;;
    *)
        echo "usage: $0 run|test|bench|fuzz" >&2
        exit 2
        ;;
esac
