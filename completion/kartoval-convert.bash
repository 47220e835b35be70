# bash completion for kartoval-convert: options, CRS spellings, the zone
# names after nad27: / nad83: and the ellipsoid names, all asked of the
# program itself, so they are those of the tables it reads.

_kartoval_convert_names()  # PROGRAM LISTING-OPTION...: the first field of each listed line
{
    local program=$1
    shift
    "$program" "$@" 2>/dev/null | while IFS=$'\t' read -r first _; do printf '%s\n' "$first"; done
}

_kartoval_convert()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    local program=${COMP_WORDS[0]} family="" typed="" lead="" name
    COMPREPLY=()

    # A CRS prefix: bash splits "nad27:Tex" at the colon (COMP_WORDBREAKS),
    # unless the user has taken ':' out of it.
    local before=""  # the option the CRS belongs to
    if [[ $cur == : ]]; then
        family=$prev lead=: before=${COMP_WORDS[COMP_CWORD-2]:-}
    elif [[ $prev == : && $COMP_CWORD -ge 2 ]]; then
        family=${COMP_WORDS[COMP_CWORD-2]} typed=$cur before=${COMP_WORDS[COMP_CWORD-3]:-}
    elif [[ $cur == *:* ]]; then
        family=${cur%%:*} typed=${cur#*:} lead="$family:" before=$prev
    fi
    typed=${typed#\"}
    case $family in
        nad27 | nad83)
            while IFS= read -r name; do
                name=${name#*:\"} name=${name%\"}
                [[ $name == "$typed"* ]] && COMPREPLY+=("$lead\"$name\"")
            done < <(_kartoval_convert_names "$program" --list-zones "$family")
            return 0 ;;
        utm)
            while IFS= read -r name; do
                name=${name#utm:}
                [[ $name == "$typed"* ]] && COMPREPLY+=("$lead$name")
            done < <(_kartoval_convert_names "$program" --list-zones utm)
            # utm:auto picks each point's zone (--to only).
            if [[ $before == --to ]]; then
                for name in auto auto:nad27 auto:nad83; do
                    [[ $name == "$typed"* ]] && COMPREPLY+=("$lead$name")
                done
            fi
            return 0 ;;
        geo)
            mapfile -t COMPREPLY < <(compgen -P "$lead" -W "nad27 nad83" -- "$typed")
            return 0 ;;
        EPSG) return 0 ;;
    esac

    case $prev in
        --from | --to)
            compopt -o nospace 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -W "geo geo:nad27 geo:nad83 utm: nad27: nad83: EPSG:" -- "$cur")
            return 0 ;;
        --ellipsoid)
            typed=${cur#\"}
            typed=${typed//\\ / }
            while IFS= read -r name; do
                [[ $name == "$typed"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
            done < <(_kartoval_convert_names "$program" --list-ellipsoids)
            return 0 ;;
        --delimiter)
            mapfile -t COMPREPLY < <(compgen -W "auto whitespace tab comma semicolon" -- "$cur")
            return 0 ;;
        --list-zones)
            mapfile -t COMPREPLY < <(compgen -W "nad27 nad83 utm" -- "$cur")
            return 0 ;;
        --x | --y | --header | --decimals | --which-zone)
            return 0 ;;
    esac

    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$("$program" --help 2>/dev/null | grep -o -- '--[a-z-]*' | sort -u)" \
                                  -- "$cur")
        return 0
    fi
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
}
complete -F _kartoval_convert kartoval-convert
