#!/usr/bin/env bash
# check-package.sh BUILD_DIR
# Builds the Debian package and checks it without installing it on this
# machine: its fields and file list (dpkg-deb), lintian, the metadata against
# their validators, the manual pages against --help and --version, and the
# programs run from the package unpacked into a scratch root.
set -euo pipefail
build=$(cd "${1:?usage: check-package.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "check-package: $*" >&2; exit 1; }
for tool in dpkg-deb lintian appstreamcli desktop-file-validate man groff pdfinfo readelf file; do
    command -v "$tool" >/dev/null || fail "$tool is missing (packaging/install-deps.sh)"; done

work=$build/package-test
rm -rf "$work" && mkdir -p "$work"
"${CPACK:-cpack}" -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$work/cpack.log")"
deb=$(ls "$work"/lattora_*.deb)
echo "check-package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

field() { dpkg-deb -f "$deb" "$1"; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
[ "$(field Package) $(field Version) $(field Section)" = "lattora $version-1 graphics" ] ||
    fail "fields: $(field Package) $(field Version) $(field Section)"
# libc6 and the Qt libraries come from dpkg-shlibdeps; the fonts are declared.
for needed in libc6 libqt6gui6 libqt6svg6 fonts-dejavu-core; do
    grep -qE "(^|, )$needed( |,|$)" <<<"$(field Depends)" || fail "Depends lacks $needed: $(field Depends)"
done
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./usr/||' | LC_ALL=C sort >"$work/packaged"
grep -v '^#' "$here/expected-files.txt" | diff -u --label expected --label packaged - "$work/packaged" ||
    fail "the package holds other files than expected-files.txt"

lintian --tag-display-limit 0 "$deb" 2>&1 | { grep -v 'root privileges' || true; } | tee "$work/lintian.txt"
! grep -qE '^[EW]: ' "$work/lintian.txt" || fail "lintian reports errors or warnings"

root=$work/root
dpkg-deb -x "$deb" "$root"
for program in lattora lattora-export; do
    ! readelf -S "$root/usr/bin/$program" | grep -qE '\.symtab|\.debug_' || fail "$program is not stripped"
    ! readelf -d "$root/usr/bin/$program" | grep -E 'RPATH|RUNPATH' | grep -qF "$build" ||
        fail "$program looks for libraries in the build folder"
done
for png in "$root"/usr/share/icons/hicolor/*x*/apps/lattora.png; do  # each at its folder's size
    size=$(basename "$(dirname "$(dirname "$png")")")
    file -b "$png" | grep -q "PNG image data, ${size/x/ x }," || fail "$size icon is $(file -b "$png")"
done
report=$(desktop-file-validate "$root/usr/share/applications/lattora.desktop" 2>&1) && [ -z "$report" ] ||
    fail "desktop entry: $report"
appstreamcli validate --no-net --pedantic --no-color \
    "$root/usr/share/metainfo/org.tarnhill.lattora.metainfo.xml" >"$work/appstream.txt" 2>&1 &&
    ! grep -qE '^[EWI]: ' "$work/appstream.txt" || fail "metainfo: $(cat "$work/appstream.txt")"
grep -qF "<release version=\"$version\"" "$root/usr/share/metainfo/org.tarnhill.lattora.metainfo.xml" ||
    fail "the metainfo's release is not $version"

# The programs as a user runs them from the package: no display, the export
# choosing offscreen itself, reading the user's store and finding its
# printers' module.
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Tarnhill"
mkdir -m 700 "$XDG_RUNTIME_DIR"
printf '[Lattora]\nScale=Metric\n' >"$XDG_CONFIG_HOME/Tarnhill/Lattora.conf"
bare() { env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$@"; }
headless() { bare "$root/usr/bin/lattora-export" "$@"; }
headless "$work/sheet.pdf" || fail "lattora-export failed"
pdfinfo "$work/sheet.pdf" | grep -qE '^Pages: +1$' || fail "the exported sheet is not one page"
[ "$(headless - | head -n 1)" = "unit 7" ] || fail "lattora-export did not read the metric store"
# The window with Qt's own options, which choose the platform without a display.
window() { bare timeout 120 "$root/usr/bin/lattora" "$@"; }
window -platform offscreen -style Fusion --quit-after-first-paint | grep -q 'first paint' ||
    fail "lattora never painted"
status=0 && window -platform offscreen --bogus >/dev/null 2>"$work/refusal.txt" || status=$?
[ $status = 2 ] && [ "$(wc -l <"$work/refusal.txt")" = 1 ] && grep -q bogus "$work/refusal.txt" ||
    fail "an unknown option gave status $status and: $(cat "$work/refusal.txt")"

# The manual pages: clean under groff and man, the version of --version, and
# the options --help lists as the first part of OPTIONS (the window's page
# goes on with Qt's options and those for scripts).
# An option line's spellings, from lines indented by exactly $1 spaces.
spellings() { grep -oE "^ {$1}-[^ ]*(, -[^ ]*)*" | tr -d ' ' | tr , '\n' | LC_ALL=C sort; }
for program in lattora lattora-export; do
    page=$root/usr/share/man/man1/$program.1.gz text=$work/$program.txt
    zcat "$page" | groff -man -Tascii -ww -P-cbou >"$text" 2>"$work/groff.err" && [ ! -s "$work/groff.err" ] ||
        fail "groff: $(cat "$work/groff.err")"
    [ -z "$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)" ] || fail "man warns about $program.1"
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS 'EXIT STATUS' ENVIRONMENT FILES 'SEE ALSO'; do
        grep -qx "$section" "$text" || fail "$program.1 has no $section"
    done
    said=$(bare "$root/usr/bin/$program" --version)
    [ "$said" = "$program $version" ] && zcat "$page" | grep -q "^\.TH .* \"Lattora $version\"" ||
        fail "$program --version says $said, its page $(zcat "$page" | grep '^\.TH')"
    diff <(bare "$root/usr/bin/$program" --help | spellings 2) \
        <(sed -n '/^OPTIONS$/,/^[A-Z]\|^   [^ ]/p' "$text" | spellings 7) ||
        fail "$program.1 and $program --help list different options"
done
grep -qx EXAMPLES "$work/lattora-export.txt" || fail "lattora-export.1 has no EXAMPLES"
echo "check-package: $(wc -l <"$work/packaged") files, lintian clean, programs run, pages agree"
