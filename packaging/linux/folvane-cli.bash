# bash completion for folvane-cli                          -*- shell-script -*-
# Installed as share/bash-completion/completions/folvane-cli, where
# bash-completion loads it the first time folvane-cli is completed.

_folvane_cli()
{
    local cur prev words cword split
    _init_completion -s || return

    case $prev in
        --help | -h | --version | --areso | --breso)
            return
            ;;
        -o | --output | --files-from)
            _filedir
            return
            ;;
        --format)
            COMPREPLY=($(compgen -W 'direct display table folders xlsx' -- "$cur"))
            return
            ;;
        --encoding)
            COMPREPLY=($(compgen -W 'cp932 utf-8' -- "$cur"))
            return
            ;;
        --columns)
            # A comma-separated list: complete its last name.
            local chosen=
            [[ $cur == *,* ]] && chosen=${cur%,*},
            COMPREPLY=($(compgen -P "$chosen" -W 'path byte-order pages pixel-size
                resolution mm-size compression colour paper orientation' -- "${cur##*,}"))
            compopt -o nospace
            return
            ;;
        -j | --jobs)
            COMPREPLY=($(compgen -W "{1..$(_ncpus)}" -- "$cur"))
            return
            ;;
    esac

    $split && return

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '--recursive --pdf --files-from --format --display --jobs
            --output --columns --no-total --no-size-summary --areso --breso --encoding
            --quiet --help --version' -- "$cur"))
        return
    fi

    # Folders, and the files a run takes (.tif in any letter case; .pdf
    # too once --pdf is on the line).
    if [[ " ${COMP_WORDS[*]} " == *" --pdf "* ]]; then
        _filedir '@([tT][iI][fF]|[pP][dD][fF])'
    else
        _filedir '[tT][iI][fF]'
    fi
} &&
    complete -F _folvane_cli folvane-cli

# ex: filetype=sh
