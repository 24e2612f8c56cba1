#!/usr/bin/env bash
# Runs one program on a private X server, which is stopped again afterwards
# whatever happens.
#   run-on-x-server.sh PROGRAM [ARGUMENT...]
set -euo pipefail
exec xvfb-run --auto-servernum --server-args="-screen 0 1366x768x24 -nolisten tcp" \
    env QT_QPA_PLATFORM=xcb "$@"
