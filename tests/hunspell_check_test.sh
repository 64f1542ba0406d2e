#!/usr/bin/env bash
# The real Hunspell with a dictionary exported by `tarvo-cli hunspell`:
# it accepts every word of the sample list and rejects the words that
# `automatic` proposes from the best main groups; with --prefixes too it
# accepts the whole list. Exit code 77 (skipped)
# when hunspell is not installed.
set -euo pipefail
export LC_ALL=C
tarvo_cli=$1 list=$2
command -v hunspell >/dev/null || { echo "skipped: hunspell is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# accepts_all LIST [OPTION]: Hunspell accepts every word of LIST with its
# dictionary (exported with OPTION, such as --prefixes).
accepts_all() {
  "$tarvo_cli" hunspell "$1" "$work/dictionary" ${2:+"$2"} >"$work/report"
  grep -q '^unrepresentable words: 0$' "$work/report" || { cat "$work/report"; exit 1; }
  rejected=$(hunspell -i UTF-8 -d "$work/dictionary" -l <"$1")
  [ -z "$rejected" ] || { echo "FAIL: Hunspell rejects listed words of $1:"; head <<<"$rejected"; exit 1; }
}

# Words in capitals and of mixed case, whose stems Hunspell gives hidden
# Title case twins.
printf '%s\n' "OK'd" "OK'ing" "OK's" OK Ok "Ok's" AMEX "AMEX's" Amex "Amex's" McDonald "McDonald's" \
  Mcdonald "Mcdonald's" NASA "NASA's" Nasa "Nasa's" >"$work/capitals"
accepts_all "$work/capitals"
# Prefix classes: the same list read backwards.
accepts_all "$list" --prefixes
grep -q '^PFX ' "$work/dictionary.aff" || { echo "FAIL: no prefix classes with --prefixes"; exit 1; }
accepts_all "$list"
cp "$work/dictionary.aff" "$work/sample.aff"
cp "$work/dictionary.dic" "$work/sample.dic"

# Proposals from the three best groups, none of them a listed word.
for group in $("$tarvo_cli" groups "$list" | head -3 | cut -f1); do
  "$tarvo_cli" automatic "$list" "$group" --distance 1
  "$tarvo_cli" automatic "$list" "$group" --distance 2
done | sort -u | comm -23 - <(sort -u "$list") >"$work/proposals"
proposals=$(wc -l <"$work/proposals")
[ "$proposals" -ge 20 ] || { echo "FAIL: only $proposals proposals to check"; exit 1; }
accepted=$(hunspell -i UTF-8 -d "$work/sample" -l <"$work/proposals" | sort -u | comm -23 "$work/proposals" -)
[ -z "$accepted" ] || { echo "FAIL: Hunspell accepts words not in the list:"; head <<<"$accepted"; exit 1; }
echo "Hunspell accepts all $(wc -l <"$list") listed words and rejects $proposals proposals"
