#!/usr/bin/env bash
# check-manpage.sh MANPAGE LATTORA_EXPORT
# The manual page renders without a single formatter warning, and it
# documents exactly the options that `lattora-export --help` lists: an option
# added to the program, or dropped from it, fails here until the page follows.
set -euo pipefail

page=${1:?usage: check-manpage.sh MANPAGE LATTORA_EXPORT}
program=${2:?usage: check-manpage.sh MANPAGE LATTORA_EXPORT}

fail() {
    echo "check-manpage: $*" >&2
    exit 1
}

[ -f "$page" ] || fail "no such manual page: $page"
command -v groff >/dev/null || fail "groff is missing (packaging/install-deps.sh)"
command -v man >/dev/null || fail "man is missing (packaging/install-deps.sh)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# groff with every warning on; man itself, as a reader would open the file.
groff -man -Tascii -ww -P-cbou "$page" >"$work/page.txt" 2>"$work/groff.err" ||
    fail "groff cannot format $page: $(cat "$work/groff.err")"
[ ! -s "$work/groff.err" ] || fail "groff warns about $page: $(cat "$work/groff.err")"
env -u MAN_KEEP_FORMATTING MANWIDTH=80 man --warnings -l "$page" >"$work/man.txt" 2>"$work/man.err" ||
    fail "man cannot show $page: $(cat "$work/man.err")"
[ ! -s "$work/man.err" ] || fail "man warns about $page: $(cat "$work/man.err")"
grep -q 'lattora-export' "$work/man.txt" || fail "man shows no lattora-export in $page"
for section in NAME SYNOPSIS DESCRIPTION OPTIONS 'EXIT STATUS' ENVIRONMENT FILES EXAMPLES; do
    grep -qx "$section" "$work/page.txt" || fail "$page has no $section section"
done
grep -q 'Tarnhill/Lattora.conf' "$work/page.txt" || fail "$page names no settings file"

# The long options each text names, once each.
options() { grep -oE -- '--[a-z][a-z-]*' | LC_ALL=C sort -u; }
env -u QT_QPA_PLATFORM "$program" --help >"$work/help.txt" || fail "$program --help failed"
options <"$work/help.txt" >"$work/help.options"
options <"$work/page.txt" >"$work/page.options"
[ -s "$work/help.options" ] || fail "$program --help lists no options"
if ! diff -u --label "lattora-export --help" --label "$page" \
    "$work/help.options" "$work/page.options" >"$work/options.diff"; then
    cat "$work/options.diff" >&2
    fail "$page and lattora-export --help document different options"
fi
echo "check-manpage: $page renders cleanly and documents $(wc -l <"$work/help.options") options"
