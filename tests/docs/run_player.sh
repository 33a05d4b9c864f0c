# The player as a runnable example in the documents starts it: run_player.sh PLAYER ARGS...
# runs PLAYER with ARGS, presses Start when the setup dialog shows, Escape once the demo
# window is there (which ends loading, and the program, with status 0) and OK on a
# message box; it ends with the player's exit status (124 when it did not end in time).
# --help, --version and bad command lines end by themselves.
QV_IN_XVFB=1 source "$QV_SOURCE_DIR/tests/e2e/lib.sh"
trap 'rm -rf "$QV_LOG_DIR"' EXIT

visible() { xdotool search --onlyvisible --class "^$1\$" 2>/dev/null | head -n1; }

"$@" &
QV_PID=$!
started=""
for ((i = 0; i < 600; i++)); do
  if ! kill -0 "$QV_PID" 2>/dev/null; then
    wait "$QV_PID"
    exit
  fi
  if box=$(xdotool search --onlyvisible --name '^ERROR$' 2>/dev/null | head -n1) && [[ -n $box ]]; then
    xdotool windowfocus --sync "$box" key Return
  elif window=$(visible "Quintaval demosystem") && [[ -n $window ]]; then
    sleep 0.5
    xdotool windowfocus --sync "$window" key Escape
    wait_for_exit 60 && exit "$QV_STATUS"
  elif [[ -z $started ]] && dialog=$(visible Quintaval) && [[ -n $dialog ]]; then
    sleep 0.5
    xdotool windowfocus --sync "$dialog" key Return
    started=1
  fi
  sleep 0.2
done
kill "$QV_PID"
exit 124
