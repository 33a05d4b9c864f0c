#!/usr/bin/env bash
# Each program's manual page says what its --help says: the OPTIONS section lists the long
# options that --help and each command's --help list, the COMMANDS section names the
# commands --help lists, the EXIT STATUS section the statuses that end --help, and a
# version in the .TH line is the one --version prints. And every --help reads cleanly:
# lines of at most 80 columns, and none of the option library's own notes (value types,
# REQUIRED, a check's description after a colon, Excludes:).
# QV_MAN_PROGRAMS holds the paths of the built programs, separated by ':'.
set -uo pipefail
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

# From CLI11's --help: the long options, and the commands listed under "Subcommands:".
help_options() { grep -oE '^  (-[[:alnum:]], )?--[[:alnum:]-]+' | grep -oE -- '--[[:alnum:]-]+'; }
help_commands() { sed -n '/^Commands:/,/^$/s/^  \([[:alnum:]][[:alnum:]-]*\) .*/\1/p'; }
# The statuses of the paragraph that ends --help, "Exit status: 0 ..., 1 ..., 2 ...".
help_statuses() { sed -n '/^Exit status:/,$p' | grep -oE '(: |, |; |^)[0-9]+ ' | grep -oE '[0-9]+'; }
# A --help's faults of form, one a line.
help_faults() {
  local text
  text=$(cat)
  awk 'length > 80 { print "a line of " length " columns: " $0 }' <<<"$text"
  grep -E '(REQUIRED| TEXT|:\{|[A-Za-z]:[A-Z]|Excludes:|Needs:)' <<<"$text" | sed 's/^/a note of the option library: /'
}
# The tag lines (the line after each .TP) of one section of a page, without roff escapes.
page_tags() {
  sed -n "/^\.SH $2\$/,/^\.SH /p" "$1" | sed -n '/^\.TP/{n;p}' |
    sed -E 's/\\-/-/g; s/\\f[BIRP]//g; s/\\[%&]//g; s/^\.[A-Z]+ //'
}
# Compares two sets given one item a line; names the items that are in one only.
compare() {
  local only_help only_page
  only_help=$(comm -23 <(grep . <<<"$3" | sort -u) <(grep . <<<"$4" | sort -u) | paste -sd ' ')
  only_page=$(comm -13 <(grep . <<<"$3" | sort -u) <(grep . <<<"$4" | sort -u) | paste -sd ' ')
  [[ -z $only_help$only_page ]] ||
    fail "$1: $2 listed by --help but not on the page: [$only_help]; on the page but not in --help: [$only_page]"
}

IFS=: read -ra programs <<<"${QV_MAN_PROGRAMS:-}"
((${#programs[@]})) || fail "QV_MAN_PROGRAMS names no program"
for program in "${programs[@]}"; do
  name=$(basename "$program")
  page="$QV_SOURCE_DIR/man/$name.1"
  [[ -f $page ]] || { fail "$name: no manual page man/$name.1"; continue; }
  help=$("$program" --help) || { fail "$name: --help failed"; continue; }
  commands=$(help_commands <<<"$help")
  options=$(help_options <<<"$help"
    for command in $commands; do "$program" "$command" --help | help_options; done)
  compare "$name" options "$options" "$(page_tags "$page" OPTIONS | grep -oE -- '--[[:alnum:]-]+')"
  compare "$name" commands "$commands" "$(page_tags "$page" COMMANDS | grep -oE '^[[:alnum:]-]+')"
  compare "$name" "exit statuses" "$(help_statuses <<<"$help")" "$(page_tags "$page" "EXIT STATUS" | grep -oE '^[0-9]+$')"
  [[ $(grep . <<<"$help" | tail -n1; sed -n '/^Exit status:/,$p' <<<"$help" | head -n1) == *"Exit status:"* ]] ||
    fail "$name: --help does not end with the exit statuses"
  for command in "" $commands; do
    # shellcheck disable=SC2086
    faults=$("$program" $command --help | help_faults)
    [[ -z $faults ]] || fail "$name $command --help: $faults"
  done

  page_version=$(sed -n '/^\.TH /{p;q}' "$page" | xargs -n1 | sed -n 5p)
  if [[ -n $page_version ]]; then
    version=$("$program" --version)
    [[ ${version##* } == "${page_version##* }" ]] ||
      fail "$name: --version prints '$version', the page's .TH line says '$page_version'"
  fi
done
((status == 0)) && echo "PASS: ${#programs[@]} pages"
exit $status
