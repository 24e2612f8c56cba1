#!/usr/bin/env bash
# export-hostile-input.sh LATTORA_EXPORT WORK_FOLDER
# The real lattora-export against what a hostile user or an unlucky machine
# puts in its way: settings that are a pipe, endless, unreachable or start
# with a byte-order mark; Qt's own options and platform; outputs that are
# pipes, devices, sockets or on a full disk; a memory limit; values out of
# range, overlong or holding control characters. One row a case, each under a
# timeout, in a folder of its own; the work folder is removed at the end.
set -uo pipefail
program=$(realpath "$1") work=$2
rm -rf "$work" && mkdir -p "$work"
cleanup() {
    for mounted in "$work"/*/out/small; do umount -l "$mounted" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
root() { [ "$(id -u)" = 0 ] || skip "needs root"; }
skip() { echo "$*" >"$case/skipped"; exit 3; }
old() { echo OLD >"$1"; }
kept() { [ "$(cat "$1")" = OLD ]; }
kind() { [ "$(stat -c %F "$1")" = "$2" ]; }
magic() { [ "$(head -c "${#2}" "$1")" = "$2" ]; }
settings() { printf "$1" >"$XDG_CONFIG_HOME/Tarnhill/Lattora.conf"; }
# The picture's size from its header: the whole page, not an empty one.
whole_a4() { file -b "$1" | grep -qE "$2 x -?$3\b"; }

# Every entry below the current folder with its kind, size and time.
snapshot() { find . -mindepth 1 \( -type d -printf '%p/\n' \) -o -printf '%p %y %s %T@\n' | sort; }

passed=0 failed=0 skipped=0 rows=0
# row NAME STATUS PATTERN SETUP CHECK -- ARGUMENTS...: in a fresh folder, run
# SETUP, then the program on ARGUMENTS (through "${wrap[@]}" if SETUP sets
# it) with its standard output in ../stdout; then expect STATUS, standard
# error empty (PATTERN "") or one line matching PATTERN, never a control
# character, after a refusal the folder as it was, and CHECK true.
row() {
    local name=$1 status=$2 pattern=$3 setup=$4 check=$5
    shift 6
    case=$work/$((++rows))
    # The settings' folder has an escape sequence in its name, for the
    # warnings to show it escaped.
    local config=$case/$'con\efig'
    mkdir -p "$case/out" "$config/Tarnhill" "$case/home" "$case/runtime"
    chmod 700 "$case/runtime"
    (
        export HOME=$case/home XDG_CONFIG_HOME=$config XDG_RUNTIME_DIR=$case/runtime
        export XDG_CACHE_HOME=$case/home/.cache TMPDIR=$case/home
        cd "$case/out" || exit 1
        wrap=()
        eval "$setup"
        before=$(snapshot)
        timeout 10 "${wrap[@]}" "$program" "$@" >"$case/stdout" 2>"$case/stderr"
        got=$?
        problem=
        if [ "$got" != "$status" ]; then
            problem="exit status $got, not $status"
        elif [ -z "$pattern" ] && [ -s "$case/stderr" ]; then
            problem="says something"
        elif [ -n "$pattern" ] && ! { [ "$(wc -l <"$case/stderr")" = 1 ] &&
            grep -qE -- "$pattern" "$case/stderr"; }; then
            problem="does not say, in one line, /$pattern/"
        elif LC_ALL=C grep -q '[[:cntrl:]]' <(tr -d '\n' <"$case/stderr"); then
            problem="passes a control character to the terminal"
        elif [ "$status" = 2 ] && [ "$(snapshot)" != "$before" ]; then
            problem="changed the folder: $(snapshot)"
        elif ! eval "$check"; then
            problem="fails the check: $check"
        fi
        [ -z "$problem" ] || { echo "$problem" >"$case/problem"; exit 1; }
    )
    case $? in
        0) passed=$((passed + 1)) ;;
        3) skipped=$((skipped + 1)); echo "skipped: $name ($(cat "$case/skipped"))" ;;
        *) failed=$((failed + 1))
           echo "FAILED: $name: $(cat "$case/problem" 2>/dev/null)" >&2
           head -c 300 "$case/stderr" | cat -v >&2 ;;
    esac
}

warning='^lattora-export: warning: ".*/con\\u001bfig/Tarnhill/Lattora.conf" cannot be read'
unknown='^lattora-export: unknown option "(platform|reverse|session|plugin|style)" \(see --help\)$'
range='takes two numbers from -10000 to 10000 separated by a comma, not'
parts='^lattora-export: --abscissa: "N divided" takes a whole number from 1 up after ":", not'

# Settings that are no regular file, or too large, or out of reach: passed
# over with a warning, never waited on, never read whole.
row "settings are a pipe" 0 "$warning \(it is not a regular file\)" \
    'mkfifo "$XDG_CONFIG_HOME/Tarnhill/Lattora.conf"' 'magic o.pdf %PDF' -- --paper A4 o.pdf
row "settings never end" 0 "$warning \(it is not a regular file\)" \
    'ln -s /dev/zero "$XDG_CONFIG_HOME/Tarnhill/Lattora.conf"' 'magic o.pdf %PDF' -- --paper A4 o.pdf
row "settings of 17 MB" 0 "$warning \(it is larger than 16 MB\)" \
    'truncate -s 17M "$XDG_CONFIG_HOME/Tarnhill/Lattora.conf"' 'magic o.pdf %PDF' -- --paper A4 o.pdf
row "settings folder is a file" 0 "$warning \(Not a directory\)" \
    'rm -r "$XDG_CONFIG_HOME/Tarnhill" && touch "$XDG_CONFIG_HOME/Tarnhill"' true -- -
row "settings folder cannot be searched" 0 "$warning \(Permission denied\)" \
    'settings "[Lattora]\nScale=Metric\n"; chmod 000 "$XDG_CONFIG_HOME/Tarnhill"
     if [ "$(id -u)" = 0 ]; then  # root searches any folder: run as nobody
         wrap=(setpriv --reuid=65534 --regid=65534 --clear-groups)
         "${wrap[@]}" test -x "$program" || skip "nobody cannot reach the program"
         chown -R 65534:65534 "$HOME" "$XDG_RUNTIME_DIR"
     fi' 'chmod 700 "$XDG_CONFIG_HOME/Tarnhill"; grep -qx "unit 5" "$case/stdout"' -- -
row "settings begin with a byte-order mark" 0 "" \
    'settings "\xef\xbb\xbf[Lattora]\nScale=Metric\n"' 'grep -qx "unit 7" "$case/stdout"' -- --paper A4 -

# Qt's own options are no options of the command, and its platform is
# always the headless one.
for option in "-platform xcb" "--platform bogus" -reverse "-session x" "-plugin foo" "-style fusion"; do
    row "Qt's option $option" 2 "$unknown" '' true -- $option o.pdf
done
row "a desktop's platform without a display" 0 "" \
    'export QT_QPA_PLATFORM=xcb; unset DISPLAY WAYLAND_DISPLAY' 'magic o.pdf %PDF' -- --paper A4 o.pdf

# Outputs: a pipe and a character device are written into and stay what
# they are; anything else that is no file is refused; a replaced file keeps
# its mode and owner; a full disk leaves the old file.
row "output into a pipe" 0 "" \
    'mkfifo pipe; timeout 10 cat pipe >../read & ' 'wait; kind pipe fifo && magic ../read %PDF' \
    -- --format pdf --paper A4 pipe
row "output into a null device" 0 "" 'root; mknod null c 1 3' 'kind null "character special file"' \
    -- --format pdf --paper A4 null
row "output into a full device" 2 ': No space left on device$' 'root; mknod full c 1 7' \
    'kind full "character special file"' -- --format pdf --paper A4 full
row "output onto a block device" 2 'it is a block device, which is never written to$' \
    'root; mknod disk b 7 200' 'kind disk "block special file"' -- --format pdf --paper A4 disk
row "output onto a socket" 2 'it is neither a file, a pipe nor a character device$' \
    'perl -MSocket -e "socket(S, AF_UNIX, SOCK_STREAM, 0) && bind(S, pack_sockaddr_un(q(sock)))"' \
    'kind sock socket' -- --format pdf --paper A4 sock
row "output replaces a read-only file of another user" 0 "" \
    'root; old o.pdf; chmod 444 o.pdf; chown 1234:1234 o.pdf' \
    '[ "$(stat -c "%a %u:%g" o.pdf)" = "444 1234:1234" ] && magic o.pdf %PDF' -- --paper A4 o.pdf
row "output through a link" 0 "" 'old target.pdf; ln -s target.pdf link.pdf' \
    '[ -L link.pdf ] && magic target.pdf %PDF' -- --paper A4 link.pdf
row "output on a full disk" 2 ': No space left on device$' \
    'root; mkdir small && mount -t tmpfs -o size=64k tmpfs small || skip "tmpfs cannot be mounted"
     old small/o.pdf; cat /dev/zero >small/fill 2>/dev/null' \
    'kept small/o.pdf && [ "$(ls -A small | tr "\n" " ")" = "fill o.pdf " ]; umount small' \
    -- --paper A4 small/o.pdf

# A memory limit far below the picture (A4 at 1200 dpi is 139 million
# pixels): drawn band by band, the whole picture is written all the same.
# A picture that cannot be allocated is the exporter's unit test's case.
row "bitmap under a memory limit" 0 "" 'old m.bmp; wrap=(prlimit --as=209715200)' \
    'whole_a4 m.bmp 9921 14031' -- --paper A4 --dpi 1200 m.bmp
row "picture under a memory limit" 0 "" 'old m.png; wrap=(prlimit --as=209715200)' \
    'whole_a4 m.png 9921 14031' -- --paper A4 --dpi 1200 m.png

# Values: a whole number of parts, lengths within range, each refusal naming
# the option and its value, cut short and with control characters escaped.
for n in 0 -5 0.001 2.5 1e-300; do
    row "N divided:$n" 2 "$parts \"$n\"$" '' true -- --abscissa "N divided:$n" o.pdf
done
row "N divided:25" 0 "" '' 'magic o.pdf %PDF' -- --abscissa "N divided:25" --paper A4 o.pdf
row "huge margins" 2 "^lattora-export: --margins $range \"1e308,1e308\"$" '' true -- --margins 1e308,1e308 o.pdf
row "huge size" 2 "^lattora-export: --size $range \"1e300,1e300\"$" '' true -- --size 1e300,1e300 o.pdf
row "escape sequence in a printer name" 2 '"x\\u001b]0;PWNED\\u0007\\u000asecond"$' '' true \
    -- --print --printer $'x\e]0;PWNED\a\nsecond'
row "escape sequence in a file name" 2 '"no\\u001b\[1m\\u000asuch/x.pdf": No such file' '' true \
    -- $'no\e[1m\nsuch/x.pdf'
row "overlong scale" 2 '"M{40}…" \(131000 characters\); the families are' '' \
    '[ "$(wc -c <"$case/stderr")" -lt 400 ]' -- --abscissa "$(printf 'M%.0s' $(seq 131000))" o.pdf

echo "export-hostile-input: $passed passed, $failed failed, $skipped skipped"
[ "$failed" = 0 ]
