#!/usr/bin/env bash
# Checks of the files installed beside the programs:
#   desktop_files_test.sh CHECK SOURCE_DIR BUILD_DIR TARVO_CLI VERSION GUI PYTHON_MODULE
# CHECK is one of
#   validators  the desktop entry, the AppStream metainfo and the man pages
#               pass desktop-file-validate, appstreamcli and groff -ww, and
#               the man pages and metainfo name VERSION
#   cli-docs    every command and option of `tarvo-cli --help` is in the man
#               page and in the bash completion, and the completion offers
#               commands, options and file names where they belong
#   install     `cmake --install` puts every file in its place (GUI is ON or
#               OFF: whether the program and its desktop files are built;
#               PYTHON_MODULE is the extension's file name, or none)
# Exit code 77 (skipped) when a tool the check needs is missing.
set -euo pipefail
check=$1 source=$2 build=$3 tarvo_cli=$4 version=$5 gui=$6 python_module=$7
resources=$source/ui/resources
app_id=io.github.tarvo.Tarvo
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
need() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
  done
}

case $check in
  validators)
    need desktop-file-validate appstreamcli groff
    desktop-file-validate "$resources/$app_id.desktop" || fail "desktop-file-validate"
    appstreamcli validate --no-net "$resources/$app_id.metainfo.xml" || fail "appstreamcli validate"
    for page in "$source/cli/tarvo-cli.1" "$resources/tarvo.1"; do
      warnings=$(groff -man -ww -z "$page" 2>&1)
      [ -z "$warnings" ] || fail "groff warns about $page: $warnings"
      grep -q "^\.TH .* \"Tarvo $version\"" "$page" || fail "$page does not name version $version"
    done
    grep -q "<release version=\"$version\"" "$resources/$app_id.metainfo.xml" ||
      fail "the metainfo has no release $version"
    # Each PNG icon is as large as the folder it is in says.
    for png in "$resources"/icons/hicolor/*/apps/*.png; do
      size=$(basename "$(dirname "$(dirname "$png")")")
      read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$png")
      [ "${width}x$height" = "$size" ] || fail "$png is ${width}x$height"
    done
    ;;

  cli-docs)
    help=$("$tarvo_cli" --help)
    commands=$(sed -n '/^Commands:/,/^$/s/^  \([a-z-]*\) .*/\1/p' <<<"$help")
    options=$(grep -o -- '--[a-z-]*' <<<"$help" | sort -u)
    [ "$(wc -l <<<"$commands")" -ge 14 ] || fail "too few commands read from --help: $commands"
    completion=$(cat "$source/cli/tarvo-cli.bash")
    for name in $commands $options; do
      grep -qF -- "${name//-/\\-}" "$source/cli/tarvo-cli.1" || fail "the man page lacks $name"
      grep -qE -- "(^|[ \"])$name([ \"]|$)" <<<"$completion" || fail "the completion lacks $name"
    done

    # What the completion offers, given the words typed so far.
    offers() {
      (
        cd "$1"
        shift
        # shellcheck source=/dev/null
        source "$source/cli/tarvo-cli.bash"
        COMP_WORDS=(tarvo-cli "$@")
        COMP_CWORD=$#
        _tarvo_cli
        printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' '
      )
    }
    expect() {
      local want=$1
      shift
      local got
      got=$(offers "$files" "$@")
      [ "$got" = "$want" ] || fail "completing 'tarvo-cli $*': '$got', not '$want'"
    }
    files=$(mktemp -d)
    trap 'rm -rf "$files"' EXIT
    touch "$files/words.txt" "$files/more words.txt" "$files/-odd"
    expect "save-all stats suffixes suspicious" s
    expect "more words.txt" groups m
    expect "--min-suffixes --min-words" groups words.txt --min
    expect "--limit" distance words.txt 1 2 --li
    expect "" groups words.txt --li
    expect "--force" save-all words.txt --fo
    expect "more words.txt" save-all words.txt m
    expect "" groups words.txt m
    expect "" groups words.txt --groups ""
    expect "more words.txt" --insert m
    expect "more words.txt" groups words.txt --insert = m
    expect "-odd" groups -- -
    expect "dump" --groups=3 --insert more.txt du
    ;;

  install)
    need cmake
    prefix=$(mktemp -d)
    trap 'rm -rf "$prefix"' EXIT
    cmake --install "$build" --prefix "$prefix" --component Runtime >/dev/null
    expected=(bin/tarvo-cli share/man/man1/tarvo-cli.1 share/bash-completion/completions/tarvo-cli)
    if [ "$gui" = ON ]; then
      expected+=(bin/tarvo share/man/man1/tarvo.1 "share/applications/$app_id.desktop"
        "share/metainfo/$app_id.metainfo.xml" share/icons/hicolor/scalable/apps/tarvo.svg)
      for size in 16 22 24 32 48 64 128 256; do
        expected+=("share/icons/hicolor/${size}x${size}/apps/tarvo.png")
      done
    fi
    if [ "$python_module" != none ]; then
      for file in __init__.py __init__.pyi py.typed "$python_module"; do
        expected+=("lib/python3/dist-packages/tarvo/$file")
      done
    fi
    installed=$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)
    wanted=$(printf '%s\n' "${expected[@]}" | sort)
    [ "$installed" = "$wanted" ] || fail "installed files differ: $(diff <(echo "$wanted") <(echo "$installed"))"
    "$prefix/bin/tarvo-cli" --version | grep -qx "tarvo-cli $version" ||
      fail "the installed tarvo-cli does not say version $version"
    ;;

  *)
    echo "unknown check '$check'" >&2
    exit 2
    ;;
esac
exit $((failures > 0))
