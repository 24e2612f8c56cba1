#!/usr/bin/env bash
# Prints on a real print spooler and checks what reaches the paper. A cupsd of
# our own (its configuration, spool and socket in WORK_FOLDER, nothing of the
# machine's CUPS touched) gets a PDF printer as its default printer, whose jobs
# its file backend writes into WORK_FOLDER; a Metric 1 mm x Logarithmic 2 cycles sheet is printed once
# with the export command and once with the window's Print command, and both
# are compared with the program's own PDF export. The cupsd stops at the end.
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
ppd="$(dirname "$0")/pdf-printer.ppd"

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
# Every CUPS client below, the programs' Qt included, talks to our cupsd only,
# and takes our queue as the default whatever the machine's lpoptions say.
export CUPS_SERVER="$work/cups.sock" LPDEST=Check PRINTER=Check

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
lpadmin -p Check -E -v "file://$work/out/job.pdf" -P "$ppd" 2>&1 | grep -v deprecated || true
lpadmin -d Check

export XDG_CONFIG_HOME="$work/config"
printf '[Lattora]\nScale=Metric\n' >"$work/config/Tarnhill/Lattora.conf"

# Waits for the queue's job and moves the PDF it wrote to $1.
take_printed() {
    done_printing() { [ -z "$(lpstat -o Check 2>/dev/null)" ] && [ -s "$work/out/job.pdf" ]; }
    wait_for 60 done_printing || { echo "the queue wrote no PDF"; tail "$work/error_log"; exit 1; }
    mv "$work/out/job.pdf" "$1"
}

scales=(--abscissa "Metric:1 mm" --ordinate "Logarithmic:2 cycles")
"$export_tool" --corrections "${scales[@]}" "$work/exported.pdf"

"$export_tool" --print "${scales[@]}"
take_printed "$work/by-export.pdf"
"$check_tool" "$work/by-export.pdf" "$work/exported.pdf"

"$window_tool"
take_printed "$work/by-window.pdf"
"$check_tool" "$work/by-window.pdf" "$work/exported.pdf"
