#!/usr/bin/env bash
# Bash completion of tarsel-report: long options from --help, and after --set
# exactly the settings keys the program writes.
# usage: completion.sh COMPLETION_SCRIPT TARSEL_REPORT
set -euo pipefail
script=$1 program=$2
library=/usr/share/bash-completion/bash_completion
if [ ! -f "$library" ]; then
    echo "bash-completion is not installed: check skipped"
    exit 77
fi
set +eu
# shellcheck source=/dev/null
source "$library"
# shellcheck source=/dev/null
source "$script"
compopt() { :; } # only valid inside a real completion
complete_words() {
    COMP_WORDS=(tarsel-report "$@")
    COMP_CWORD=$#
    COMP_LINE="tarsel-report $*"
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _tarsel_report "$program"
    printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort
}
set -eu

options=$(complete_words --)
for option in --defaults --settings --set --json --output --write-settings --version; do
    grep -qx -- "$option" <<<"$options" || {
        echo "no completion for $option" >&2
        exit 1
    }
done

# The first "params" object holds the values (the units object has another).
keys=$("$program" --defaults --json | sed -n '/"params"/,/}/{p;/}/q;}' | sed 1d |
    grep -oE '^ *"[A-Za-z0-9]+"' | tr -d ' "' | LC_ALL=C sort)
diff -u <(echo "$keys") <(complete_words --set '' | sed 's/=$//')
test "$(complete_words --set Ra)" = "Range="
