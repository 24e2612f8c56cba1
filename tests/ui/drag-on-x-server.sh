#!/usr/bin/env bash
# drag-on-x-server.sh LATTORA WORK_FOLDER, run on an X server (run-on-x-server.sh):
# the real program driven by the real pointer (xdotool). Its corner handle is
# pulled and then the whole area carried; the window's state file tells what
# happened: exact sizes and positions, redraws only at the releases, and the
# four fields equal to the sheet.
set -euo pipefail
lattora=$1 work=$2
rm -rf "$work" && mkdir -p "$work/config/Tarnhill"
printf '[Lattora]\nScale=Metric\n' >"$work/config/Tarnhill/Lattora.conf"
state=$work/state.json
XDG_CONFIG_HOME=$work/config "$lattora" --state-file "$state" &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null || true' EXIT
fail() { echo "drag: $*" >&2; [ -f "$state" ] && jq -c . "$state" >&2; exit 1; }

q() { jq -r "$1" "$state" 2>/dev/null; }
# Waits until the jq expression $1 holds in the state file.
until_state() {
    for _ in $(seq 300); do
        [ "$(q "$1")" = true ] && return 0 || kill -0 $pid 2>/dev/null || fail "lattora ended"
        sleep 0.05
    done && fail "timed out waiting for $1"
}
# The screen point of a twip point on the page picture: "X Y".
screen() { jq -r --argjson x "$1" --argjson y "$2" \
    '"\(.paperOnScreen[0] + ($x * .dpi[0] / 1440 | round)) \(.paperOnScreen[1] + ($y * .dpi[1] / 1440 | round))"' "$state"; }
travel() {  # from X Y by DX DY in four steps, button held
    xdotool mousemove "$1" "$2" mousedown 1
    for i in 1 2 3 4; do xdotool mousemove $(($1 + $3 * i / 4)) $(($2 + $4 * i / 4)); done
}
near() { jq -e "(($1) - ($2) | fabs) <= ($3)" "$state" >/dev/null || fail "$1 is not $2"; }
fields_hold_sheet() {
    # Fifteen significant digits: the sheet to within 1e-14 of each length.
    jq -e '[.fields.tMarginLeft, .fields.tMarginTop, .fields.tSizeWidth, .fields.tSizeHeight]
           | map(tonumber) | to_entries
           | all(((.value - $s[.key]) | fabs) <= 1e-14 * ($s[.key] | fabs))' \
        --argjson s "$(jq -c .sheet "$state")" "$state" >/dev/null ||
        fail "the fields do not show the sheet"
}

until_state '.draws >= 1 and .paperVisible'
xdotool search --sync --onlyvisible --name '^Lattora$' >/dev/null
cp "$state" "$work/start.json"
start() { jq -r "$1" "$work/start.json"; }

read -r x y < <(screen "$(start '.outline[0] + .outline[2] / 2')" "$(start '.outline[1] + .outline[3] / 2')")
xdotool mousemove "$x" "$y"
until_state '[.handles[][4]] | all'
read -r x y < <(screen "$(q '.handles[1][0] + .handles[1][2] / 2')" "$(q '.handles[1][1] + .handles[1][3] / 2')")
travel "$x" "$y" -60 -80
until_state ".outline[2] < $(start '.outline[2]') - 1"
xdotool mouseup 1
until_state ".draws == $(start .draws) + 1 and (.dragActive | not)"
[ "$(q ".outline[0:2] == $(jq -c '.outline[0:2]' "$work/start.json")")" = true ] || fail "the corner moved"
near .outline[2] "$(start '.outline[2]') - 60 * 1440 / .dpi[0]" "1440 / .dpi[0]"
near .outline[3] "$(start '.outline[3]') - 80 * 1440 / .dpi[1]" "1440 / .dpi[1]"
fields_hold_sheet
cp "$state" "$work/resized.json"
was() { jq -r "$1" "$work/resized.json"; }

read -r x y < <(screen "$(was '.outline[0] + .outline[2] / 2')" "$(was '.outline[1] + .outline[3] / 2')")
travel "$x" "$y" 30 40
until_state ".dragActive and .outline[1] > $(was '.outline[1]') + 30 * 1440 / .dpi[1]"
# While carried, the handles show and nothing is redrawn.
[ "$(q "([.handles[][4]] | all) and .draws == $(was .draws)")" = true ] || fail "redrawn during the drag"
xdotool mouseup 1
until_state ".draws == $(was .draws) + 1 and (.dragActive | not)"
near .outline[0] "$(was '.outline[0]') + 30 * 1440 / .dpi[0]" 1e-3
near .outline[1] "$(was '.outline[1]') + 40 * 1440 / .dpi[1]" 1e-3
[ "$(q ".outline[2:4] == $(jq -c '.outline[2:4]' "$work/resized.json")")" = true ] || fail "the size changed"
fields_hold_sheet
echo "drag: resized by the corner to $(q '.outline[2]') x $(q '.outline[3]') twips, then carried"
