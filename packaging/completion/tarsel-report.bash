# bash completion for tarsel-report                      -*- shell-script -*-
# Options come from the program's own --help; after --set, the settings keys.

_tarsel_report() {
    local cur prev words cword
    _init_completion -n = || return

    case $prev in
        --settings | --write-settings | -o | --output)
            _filedir
            return
            ;;
        --set)
            local keys="fcent Pt Gt Gr Nf Bw Mf Bl Temp Sn IpInt Range XColWid PropLaw
                X12s X23s Rhill nHillType y01s y02s y03s bDiffract"
            if [[ $cur != *=* ]]; then
                compopt -o nospace
                COMPREPLY=($(compgen -W "$keys" -S = -- "$cur"))
            fi
            return
            ;;
        --sweep)
            local fields="fcent Pt Gt Gr Nf Bw Mf Bl Temp Sn IpInt Range PropLaw
                X12s X23s Rhill y01s y02s y03s"
            if [[ $cur != *=* ]]; then
                compopt -o nospace
                COMPREPLY=($(compgen -W "$fields" -S = -- "$cur"))
            fi
            return
            ;;
        --format)
            COMPREPLY=($(compgen -W "csv jsonl" -- "$cur"))
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '$(_parse_help "$1")' -- "$cur"))
    fi
} &&
    complete -F _tarsel_report tarsel-report

# ex: filetype=sh
