#!/usr/bin/env bash
# The man page renders without warnings and names every option --help names.
# usage: man_pages.sh PAGE.1.gz PROGRAM
set -euo pipefail
page=$1 program=$2
if ! command -v man >/dev/null; then
    echo "man is not installed: check skipped"
    exit 77
fi
warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
if [ -n "$warnings" ]; then
    echo "$warnings" >&2
    exit 1
fi
source=$(gzip -dc "$page" | sed 's/\\-/-/g')
options=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help |
    grep -oE -- '--[a-z][a-z-]*' | sort -u)
for option in $options; do
    if ! grep -q -- "$option" <<<"$source"; then
        echo "$option is in --help but not in $page" >&2
        exit 1
    fi
done
# An unknown option, even without a display, ends with the program's message
# and a status the page lists, never with a signal.
set +e
message=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --no-such-option 2>&1 >/dev/null)
status=$?
set -e
name=$(basename "$program")
if [ "$status" -gt 2 ] || [ "$status" -eq 0 ] || [[ "$message" != "$name: "* ]]; then
    echo "$name --no-such-option without a display: status $status, message: $message" >&2
    exit 1
fi
