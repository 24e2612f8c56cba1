#!/usr/bin/env bash
# validate-metadata.sh desktop|metainfo FILE
# Runs the desktop's own validator over the desktop entry or the AppStream
# metadata and fails on anything it reports short of a pedantic remark:
# software centres and menus drop or mangle entries that only warn.
set -euo pipefail

kind=${1:?usage: validate-metadata.sh desktop|metainfo FILE}
file=${2:?usage: validate-metadata.sh desktop|metainfo FILE}

if [ ! -f "$file" ]; then
    echo "validate-metadata: no such file: $file" >&2
    exit 1
fi

case "$kind" in
    desktop)
        command -v desktop-file-validate >/dev/null || {
            echo "validate-metadata: desktop-file-validate is missing (packaging/install-deps.sh)" >&2
            exit 1
        }
        # It exits 0 on warnings and hints, so its silence is the pass.
        if ! report=$(desktop-file-validate "$file" 2>&1) || [ -n "$report" ]; then
            echo "validate-metadata: $file:" >&2
            echo "$report" >&2
            exit 1
        fi
        ;;
    metainfo)
        command -v appstreamcli >/dev/null || {
            echo "validate-metadata: appstreamcli is missing (packaging/install-deps.sh)" >&2
            exit 1
        }
        status=0
        report=$(appstreamcli validate --no-net --pedantic --no-color "$file" 2>&1) || status=$?
        echo "$report"
        # Errors and warnings fail the validator itself; infos do not, but
        # they name real omissions, so they fail here too.
        if [ "$status" -ne 0 ] || grep -qE '^[EWI]: ' <<<"$report"; then
            echo "validate-metadata: $file does not pass appstreamcli validate" >&2
            exit 1
        fi
        ;;
    *)
        echo "validate-metadata: unknown kind $kind (desktop or metainfo)" >&2
        exit 2
        ;;
esac
