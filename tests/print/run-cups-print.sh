#!/usr/bin/env bash
# Prints on a real print spooler and checks what reaches the paper. A cupsd of
# our own (its configuration, spool and socket in WORK_FOLDER, nothing of the
# machine's CUPS touched) gets two PDF printers, whose jobs its file backend
# writes into WORK_FOLDER: Check, whose whole paper is printable, and
# Margined, with an office printer's unprintable edges. First with neither as
# the default: what the window says, and Printer Setup choosing Margined and
# its paper. Then a Metric 1 mm x Logarithmic 2 cycles sheet printed on Check
# by the export command and by the window's Print command, and a landscape one
# on Margined, each compared with the program's own PDF export of that page;
# last, a job Margined refuses. The cupsd stops at the end.
#   run-cups-print.sh EXPORT_TOOL WINDOW_PRINT_TOOL CHECK_TOOL WORK_FOLDER
set -euo pipefail
export_tool=$1 window_tool=$2 check_tool=$3 work=$4

if [ "$(id -u)" != 0 ]; then
    echo "skipped: a cupsd of our own runs its filters as root's lp user"
    exit 77
fi
for tool in cupsd lpadmin lpstat pdfinfo pdftotext pdftocairo; do
    command -v "$tool" >/dev/null || { echo "missing $tool: run packaging/install-deps.sh"; exit 1; }
done
here="$(dirname "$0")"

rm -rf "$work"
mkdir -p "$work"/{conf/ppd,spool,cache,state,out,config/Tarnhill}
mkdir -m 1777 "$work/tmp"
chmod 755 "$work" "$work"/{conf,out}
printf '%s\n' "Listen $work/cups.sock" "LogLevel info" "Browsing No" "WebInterface No" \
    "DefaultAuthType None" "<Location />" "Order allow,deny" "Allow all" "</Location>" \
    >"$work/conf/cupsd.conf"
# Every file the server writes goes into $work; its file backend may write there.
printf '%s\n' "ServerRoot $work/conf" "RequestRoot $work/spool" "CacheDir $work/cache" \
    "StateDir $work/state" "TempDir $work/tmp" "AccessLog $work/access_log" \
    "ErrorLog $work/error_log" "PageLog $work/page_log" "Printcap $work/printcap" \
    "SystemGroup root" "FileDevice Yes" >"$work/conf/cups-files.conf"

cupsd -f -c "$work/conf/cupsd.conf" -s "$work/conf/cups-files.conf" &
cupsd_pid=$!
trap 'kill $cupsd_pid 2>/dev/null; wait $cupsd_pid 2>/dev/null || true' EXIT
# Every CUPS client below, the programs' Qt included, talks to our cupsd only.
export CUPS_SERVER="$work/cups.sock"
unset LPDEST PRINTER

# Waits up to $1 seconds for the command that follows to succeed.
wait_for() {
    local tenths=$(($1 * 10))
    shift
    for _ in $(seq "$tenths"); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}
# lpstat answers 0 either way; only its words tell.
running() { lpstat -r 2>/dev/null | grep -q "scheduler is running"; }
wait_for 30 running || { echo "cupsd did not start"; cat "$work/error_log"; exit 1; }
for queue in Check Margined; do
    lpadmin -p $queue -E -v "file://$work/out/$queue.pdf" -P "$here/${queue,,}-printer.ppd" 2>&1 |
        grep -v deprecated || true
done

export XDG_CONFIG_HOME="$work/config"
printf '[Lattora]\nScale=Metric\n' >"$work/config/Tarnhill/Lattora.conf"

# Waits for the job on queue $1 and moves the PDF it wrote to $2.
take_printed() {
    done_printing() { [ -z "$(lpstat -o "$1" 2>/dev/null)" ] && [ -s "$work/out/$1.pdf" ]; }
    wait_for 60 done_printing "$1" || { echo "$1 wrote no PDF"; tail "$work/error_log"; exit 1; }
    mv "$work/out/$1.pdf" "$2"
}

# No default printer; Margined chosen in Qt's own printer dialog, turned, given
# A5 paper, and the dialog confirmed untouched. Margined's printable area is A4 or
# A5 less 6.35 mm left and right, 14.8 mm top and 10.6 mm bottom of the
# upright paper: 19.73 x 27.16 cm upright, 27.16 x 19.73 cm turned.
"$window_tool" print dialog Margined landscape portrait setup Margined/A5 landscape dialog - \
    >"$work/setup.txt"
diff -u - "$work/setup.txt" <<'EOF'
print: Width = 21 cm | Height = 29.7 cm | No default printer: A4 paper until one is chosen in Printer Setup
message: No default printer is set, so the sheet cannot be printed yet.

Choose a printer in Printer Setup.
Margined: Width = 19.73 cm | Height = 27.16 cm | 
landscape: Width = 27.16 cm | Height = 19.73 cm | 
portrait: Width = 19.73 cm | Height = 27.16 cm | 
Margined/A5: Width = 13.53 cm | Height = 18.46 cm | 
landscape: Width = 18.46 cm | Height = 13.53 cm | 
-: Width = 18.46 cm | Height = 13.53 cm | 
EOF

# From here on each program takes the queue LPDEST names as the default,
# whatever the machine's lpoptions say.
export LPDEST=Check PRINTER=Check

scales=(--abscissa "Metric:1 mm" --ordinate "Logarithmic:2 cycles")
"$export_tool" --corrections "${scales[@]}" "$work/exported.pdf"

"$export_tool" --print "${scales[@]}"
take_printed Check "$work/by-export.pdf"
"$check_tool" "$work/by-export.pdf" "$work/exported.pdf"

"$window_tool" print
take_printed Check "$work/by-window.pdf"
"$check_tool" "$work/by-window.pdf" "$work/exported.pdf"

export LPDEST=Margined PRINTER=Margined
"$export_tool" --orientation landscape --corrections "${scales[@]}" "$work/exported-margined.pdf"
"$window_tool" landscape print
take_printed Margined "$work/by-window-margined.pdf"
"$check_tool" "$work/by-window-margined.pdf" "$work/exported-margined.pdf"

# Full Paper on the turned page fills exactly what the paper takes ink on:
# the margins of the upright paper, whichever way the page was turned.
"$window_tool" landscape full plain >/dev/null
take_printed Margined "$work/full-margined.pdf"
"$check_tool" --within 6.35,14.8,6.35,10.6 "$work/full-margined.pdf"

# A queue that refuses jobs: the spooler's reason reaches the error report.
cupsreject Margined
if "$window_tool" print >"$work/refused.txt"; then
    echo "a refused job was reported as printed"
    exit 1
fi
grep -q 'error: The printer "Margined" did not take the page: .*not accepting jobs' \
    "$work/refused.txt" || { cat "$work/refused.txt"; exit 1; }
