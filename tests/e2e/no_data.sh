# The player started in a folder without Data/, with no sample demo installed beside it:
# one line on standard error names the folders it looked in and --data DIR, then the
# viewer sees the message "Error compiling filter shader" after Start, dismisses it, and
# the program ends with status 255.
source "$(dirname "$0")/lib.sh"

player=$(readlink -f "$QV_DEMO_DIR/quintaval")
QV_DEMO_DIR=$(mktemp -d)
trap 'rm -rf "$QV_DEMO_DIR"' EXIT
ln -s "$player" "$QV_DEMO_DIR/quintaval"

start_quintaval
wait_for_dialog 20 >/dev/null || fail "no setup dialog appeared"
sleep 0.5
xdotool key Return
dismiss_message_box 60 || fail "no message box appeared"
wait_for_exit 30 || fail "still running 30 s after the message"
[[ "$QV_STATUS" == 255 ]] || fail "exit status $QV_STATUS, expected 255"
looked="quintaval: no Data/ folder in $QV_DEMO_DIR or $(realpath -m "$player/../../share/quintaval/demo")"
[[ "$(sed -n 1p "$QV_LOG_DIR/stderr")" == "$looked; --data DIR names"* ]] || fail "not the line that says where it looked"
[[ "$(sed -n 2p "$QV_LOG_DIR/stderr")" == "ERROR: Error compiling filter shader" ]] || fail "not the message of the missing shader"
echo "PASS"
