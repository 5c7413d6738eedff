# Bash completion for slideforge: the subcommands, then each subcommand's
# options and their listed values, read from the program's own --help.
_slideforge() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
  local program=${COMP_WORDS[0]}
  COMPREPLY=()
  if ((COMP_CWORD == 1)); then
    if [[ $cur == -* ]]; then
      COMPREPLY=($(compgen -W "--help --version" -- "$cur"))
    else
      local commands
      commands=$("$program" --help 2>/dev/null | awk '/^Commands:/ {on = 1; next} on && NF == 0 {on = 0} on {print $1}')
      COMPREPLY=($(compgen -W "$commands" -- "$cur"))
      compopt -o filenames 2>/dev/null
      COMPREPLY+=($(compgen -f -X '!*.[sS][fF][gG]' -- "$cur") $(compgen -d -- "$cur"))
    fi
    return
  fi
  local help
  help=$("$program" "${COMP_WORDS[1]}" --help 2>/dev/null) || return
  # An option whose help shows its values as a|b|c, or on lines of their own
  # ("--method new ...", "--method top ..."), completes to them.
  local values
  values=$(printf '%s\n' "$help" | awk -v option="$prev" '
    $1 == option && $2 ~ /^[A-Za-z0-9.-]+(\|[A-Za-z0-9.-]+)+$/ { print $2; exit }
    $1 == option && $2 ~ /^[a-z][a-z-]*$/ { words = words (words ? "|" : "") $2; count++ }
    END { if (count > 1) print words }')
  if [[ -n $values && $prev == -* ]]; then
    COMPREPLY=($(compgen -W "${values//|/ }" -- "$cur"))
    return
  fi
  if [[ $cur == -* ]]; then
    local options
    options=$(printf '%s\n' "$help" | grep -oE '^ +-{1,2}[A-Za-z][A-Za-z-]*' | tr -d ' ')
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
    return
  fi
  compopt -o filenames 2>/dev/null
  COMPREPLY=($(compgen -f -- "$cur"))
}
complete -F _slideforge slideforge
