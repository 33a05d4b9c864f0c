# Helpers for the end-to-end scripts. Each script sources this file first; it re-runs the
# script inside a private Xvfb server unless the script sets QV_NO_XVFB. The Windows suite
# (tests/windows/) uses them too: there QV_PLAYER names quintaval.exe, QV_EMULATOR the
# script that runs it under Wine, and QV_DIALOG_CLASS and QV_DEMO_CLASS the X classes Wine
# gives the two windows.
set -u
QV_PLAYER=${QV_PLAYER:-quintaval}
QV_EMULATOR=${QV_EMULATOR:-}
QV_DIALOG_CLASS=${QV_DIALOG_CLASS:-Quintaval}
QV_DEMO_CLASS=${QV_DEMO_CLASS:-Quintaval demosystem}

if [[ -z "${QV_IN_XVFB:-}" && -z "${QV_NO_XVFB:-}" ]]; then
  export QV_IN_XVFB=1
  exec "$QV_WITH_XVFB" bash "$0" "$@"
fi

QV_DEMO_DIR=${QV_DEMO_DIR:?set by ctest}
QV_LOG_DIR=$(mktemp -d)
QV_PID=""

fail() {
  echo "FAIL: $*" >&2
  if [[ -n "$QV_PID" ]]; then kill "$QV_PID" 2>/dev/null; fi
  echo "--- quintaval standard error ---" >&2
  cat "$QV_LOG_DIR/stderr" >&2 2>/dev/null
  exit 1
}

# Starts quintaval in the runnable tree with the arguments given; its standard output and
# error go to $QV_LOG_DIR/stdout and stderr.
start_quintaval() {
  (cd "$QV_DEMO_DIR" && exec $QV_EMULATOR "./$QV_PLAYER" "$@" >"$QV_LOG_DIR/stdout" 2>"$QV_LOG_DIR/stderr") &
  QV_PID=$!
}

# The hash of the screen now.
screen_hash() {
  local mean hash
  read -r mean hash < <("$QV_PROBE")
  echo "$hash"
}

# Waits up to $1 seconds until two screen grabs a second apart are the same, and prints
# that picture's hash. Software GL on a busy machine may take most of a second for a
# frame, so a frame begun before a pause or a reload may still come after it.
wait_for_still_picture() {
  local seconds=$1 first second
  first=$(screen_hash)
  for ((i = 0; i < seconds; i++)); do
    sleep 1
    second=$(screen_hash)
    if [[ "$second" == "$first" ]]; then
      echo "$first"
      return 0
    fi
    first=$second
  done
  return 1
}

# Waits up to $2 seconds until the screen differs from hash $1 (0 when it did).
wait_for_picture_change() {
  local from=$1 seconds=$2
  for ((i = 0; i < seconds * 10; i++)); do
    [[ "$(screen_hash)" != "$from" ]] && return 0
    kill -0 "$QV_PID" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Waits up to $2 seconds for a line of quintaval's standard output or error matching the
# extended regular expression $1.
wait_for_line() {
  local pattern=$1 seconds=$2
  for ((i = 0; i < seconds * 10; i++)); do
    cat "$QV_LOG_DIR/stdout" "$QV_LOG_DIR/stderr" 2>/dev/null | grep -Eq "$pattern" && return 0
    kill -0 "$QV_PID" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Makes a scratch runnable tree that shares everything with $QV_DEMO_DIR but the entries of
# Data/ named in the arguments, and points QV_DEMO_DIR at it. The caller fills those in.
use_scratch_tree_without() {
  local tree entry skip name
  tree=$(mktemp -d)
  trap 'rm -rf "'"$tree"'"' EXIT
  ln -s "$QV_DEMO_DIR/$QV_PLAYER" "$tree/$QV_PLAYER"
  mkdir "$tree/Data"
  for entry in "$QV_DEMO_DIR"/Data/*; do
    name=$(basename "$entry")
    skip=""
    for excluded in "$@"; do [[ "$name" == "$excluded" ]] && skip=1; done
    [[ -n "$skip" ]] || ln -s "$entry" "$tree/Data/"
  done
  QV_DEMO_DIR=$tree
}

# Waits up to $1 seconds for a message box (a GTK dialog titled "ERROR") and presses OK.
# With no window manager the keyboard focus stays where it was, so it is given to the
# dialog first.
dismiss_message_box() {
  local seconds=$1 box=""
  for ((i = 0; i < seconds * 10; i++)); do
    box=$(xdotool search --onlyvisible --name '^ERROR$' 2>/dev/null | head -n1)
    [[ -n "$box" ]] && break
    kill -0 "$QV_PID" 2>/dev/null || return 1
    sleep 0.1
  done
  [[ -n "$box" ]] || return 1
  sleep 0.5
  xdotool windowfocus --sync "$box"
  xdotool key Return
}

# Prints the id of the first window whose class (1st arg) matches, waiting up to $2 seconds.
wait_for_window_class() {
  local class=$1 seconds=$2 id
  for ((i = 0; i < seconds * 10; i++)); do
    id=$(xdotool search --onlyvisible --class "^$class\$" 2>/dev/null | head -n1)
    if [[ -n "$id" ]]; then
      echo "$id"
      return 0
    fi
    kill -0 "$QV_PID" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# The setup dialog is a GTK window (class "Quintaval"); the demo window is GLFW's, whose
# class is its title.
wait_for_dialog() { wait_for_window_class "$QV_DIALOG_CLASS" "$1"; }
wait_for_demo_window() { wait_for_window_class "$QV_DEMO_CLASS" "$1"; }

# Waits up to $1 seconds for quintaval to exit and sets QV_STATUS to its exit status.
# (Not for use in $(...): only this shell can collect its child's status.)
wait_for_exit() {
  local seconds=$1
  for ((i = 0; i < seconds * 10; i++)); do
    if ! kill -0 "$QV_PID" 2>/dev/null; then
      wait "$QV_PID"
      QV_STATUS=$?
      return 0
    fi
    sleep 0.1
  done
  return 1
}

QV_PROBE=${QV_PROBE:-$QV_BINARY_DIR/tests/qv_screen_probe}

# Waits up to $1 seconds for the loading picture (the first picture that is not black)
# and then for the first demo frame (the first picture that differs from it). The demo
# window's bottom rows, where the loading progress bar grows, are left out. Sets
# QV_DEMO_STARTED to the time (date +%s) the demo's first frame was seen.
wait_for_demo_start() {
  local seconds=$1 deadline mean hash loading="" area=()
  deadline=$(($(date +%s) + seconds))
  while (($(date +%s) < deadline)); do
    kill -0 "$QV_PID" 2>/dev/null || return 1
    if ((${#area[@]} == 0)); then
      local window X Y WIDTH HEIGHT
      window=$(xdotool search --onlyvisible --class "^$QV_DEMO_CLASS\$" 2>/dev/null | head -n1)
      if [[ -n "$window" ]] && eval "$(xdotool getwindowgeometry --shell "$window")"; then
        area=("$X" "$Y" "$WIDTH" $((HEIGHT - HEIGHT / 50 - 2)))
      else
        sleep 0.2
        continue
      fi
    fi
    read -r mean hash < <("$QV_PROBE" "${area[@]}")
    mean=${mean#mean=}
    if [[ -z "$loading" ]]; then
      awk -v m="$mean" 'BEGIN { exit !(m > 10) }' && loading=$hash
    elif [[ "$hash" != "$loading" ]]; then
      QV_DEMO_STARTED=$(date +%s)
      return 0
    fi
    sleep 0.2
  done
  return 1
}
