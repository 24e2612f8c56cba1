#!/usr/bin/env bash
# run-deb-install.sh BUILD_DIR
# Builds the Debian package from BUILD_DIR, checks what it declares and holds,
# installs it on this machine with dpkg, uses the installed programs and
# files, and removes the package again. Needs root; exits 77 (skipped)
# without it. The package is removed however the test ends.
set -euo pipefail

build=${1:?usage: run-deb-install.sh BUILD_DIR}
build=$(cd "$build" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
cpack=${CPACK:-cpack}
package=lattora

fail() {
    echo "run-deb-install: $*" >&2
    exit 1
}

if [ "$(id -u)" -ne 0 ]; then
    echo "run-deb-install: installing a package needs root; skipped"
    exit 77
fi
if ! command -v dpkg >/dev/null || ! command -v dpkg-deb >/dev/null; then
    echo "run-deb-install: no dpkg on this machine; skipped"
    exit 77
fi
for tool in dpkg-shlibdeps pdfinfo appstreamcli desktop-file-validate man groff readelf; do
    command -v "$tool" >/dev/null || fail "$tool is missing (packaging/install-deps.sh)"
done

# Never touch an installation that is not ours: a lattora package already
# there, or programs copied into /usr/bin by hand, which dpkg would overwrite
# and then remove.
status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null || true)
if [ -n "$status" ] && [ "${status:0:2}" != "un" ]; then
    fail "a $package package is already on this machine (dpkg status '${status% }');" \
        "this test installs and removes its own, so it will not run; remove it first" \
        "(dpkg -r $package)"
fi
for program in lattora lattora-export; do
    [ ! -e "/usr/bin/$program" ] ||
        fail "/usr/bin/$program exists outside any package; this test would replace and" \
            "then delete it, so it will not run; remove it first"
done

work=$build/package-test
rm -rf "$work"
mkdir -p "$work"
scratch=$(mktemp -d)
installed=no
cleanup() {
    if [ "$installed" = yes ]; then
        dpkg -r "$package" >"$work/cleanup.log" 2>&1 ||
            echo "run-deb-install: could not remove $package: $(cat "$work/cleanup.log")" >&2
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

# --- the package file ---------------------------------------------------
"$cpack" -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$work/cpack.log")"
debs=("$work"/"$package"_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single $package .deb in $work"
deb=${debs[0]}
echo "run-deb-install: $(basename "$deb"), $(stat -c %s "$deb") bytes"

field() { dpkg-deb -f "$deb" "$1"; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
[ "$(field Package)" = "$package" ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version-1" ] || fail "Version is '$(field Version)', not $version-1"
[ "$(field Section)" = graphics ] || fail "Section is '$(field Section)'"
[ "$(field Maintainer)" = "Tarnhill <support@tarnhill.example>" ] ||
    fail "Maintainer is '$(field Maintainer)'"
depends=$(field Depends)
echo "run-deb-install: Depends: $depends"
# libqt6gui6 and libc6 come from dpkg-shlibdeps; the others are declared
# because nothing links them.
for needed in libc6 libqt6gui6 libqt6svg6 fonts-dejavu-core; do
    grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends does not name $needed: $depends"
done

dpkg-deb -c "$deb" >"$work/contents.txt"
# Files only, without the leading "./usr/".
awk '$1 !~ /^d/ { print $6 }' "$work/contents.txt" | sed 's|^\./usr/||' | LC_ALL=C sort \
    >"$work/packaged"
grep -v '^#' "$here/expected-files.txt" >"$work/expected"
if ! diff -u --label expected --label packaged "$work/expected" "$work/packaged" >"$work/diff"; then
    cat "$work/diff" >&2
    fail "the package holds other files than expected-files.txt"
fi
dpkg-deb -x "$deb" "$work/unpacked"
for program in lattora lattora-export; do
    if readelf -S "$work/unpacked/usr/bin/$program" | grep -qE '\.symtab|\.debug_'; then
        fail "usr/bin/$program is not stripped"
    fi
done

# --- installed ----------------------------------------------------------
installed=yes
if ! dpkg -i "$deb" >"$work/dpkg-install.log" 2>&1; then
    if grep -qi 'dependency problems\|depends on' "$work/dpkg-install.log"; then
        fail "$package's dependencies are not installed (run packaging/install-deps.sh):" \
            "$(grep -i 'depends on\|is not installed' "$work/dpkg-install.log")"
    fi
    fail "dpkg -i failed: $(cat "$work/dpkg-install.log")"
fi

for program in lattora lattora-export; do
    [ "$(dpkg-query -S "/usr/bin/$program" 2>/dev/null | cut -d: -f1)" = "$package" ] ||
        fail "/usr/bin/$program does not belong to $package"
    if ldd "/usr/bin/$program" | grep -q 'not found'; then
        fail "/usr/bin/$program misses libraries: $(ldd "/usr/bin/$program" | grep 'not found')"
    fi
done

# lattora-export as a user runs it: no settings yet, no display, and no Qt
# platform chosen, so it has to choose offscreen itself.
mkdir -p "$scratch/config" "$scratch/home"
(cd "$scratch" && env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY \
    HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" \
    /usr/bin/lattora-export --paper A4 "$scratch/sheet.pdf") >"$work/export.log" 2>&1 ||
    fail "/usr/bin/lattora-export failed: $(cat "$work/export.log")"
pdfinfo "$scratch/sheet.pdf" >"$work/pdfinfo.txt" 2>&1 || fail "pdfinfo: $(cat "$work/pdfinfo.txt")"
grep -qE '^Pages: +1$' "$work/pdfinfo.txt" || fail "the sheet is not one page: $(cat "$work/pdfinfo.txt")"
page_size=$(awk '/^Page size:/ { printf "%.0f x %.0f", $3, $5 }' "$work/pdfinfo.txt")
[ "$page_size" = "595 x 842" ] || fail "the A4 sheet's page is $page_size pts, not 595 x 842"

# The window, offscreen, as far as its first paint: the installed program
# starts and finds its plugins.
(cd "$scratch" && env QT_QPA_PLATFORM=offscreen HOME="$scratch/home" \
    XDG_CONFIG_HOME="$scratch/config" timeout 120 /usr/bin/lattora --quit-after-first-paint) \
    >"$work/window.log" 2>&1 || fail "/usr/bin/lattora failed: $(cat "$work/window.log")"
grep -q 'first paint' "$work/window.log" || fail "/usr/bin/lattora never painted: $(cat "$work/window.log")"

echo "run-deb-install: appstreamcli validate --no-net on the installed metadata:"
appstreamcli validate --no-net /usr/share/metainfo/org.tarnhill.lattora.metainfo.xml ||
    fail "appstreamcli validate rejects the installed metadata"
"$here/validate-metadata.sh" metainfo /usr/share/metainfo/org.tarnhill.lattora.metainfo.xml >/dev/null
"$here/validate-metadata.sh" desktop /usr/share/applications/lattora.desktop

manpage=$(man -w lattora-export 2>&1) || fail "man -w finds no lattora-export page: $manpage"
[ "$manpage" = /usr/share/man/man1/lattora-export.1 ] || fail "man -w lattora-export gives $manpage"
"$here/check-manpage.sh" "$manpage" /usr/bin/lattora-export

# --- removed ------------------------------------------------------------
dpkg -r "$package" >"$work/dpkg-remove.log" 2>&1 || fail "dpkg -r failed: $(cat "$work/dpkg-remove.log")"
installed=no
status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null || true)
[ -z "$status" ] || [ "${status:0:2}" = un ] || [ "${status:0:2}" = rc ] ||
    fail "after dpkg -r, $package's status is '$status'"
while read -r file; do
    [ ! -e "/usr/$file" ] || fail "/usr/$file is still there after dpkg -r"
done <"$work/expected"
echo "run-deb-install: installed, used and removed $(basename "$deb")"
