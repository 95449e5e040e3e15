#!/usr/bin/env bash
# The ui/ folders are rooms stacked common <- dialogs, text, plots <- main:
# a file includes from its own room or one below it, never from one above.
# usage: ui_rooms.sh UI_FOLDER
set -euo pipefail
ui=$1
level() {
    case $1 in
        common) echo 0 ;;
        dialogs | text | plots) echo 1 ;;
        main) echo 2 ;;
        *) echo 3 ;;
    esac
}
status=0
while IFS= read -r line; do
    file=${line%%:*}
    room=${file#"$ui"/}
    room=${room%%/*}
    target=$(sed -E 's/.*#include "ui\/([a-z]+)\/.*/\1/' <<<"$line")
    if [ "$(level "$target")" -gt "$(level "$room")" ]; then
        echo "${file#"$ui"/} includes from ui/$target/, a room above ui/$room/" >&2
        status=1
    fi
done < <(grep -rE '^#include "ui/[a-z]+/' "$ui" --include='*.cpp' --include='*.h' | grep -v "^$ui/main.cpp:")
exit $status
