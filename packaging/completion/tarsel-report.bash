# bash completion for tarsel-report                      -*- shell-script -*-
# Options come from the program's own --help; after --set and --sweep the
# settings keys (in any letter case, as the program takes them); after
# --columns a comma list of the keys and result names the program writes;
# the values of the options that take one of a few words; files where a file
# is read or written.

# Words of the list $1 that start with $2, letter case ignored; each with the
# suffix $3.
_tarsel_report_words() {
    local word prefix=${2,,}
    for word in $1; do
        [[ ${word,,} == "$prefix"* ]] && COMPREPLY+=("$word${3-}")
    done
}

_tarsel_report() {
    local cur prev words cword
    _init_completion -n = || return

    local keys="fcent Pt Gt Gr Nf Bw Mf Bl Temp Sn IpInt Range XColWid PropLaw
        X12s X23s Rhill nHillType y01s y02s y03s bDiffract"
    local fields="fcent Pt Gt Gr Nf Bw Mf Bl Temp Sn IpInt Range PropLaw
        X12s X23s Rhill y01s y02s y03s"
    case $prev in
        --settings | --write-settings | -o | --output | --profile | --dem)
            _filedir
            return
            ;;
        --set | --sweep)
            if [[ $cur != *=* ]]; then
                compopt -o nospace
                [[ $prev == --set ]] || keys=$fields
                # Over a terrain profile a sweep also takes the earth and the antennas.
                [[ $prev == --sweep && " ${words[*]} " == *" --"@(profile|dem)" "* ]] &&
                    keys+=" kFactor txHeight rxHeight"
                _tarsel_report_words "$keys" "$cur" =
            fi
            return
            ;;
        --columns)
            # The names of a sweep's "all" columns, without their units.
            local names
            names=$("$1" --defaults --sweep Range=1:2:2 --columns all 2>/dev/null |
                head -n 1 | sed 's/^[^,]*,//; s/ \[[^]]*\]//g; s/,/ /g')
            local done=${cur%"${cur##*,}"}
            compopt -o nospace
            _tarsel_report_words "all $keys $names" "${cur##*,}"
            COMPREPLY=("${COMPREPLY[@]/#/$done}")
            return
            ;;
        --format)
            _tarsel_report_words "csv jsonl" "$cur"
            return
            ;;
        --method)
            _tarsel_report_words "delta-bullington bullington deygout epstein-peterson" "$cur"
            return
            ;;
        --polarization)
            _tarsel_report_words "horizontal vertical" "$cur"
            return
            ;;
        --distance-unit)
            _tarsel_report_words "km m" "$cur"
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '$(_parse_help "$1")' -- "$cur"))
        return
    fi
    # --dem takes several paths: files after it until the next option.
    local i
    for ((i = cword - 1; i > 0; i--)); do
        [[ ${words[i]} == -* ]] || continue
        [[ ${words[i]} == --dem ]] && _filedir
        return
    done
} &&
    complete -F _tarsel_report tarsel-report

# ex: filetype=sh
