#!/usr/bin/env bash
# Validates the desktop entry or the AppStream metainfo with the real
# validators; exit status 77 (skipped) when the validator is not installed.
# usage: validate.sh desktop|metainfo FILE
set -euo pipefail
kind=$1 file=$2
case $kind in
    desktop) tool=desktop-file-validate ;;
    metainfo) tool=appstreamcli ;;
esac
if ! command -v "$tool" >/dev/null; then
    echo "$tool is not installed (scripts/setup installs it): check skipped"
    exit 77
fi
if [ "$kind" = desktop ]; then
    # Errors and hints alike fail the check.
    output=$(desktop-file-validate "$file" 2>&1)
else
    # Any error, warning, info or pedantic note fails the check.
    output=$(appstreamcli validate --pedantic --no-net --no-color "$file" 2>&1 |
        grep -E '^[EWIP]: ' || true)
fi
if [ -n "$output" ]; then
    echo "$output" >&2
    exit 1
fi
