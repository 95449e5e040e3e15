#!/usr/bin/env bash
# Bash completion of tarsel-report: long options from --help, after --set
# exactly the settings keys the program writes, in any letter case; the values
# of the options that take a word, comma lists of columns, files.
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
# What is typed, what is offered (one line each, sorted).
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
touch "$folder/path.csv" "$folder/N45E006.hgt"
while IFS='|' read -r typed expected; do
    read -ra line <<<"$typed"
    [[ $typed == *' ' ]] && line+=("")
    got=$(complete_words "${line[@]}" | paste -sd ' ')
    if [ "$got" != "$expected" ]; then
        echo "completing '$typed': expected '$expected', got '$got'" >&2
        exit 1
    fi
done <<EOF
--set Ra|Range=
--set p|PropLaw= Pt=
--sweep x|X12s= X23s=
--profile p.csv --sweep k|kFactor=
--profile p.csv --sweep T|Temp= txHeight=
--dem N45E006.hgt --sweep r|Range= Rhill= rxHeight=
--sweep --log --set XCOL|XColWid=
--defaults --sweep Pt=1:2:3 --columns Range,knifeEdgeV,sfdr|Range,knifeEdgeV,sfdrMinRxDb Range,knifeEdgeV,sfdrNoiseFloorDb
--columns noDiffraction.m|noDiffraction.marginDb noDiffraction.maxRange
--columns Y0|y01s y02s y03s
--format j|jsonl
--method d|delta-bullington deygout
--polarization |horizontal vertical
--distance-unit K|km
--profile $folder/p|$folder/path.csv
--dem $folder/N|$folder/N45E006.hgt
--dem $folder/path.csv $folder/N|$folder/N45E006.hgt
--report $folder/N|
EOF
