#!/usr/bin/env bash
# Starts a private X server, takes the dialog screenshots into $2 and stops
# the server again, whatever happens.
#   run-dialog-shots.sh TOOL OUTPUT_FOLDER
set -euo pipefail
tool=$1
out=$2
mkdir -p "$out"
exec xvfb-run --auto-servernum --server-args="-screen 0 1366x768x24 -nolisten tcp" \
    env QT_QPA_PLATFORM=xcb "$tool" "$out"
