#!/usr/bin/env bash
# Runs a command inside a private Xvfb server (1920x1080x24 unless QV_XVFB_SCREEN says
# otherwise) with Mesa's software renderer. -displayfd lets the server pick a free display
# number itself, so several can start at once without racing for :99; -noreset keeps the
# server from resetting (and refusing connections for a moment) whenever its last client
# disconnects.
set -u
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 "${QV_XVFB_SCREEN:-1920x1080x24}" -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
display=""
if read -r -t 20 display <"$fifo"; then :; fi
rm -f "$fifo"
if [[ -z "$display" ]]; then
  echo "with-xvfb: Xvfb did not start" >&2
  kill "$xvfb_pid" 2>/dev/null
  exit 1
fi
export DISPLAY=":$display"
export LIBGL_ALWAYS_SOFTWARE=1
"$@"
status=$?
kill "$xvfb_pid" 2>/dev/null
wait "$xvfb_pid" 2>/dev/null
exit $status
