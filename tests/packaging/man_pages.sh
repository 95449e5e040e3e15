#!/usr/bin/env bash
# The man page renders without warnings, has each section once, takes its
# synopsis from --help's usage forms and names every option --help names.
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
# Each heading once, whatever its letter case ("Exit status" and "EXIT STATUS"
# are one section told twice).
headings=$(grep -E '^\.S[HS] ' <<<"$source" | sed -E 's/^\.S[HS] +//; s/"//g; s/:$//' |
    tr '[:lower:]' '[:upper:]' | sort | uniq -d)
if [ -n "$headings" ]; then
    echo "headings told twice in $page: $headings" >&2
    exit 1
fi
help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help)
rendered=$(MANWIDTH=80 man -l "$page" 2>/dev/null | col -b)
synopsis=$(sed -n '/^SYNOPSIS/,/^[A-Z]/p' <<<"$rendered")
if grep -qi 'usage:' <<<"$rendered"; then
    echo "the usage is not the synopsis of $page" >&2
    exit 1
fi
for option in $(grep -E '^(Usage|  or): ' <<<"$help" | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
    if ! grep -q -- "$option" <<<"$synopsis"; then
        echo "$option is in --help's usage but not in the synopsis of $page" >&2
        exit 1
    fi
done
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
