#!/usr/bin/env bash
# Prints on a real print spooler and checks what reaches the paper. Starts
# cupsd when it is not running, adds a PDF queue (the cups-pdf driver) that
# writes into a folder of our own, makes it the default printer, prints a
# Metric 1 mm x Logarithmic 2 cycles sheet once with the export command and
# once with the window's Print command, and compares both with the
# program's own PDF export. Whatever happens, the queue goes again, the
# previous default printer comes back, and a cupsd started here is stopped.
#   run-cups-print.sh EXPORT_TOOL WINDOW_PRINT_TOOL CHECK_TOOL WORK_FOLDER
set -euo pipefail
export_tool=$1
window_tool=$2
check_tool=$3
work=$4

if [ "$(id -u)" != 0 ]; then
    echo "skipped: adding a print queue needs root"
    exit 77
fi
for tool in cupsd lpadmin lpstat pdfinfo pdftotext pdftocairo; do
    command -v "$tool" >/dev/null || { echo "missing $tool: run packaging/install-deps.sh"; exit 1; }
done
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -f "$ppd" ] || { echo "missing $ppd: run packaging/install-deps.sh"; exit 1; }

queue="LattoraCheck$$"
conf="/etc/cups/cups-pdf-$queue.conf"
out="$work/out"
rm -rf "$work"
mkdir -p "$out" "$work/config/Tarnhill"
cupsd_pid=""
previous_default=""

cleanup() {
    lpadmin -x "$queue" 2>/dev/null || true
    rm -f "$conf"
    if [ -n "$previous_default" ]; then
        lpadmin -d "$previous_default" 2>/dev/null || true
    fi
    if [ -n "$cupsd_pid" ]; then
        kill "$cupsd_pid" 2>/dev/null || true
        wait "$cupsd_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT

# Waits up to $1 seconds for the command that follows to succeed.
wait_for() {
    local seconds=$1
    shift
    for _ in $(seq $((seconds * 10))); do
        if "$@" >/dev/null 2>&1; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# lpstat answers 0 either way; only its words tell.
scheduler_running() {
    lpstat -r 2>/dev/null | grep -q "scheduler is running"
}
if ! scheduler_running; then
    cupsd -f &
    cupsd_pid=$!
    wait_for 30 scheduler_running || { echo "cupsd did not start"; exit 1; }
fi
previous_default=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')

# cups-pdf reads a configuration of the queue's own: our folder, plain names.
cat >"$conf" <<CONF
Out $out
AnonDirName $out
Label 0
CONF
# Poppler's cairo renderer keeps the labels' text in the page it passes on.
lpadmin -p "$queue" -E -v "cups-pdf:/$queue" -P "$ppd" \
    -o pdftops-renderer-default=pdftocairo 2>&1 | grep -v "deprecated" || true
lpadmin -d "$queue"
wait_for 10 lpstat -a "$queue" || { echo "queue $queue does not accept jobs"; exit 1; }

export XDG_CONFIG_HOME="$work/config"
printf '[Lattora]\nScale=Metric\n' >"$work/config/Tarnhill/Lattora.conf"

# Waits for the queue to finish its job and prints the PDF it wrote.
printed_pdf() {
    pdf_ready() {
        [ -z "$(lpstat -o "$queue" 2>/dev/null)" ] && compgen -G "$out/*.pdf" >/dev/null
    }
    wait_for 120 pdf_ready || { echo "the queue wrote no PDF"; lpstat -o "$queue" || true; exit 1; }
    ls -t "$out"/*.pdf | head -n 1
}

"$export_tool" --corrections --abscissa "Metric:1 mm" --ordinate "Logarithmic:2 cycles" \
    "$work/exported.pdf"

echo "== lattora-export --print"
"$export_tool" --print --abscissa "Metric:1 mm" --ordinate "Logarithmic:2 cycles"
from_export=$(printed_pdf)
mv "$from_export" "$work/printed-by-export.pdf"
"$check_tool" "$work/printed-by-export.pdf" "$work/exported.pdf"

echo "== the window's Print"
"$window_tool" "Metric" "1 mm" "Logarithmic" "2 cycles"
from_window=$(printed_pdf)
mv "$from_window" "$work/printed-by-window.pdf"
"$check_tool" "$work/printed-by-window.pdf" "$work/exported.pdf"
