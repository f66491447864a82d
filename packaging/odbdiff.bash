# Bash completion for odbdiff. The commands, their options and the values an
# option takes are read from the help of the odbdiff being completed (its
# --help and COMMAND --help), once per command and shell, so the completion
# always matches the program. Options that take FILE, T or a path complete
# file names, DIR ones folder names, {a,b,c} choices their words, others (N,
# PCT, GLOB) nothing; the positional arguments complete file names (folder
# names when the command's positionals name a DIR).

# Reads the help of "$1 $2" (the program and a command, or no command) into
# _odbdiff_words[KEY] (the commands or options to offer) and
# _odbdiff_values[KEY OPTION] (how the option's value completes: "dir",
# "file", "none", or the words of its choices). KEY is "PROGRAM COMMAND".
declare -gA _odbdiff_words _odbdiff_values
_odbdiff_learn() {
    local key="$1 $2" line names type word section="" words=""
    [[ -n ${_odbdiff_words[$key]+set} ]] && return
    while IFS= read -r line; do
        case $line in
            Subcommands:|Options:|Positionals:) section=$line; continue ;;
            "  "[!\ ]*) ;;
            *) continue ;;
        esac
        read -r names type _ <<<"$line"
        if [[ $section == Subcommands: ]]; then
            words+=" $names"
        elif [[ $section == Options: ]]; then
            words+=" ${names//,/ }"
            case $type in
                *:"{"*"}") type=${type#*:"{"}; type=${type%"}"}; type=${type//,/ } ;;
                *DIR*) type=dir ;;
                FILE | T | *.*) type="file" ;;
                *) if [[ $type =~ ^[A-Z][A-Z0-9_/:]*$ ]]; then type=none; else type=""; fi ;;
            esac
            if [[ -n $type ]]; then
                for word in ${names//,/ }; do _odbdiff_values[$key $word]=$type; done
            fi
        elif [[ $section == Positionals: && $names == *DIR* ]]; then
            _odbdiff_values[$key positional]=dir
        fi
    done < <("$1" ${2:+"$2"} --help 2>/dev/null)
    _odbdiff_words[$key]=$words
}

_odbdiff() {
    local program=${COMP_WORDS[0]} cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    local command="" how i
    # "--option=value" arrives split at "=": the option is the word before it.
    if [[ $cur == = ]]; then
        cur=""
    elif [[ $prev == = ]]; then
        prev=${COMP_WORDS[COMP_CWORD-2]}
    fi
    # The command is the first word after the program that is no option.
    for ((i = 1; i < COMP_CWORD; i++)); do
        if [[ ${COMP_WORDS[i]} != -* ]]; then command=${COMP_WORDS[i]}; break; fi
    done
    _odbdiff_learn "$program" "$command"
    local key="$program $command"
    how=${_odbdiff_values[$key $prev]-}
    if [[ -z $how ]]; then
        if [[ $cur == -* || -z $command ]]; then
            how=words
        else
            how=${_odbdiff_values[$key positional]:-file}
        fi
    fi
    case $how in
        words)
            # Options only for a word that starts with "-"; commands otherwise.
            if [[ $cur == -* ]]; then
                mapfile -t COMPREPLY < <(compgen -W "${_odbdiff_words[$key]}" -- "$cur")
            else
                mapfile -t COMPREPLY < <(compgen -W "${_odbdiff_words[$key]}" -X "-*" -- "$cur")
            fi ;;
        dir) compopt -o filenames 2>/dev/null; mapfile -t COMPREPLY < <(compgen -d -- "$cur") ;;
        file) compopt -o filenames 2>/dev/null; mapfile -t COMPREPLY < <(compgen -f -- "$cur") ;;
        none) COMPREPLY=() ;;
        *) mapfile -t COMPREPLY < <(compgen -W "$how" -- "$cur") ;;
    esac
}
complete -F _odbdiff odbdiff
