# Bash completion for tarvo-cli: its commands, its options (with those of the
# command given so far), and file names where it takes a word list, the
# output file of save-all, the OUTBASE of hunspell or an --insert file. State numbers and the other
# option values are numbers, which are not completed.

_tarvo_cli_files() {
  compopt -o filenames 2>/dev/null
  mapfile -t COMPREPLY < <(compgen -f -- "$1")
}

_tarvo_cli() {
  local commands="order save-all dump groups stats label words suffixes distance suspicious"
  commands+=" differing generate automatic dot hunspell"
  local settings="--min-words --min-suffixes --groups --word-weight --suffix-weight --buffer-size"
  local takes_value=" $settings --insert --limit --distance "
  local cur=${COMP_WORDS[COMP_CWORD]}
  COMPREPLY=()

  # The positionals before the current word, and the option whose value it
  # is, if any. Bash splits "--insert=FILE" into "--insert", "=" and "FILE".
  local positionals=() options_ended=0 option="" word i
  for ((i = 1; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    if [[ -n $option ]]; then
      [[ $word == = ]] || option=""
    elif ((options_ended)) || [[ $word != -* || $word == - ]]; then
      positionals+=("$word")
    elif [[ $word == -- ]]; then
      options_ended=1
    elif [[ $takes_value == *" $word "* ]]; then
      option=$word
    fi
  done

  if [[ -n $option ]]; then
    [[ $cur == = ]] && cur=""
    [[ $option == --insert ]] && _tarvo_cli_files "$cur"
    return 0
  fi
  local command=${positionals[0]-}
  if ((!options_ended)) && [[ $cur == -* ]]; then
    local options="$settings --insert --chars --prefixes --help --version --"
    case $command in
      distance) options+=" --limit" ;;
      suspicious | automatic) options+=" --distance" ;;
      save-all) options+=" --force" ;;
    esac
    mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
    return 0
  fi
  case ${#positionals[@]} in
    0) mapfile -t COMPREPLY < <(compgen -W "$commands" -- "$cur") ;;
    1) _tarvo_cli_files "$cur" ;;
    2) [[ $command == save-all || $command == hunspell ]] && _tarvo_cli_files "$cur" ;;
  esac
  return 0
}

complete -F _tarvo_cli tarvo-cli
