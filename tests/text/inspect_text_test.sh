# quintaval-inspect text: the JSON for a known script, and the exit status and message for
# files the program would ignore.
set -u
inspect="$QV_BINARY_DIR/bin/quintaval-inspect"
fixtures="$QV_SOURCE_DIR/tests/text/fixtures"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cd "$fixtures" || fail "no fixtures"
"$inspect" text inspect_script.txt >"$scratch/out.json" 2>"$scratch/err" || fail "exit status $?"
diff -u inspect_script.json "$scratch/out.json" || fail "unexpected JSON"
[[ ! -s "$scratch/err" ]] || fail "unexpected standard error: $(cat "$scratch/err")"

printf '//quintaval\nHello <end>\n' >"$scratch/lower.txt"
"$inspect" text "$scratch/lower.txt" >"$scratch/out" 2>"$scratch/err" && fail "header in lower case accepted"
grep -q 'no "//Quintaval" header' "$scratch/err" || fail "header message: $(cat "$scratch/err")"
[[ ! -s "$scratch/out" ]] || fail "JSON printed for a rejected file"

"$inspect" text "$scratch/missing.txt" 2>"$scratch/err" && fail "missing file accepted"
grep -q 'cannot be read' "$scratch/err" || fail "missing-file message: $(cat "$scratch/err")"
"$inspect" text >/dev/null 2>&1
[[ $? -eq 2 ]] || fail "usage error should exit 2"
echo PASS
