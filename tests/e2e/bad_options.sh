# Command lines the player refuses: a usage message on standard error and status 2,
# before any window or dialog.
export QV_NO_XVFB=1
source "$(dirname "$0")/lib.sh"

for arguments in "--window 1280" "--window 1280x720 --fullscreen 800x600" "--vsync maybe" "--start soon" \
  "--start -3" "--data /no/such/folder" "--no-such-option" "extra" "--sheet Data" "--author --sheet /no/such.sync" \
  "--author --sheet Data" "--bpm 120" "--author --bpm fast" "--author --bpm 0" "--author --beat-offset 1" \
  "--author --bpm 90 --beat-offset soon"; do
  # shellcheck disable=SC2086
  (cd "$QV_DEMO_DIR" && ./quintaval $arguments >"$QV_LOG_DIR/stdout" 2>"$QV_LOG_DIR/stderr")
  status=$?
  [[ $status == 2 ]] || fail "'$arguments' gave status $status, expected 2"
  grep -q 'quintaval --help' "$QV_LOG_DIR/stderr" || fail "'$arguments': no usage hint: $(cat "$QV_LOG_DIR/stderr")"
done
# A value out of range names the range.
for arguments in "--window 16385x720" "--fullscreen 1280x0"; do
  # shellcheck disable=SC2086
  (cd "$QV_DEMO_DIR" && ./quintaval $arguments 2>"$QV_LOG_DIR/stderr")
  grep -q -- "${arguments%% *}.* from 1 to 16384" "$QV_LOG_DIR/stderr" || fail "'$arguments': no range named: $(cat "$QV_LOG_DIR/stderr")"
done
(cd "$QV_DEMO_DIR" && ./quintaval --author --sheet Data 2>&1) | grep -q -- "--sheet Data: Is a directory" ||
  fail "--sheet: no reason given"
(cd "$QV_DEMO_DIR" && ./quintaval --help) | grep -q -- '--author' || fail "--help does not list --author"
(cd "$QV_DEMO_DIR" && ./quintaval --version) | grep -q '^quintaval [0-9]' || fail "--version"
echo "PASS"
