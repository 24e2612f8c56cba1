#!/usr/bin/env bash
# Makes the pictures of the user guide from a build of the program: one small
# sheet for every scale family, the window on a private X server, and a sheet
# as a print queue put it on paper (if tests/print left one behind).
#   docs/make-pictures.sh BUILD_FOLDER
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
out=docs/pictures
mkdir -p "$out"
export XDG_CONFIG_HOME
XDG_CONFIG_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
mkdir -p "$XDG_CONFIG_HOME/Tarnhill"
printf '[Lattora]\nScale=Metric\nStyleTemplates=Blue Lines~16737843|16737843|16763904|16777164|solid\nCurrentStyle=Blue Lines\n' \
    >"$XDG_CONFIG_HOME/Tarnhill/Lattora.conf"

family() {  # NAME ABSCISSA ORDINATE
    "$build/app/lattora-export" --paper A7 --orientation landscape --margins 0.5,0.5 \
        --size 8,5 --dpi 96 --abscissa "$2" --ordinate "$3" "$out/$1.png"
}
family metric "Metric:2 mm" "Metric:2 mm"
family imperial "Imperial:1/8 inch" "Imperial:1/8 inch"
family n-divided "N divided:12" "N divided:8"
family time "Time:24 hours" "Time:12 months"
family logarithmic "Metric:2 mm" "Logarithmic:2 cycles"
family quadratic "Quadratic:0 to 10" "Metric:2 mm"
family square-root "Square Root:0 to 10" "Metric:2 mm"
family probability "Metric:2 mm" "Probability:1% to 99%"

"$build/app/lattora-export" --calibration --paper A4 --dpi 60 "$out/calibration.png"

# The window as it starts, with the blue line set (ImageMagick's import takes
# the picture).
xvfb-run --auto-servernum --server-args="-screen 0 1366x768x24 -nolisten tcp" \
    env QT_QPA_PLATFORM=xcb bash -c \
    '"$1" & sleep 3; import -window "$(xdotool search --onlyvisible --name "^Lattora$" | head -n 1)" "$2"; kill $!' \
    _ "$build/app/lattora" "$out/window.png"

if [ -f "$build/tests/print/spool/by-window.pdf" ]; then
    pdftoppm -r 40 -png -singlefile "$build/tests/print/spool/by-window.pdf" "$out/printed-sheet"
fi
ls -l "$out"
