#!/usr/bin/env bash
# install-layout.sh BUILD_DIR SOURCE_DIR [CMAKE]
# Installs the build into a scratch prefix and checks that it lays out exactly
# the files in expected-files.txt, no more and no fewer, and that they are
# what they claim: the icons at their sizes, the programs free of any path
# into the build folder.
set -euo pipefail

build=${1:?usage: install-layout.sh BUILD_DIR SOURCE_DIR [CMAKE]}
source=${2:?usage: install-layout.sh BUILD_DIR SOURCE_DIR [CMAKE]}
cmake=${3:-cmake}
here=$(cd "$(dirname "$0")" && pwd)

fail() {
    echo "install-layout: $*" >&2
    exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

# Every component: an install rule anywhere in the tree shows up as a stray.
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    fail "cmake --install failed: $(cat "$work/install.log")"

grep -v '^#' "$here/expected-files.txt" >"$work/expected"
(cd "$prefix" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort) >"$work/actual"
if ! diff -u --label expected --label installed "$work/expected" "$work/actual" >"$work/diff"; then
    cat "$work/diff" >&2
    fail "the installed files differ from expected-files.txt"
fi

for program in lattora lattora-export; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
    # A run path into the build folder would load our build's libraries, or
    # none once the build is gone.
    if readelf -d "$prefix/bin/$program" | grep -E 'RPATH|RUNPATH' | grep -qF "$build"; then
        fail "bin/$program still looks for libraries in $build"
    fi
done

cmp -s "$source/app/lattora.svg" "$prefix/share/icons/hicolor/scalable/apps/lattora.svg" ||
    fail "the scalable icon is not app/lattora.svg"

# A PNG starts with its signature and then the IHDR chunk, whose first eight
# bytes are the width and height, big-endian.
for png in "$prefix"/share/icons/hicolor/*x*/apps/lattora.png; do
    folder=$(basename "$(dirname "$(dirname "$png")")")
    size=${folder%%x*}
    signature=$(od -An -tx1 -N8 "$png" | tr -d ' \n')
    [ "$signature" = 89504e470d0a1a0a ] || fail "$folder/apps/lattora.png is not a PNG"
    read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
    width=$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))
    height=$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))
    [ "$width" -eq "$size" ] && [ "$height" -eq "$size" ] ||
        fail "$folder/apps/lattora.png is ${width}x${height}"
done

echo "install-layout: $(wc -l <"$work/actual") files, as expected"
