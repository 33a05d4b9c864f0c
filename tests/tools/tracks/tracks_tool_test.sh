#!/usr/bin/env bash
# quintaval-tracks as an author uses it: compile a sheet, dump the files, compile the
# dump to the same bytes, evaluate, and fail cleanly on bad input without writing.
set -euo pipefail
tool="$QV_BINARY_DIR/bin/quintaval-tracks"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

cat > demo.sheet <<'SHEET'
# sample sheet
track scene.num          # scene selector
0      1      step
112    2      linear
224    2.5    smooth
336    0.1    ramp
track cam.shake.x
-14    -0.25  smooth
14     1e-3   -7         # a raw type byte
SHEET

"$tool" --help | grep -q "INTERPOLATION" || fail "--help does not describe the sheet"
"$tool" compile demo.sheet out 2> warnings.txt || fail "compile"
grep -q "demo.sheet:9: warning" warnings.txt || fail "no warning for the raw type"
[ -f out/sync_scene.num.track ] && [ -f out/sync_cam.shake.x.track ] || fail "file names"
[ "$(stat -c %s out/sync_scene.num.track)" = $((4 + 4 * 9)) ] || fail "file size"

"$tool" compile demo.sheet other --base demo
[ -f other/demo_scene.num.track ] || fail "--base"

# dump, compile again: byte-identical, including a damaged file.
printf '\x05\x00\x00\x00\x01\x00\x00\x00\x00\x00\x80\x3f\x01\x02\x00' > out/sync_cut.track
"$tool" dump out/sync_scene.num.track out/sync_cam.shake.x.track > dump.sheet
grep -q "^track scene.num$" dump.sheet || fail "dumped name"
"$tool" compile dump.sheet again
cmp out/sync_scene.num.track again/sync_scene.num.track || fail "round trip scene.num"
cmp out/sync_cam.shake.x.track again/sync_cam.shake.x.track || fail "round trip cam.shake.x"
"$tool" dump out/sync_cut.track > cut.sheet
grep -q "announces 5 keys and holds 1" cut.sheet || fail "damage not described"

# eval: %.9g, one value per line, at fractional and negative rows.
expected=$'1\n1\n1\n2.25\n2.5\n0.100000001\n2'
actual=$("$tool" eval out/sync_scene.num.track -0.5 0 56 168 224 400 112)
[ "$actual" = "$expected" ] || fail "eval printed: $actual"

# Errors: file and line named, status 1, nothing written.
printf 'track a\n0 1 step\n5 x linear\n6 1 wobble\n' > bad.sheet
if "$tool" compile bad.sheet badout 2> errors.txt; then fail "bad sheet compiled"; fi
grep -q "^bad.sheet:3: error" errors.txt || fail "line 3 not named"
grep -q "^bad.sheet:4: error" errors.txt || fail "line 4 not named"
[ ! -e badout ] || fail "output written for a bad sheet"
# A sheet that is no regular file (a folder) is named with the reason; nothing is written.
mkdir folder.sync
if "$tool" compile folder.sync folderout 2> errors.txt; then fail "a folder compiled as a sheet"; fi
grep -qx "folder.sync: cannot read: Is a directory" errors.txt || fail "folder sheet: $(cat errors.txt)"
[ ! -e folderout ] || fail "output written for a folder sheet"

# A sheet whose second file cannot be written (its name is too long for the file
# system) leaves no file at all, not even a temporary one.
mkdir -p partial
printf 'track first\n0 7 step\ntrack %s\n0 1 step\n' "$(printf 'x%.0s' {1..300})" > partial.sheet
if "$tool" compile partial.sheet partial 2> errors.txt; then fail "unwritable file reported as success"; fi
grep -q "^partial.sheet:3: error: cannot write" errors.txt || fail "write error not named"
[ -z "$(ls partial)" ] || fail "partial output: $(ls partial)"

# watch: a sheet that is a folder is reported and waited for, nothing written; then the
# first compile, a save by rename recompiles, a broken save (rewritten in place) is
# reported as compile reports it and leaves the tracks as they were.
waitFor() { for _ in $(seq 200); do eval "$1" && return 0; sleep 0.05; done; fail "$2: $(cat watch.log)"; }
mkdir -p sheets/demo.sync
"$tool" watch sheets/demo.sync live 2> watch.log & watcher=$!
trap 'kill $watcher 2>/dev/null; rm -rf "$work"' EXIT
waitFor 'grep -qx "sheets/demo.sync: waiting for a readable sheet" watch.log' "no word of waiting"
grep -qx "sheets/demo.sync: cannot read: Is a directory" watch.log || fail "folder sheet: $(cat watch.log)"
[ ! -e live ] || fail "watch wrote tracks for a folder sheet"
rmdir sheets/demo.sync && printf 'track a\n0 1 step\n' > sheets/demo.sync
waitFor 'grep -q "compiled 1 track into live" watch.log' "no first compile"
printf 'track a\n0 2 step\ntrack b\n' > sheets/new && mv sheets/new sheets/demo.sync
waitFor '[ "$("$tool" eval live/sync_a.track 0)" = 2 ] && grep -q "compiled 2 tracks" watch.log' "no compile after a save"
cp live/sync_a.track saved.track
printf 'track a\n0 x step\n' > sheets/demo.sync
waitFor 'grep -q "^sheets/demo.sync:2: error: " watch.log' "no error for a broken save"
cmp saved.track live/sync_a.track || fail "a broken save changed the tracks"
kill -TERM $watcher && wait $watcher || fail "watch ended with status $?"

set +e
"$tool" eval out/missing.track 1 2>/dev/null; [ $? = 1 ] || fail "missing file status"
"$tool" frobnicate 2>/dev/null; [ $? = 2 ] || fail "usage status"
"$tool" eval out/sync_scene.num.track 1,5 2>/dev/null; [ $? = 2 ] || fail "bad row status"
# A folder is no track file, and a name the sheet cannot hold is refused: status 1, path named.
for file in out "out/sync_a b.track" $'out/sync_a\tb.track' "out/sync_x#y.track"; do
  [ -e "$file" ] || cp out/sync_scene.num.track "$file"
  "$tool" dump "$file" > dump.txt 2> errors.txt; [ $? = 1 ] || fail "dump $file status"
  grep -qF "$file: " errors.txt && [ ! -s dump.txt ] || fail "dump $file: $(cat errors.txt)"
done
echo OK
