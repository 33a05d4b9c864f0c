# What README.md, docs/ and the manual pages say of the programs' command lines is what
# their --help says:
# - a synopsis in Markdown (in code, a tool and a command followed by placeholders such as
#   FILE..., options and [optional words] aside) names the arguments of the command's
#   usage line, in its order;
# - wherever a paragraph, a list item, a manual page's entry or a row of a table with a
#   Default column names options and then a default, the default of the first such option
#   as its --help gives it ("(default: X)" or "(default X)") is there word for word, apart
#   from markup and case.
set -uo pipefail
status=0
fail() { echo "FAIL: $*" >&2; status=1; }
programs=("$QV_DEMO_DIR/quintaval" "$QV_BINARY_DIR"/bin/quintaval-*)
commands() { "$1" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z-]*\) .*/\1/p'; }

# The synopses of Markdown document $1, one a line: what follows a tool's name in code.
synopses() {
  awk '/^```/ { code = !code; next } code { print; next } { while (match($0, /`[^`]*`/)) { print substr($0, RSTART + 1, RLENGTH - 2); $0 = substr($0, RSTART + RLENGTH) } }' "$1" |
    sed 's/\\|/|/g' | grep -oE '(^|[ /])quintaval-[a-z-]+( [^#]*)?' | sed -E 's#^[ /]##; s/\[[^]]*\]//g' | tr -s ' '
}

# Checks one synopsis: TOOL [COMMAND[|COMMAND...]] PLACEHOLDER...
check_synopsis() {
  local document=$1 tool=$2 command="" word value="" wanted=() usage
  shift 2
  [[ -x $QV_BINARY_DIR/bin/$tool ]] || return 0
  if [[ -n $(commands "$QV_BINARY_DIR/bin/$tool") ]]; then
    [[ ${1:-} =~ ^[a-z] ]] || return 0
    command=$1
    shift
  fi
  for word in "$@"; do
    if [[ -n $value ]]; then value=""
    elif [[ $word == -* ]]; then [[ $word == *=* ]] || value=1
    elif [[ $word =~ ^[A-Z]+(\.\.\.)?$ ]]; then wanted+=("$word")
    else return 0  # an example, which the examples test runs
    fi
  done
  ((${#wanted[@]})) || return 0
  synopsesChecked=$((synopsesChecked + 1))
  for word in ${command//|/ }; do
    usage=$("$QV_BINARY_DIR/bin/$tool" "$word" --help 2>&1 | sed -n 's/^Usage: [^[]*\[OPTIONS\] *//p')
    [[ $usage == "${wanted[*]}" ]] ||
      fail "$document: \"$tool $command ${*}\" gives $tool $word the arguments \"${wanted[*]}\"; its usage is \"$usage\""
  done
}

# "--option<TAB>default" for every option of the programs whose --help names its default.
defaults() {
  local program command
  for program in "${programs[@]}"; do
    for command in "" $(commands "$program"); do
      # shellcheck disable=SC2086
      "$program" $command --help |
        awk '/^  -/ { print "" } /^  / { printf "%s ", $0 } END { print "" }' | tr -s ' ' |
        sed -nE 's/^ *(-[a-z], )?(--[a-z-]+).*\(default:? ([^)]*)\).*/\2\t\3/p'
    done
  done | sort -u
}

# One item a line: a paragraph, list item, table row (ending in "default" in a table with
# a Default column) or code line of Markdown, or a manual page's paragraph or entry as
# groff renders it.
items() {
  case $1 in
    *.md)
      awk 'function flush() { if (item != "") print item; item = "" }
        /^```/ { code = !code; flush(); next }
        code { print; next }
        /^\|/ { flush(); if (!table) withDefault = /Default/; table = 1; print $0 (withDefault ? " default" : ""); next }
        { table = 0 }
        /^[[:space:]]*$/ { flush(); next }
        /^[-*] / { flush() }
        { item = item " " $0 }
        END { flush() }' "$1" | sed 's/`//g; s/\\|/|/g'
      ;;
    *.1)
      groff -man -Tascii -rLL=2000n -P-cbou "$1" 2>/dev/null |
        awk 'function flush() { if (item != "") print item; item = "" }
          /^       [^ ]/ { flush() }
          /^[[:space:]]*$/ { flush(); next }
          { item = item " " $0 }
          END { flush() }'
      ;;
  esac | tr -s ' '
}

synopsesChecked=0
for document in "$QV_SOURCE_DIR"/README.md "$QV_SOURCE_DIR"/docs/*.md; do
  while read -r -a synopsis; do
    check_synopsis "${document#"$QV_SOURCE_DIR"/}" "${synopsis[@]}"
  done < <(synopses "$document")
done

known=$(defaults)
[[ -n $known ]] || fail "no --help names a default"
checked=0
for document in "$QV_SOURCE_DIR"/README.md "$QV_SOURCE_DIR"/docs/*.md "$QV_SOURCE_DIR"/man/*.1; do
  while IFS= read -r item; do
    lower=${item,,}
    before=${lower%%default*}
    [[ $before != "$lower" ]] || continue
    option=$(grep -oE -- '--[a-z][a-z-]*' <<<"$before" | head -n1)
    [[ -n $option ]] || continue
    while IFS=$'\t' read -r _ default; do
      checked=$((checked + 1))
      [[ $lower == *"${default,,}"* ]] ||
        fail "${document#"$QV_SOURCE_DIR"/}: $option: --help gives the default \"$default\"; the text says:$item"
    done < <(grep -- "^$option"$'\t' <<<"$known")
  done < <(items "$document")
done
((checked > 0)) || fail "no default was found in the documents"
((synopsesChecked > 0)) || fail "no synopsis was found in the documents"
((status == 0)) && echo "PASS: $synopsesChecked synopses, $checked defaults"
exit $status
