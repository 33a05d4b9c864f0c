# Installed as a user installs it: `cmake --install` into a scratch DESTDIR. The installed
# player, started from an unrelated folder, finds the installed sample demo, shows the 3D
# scene at 40 s and ends with status 0 on Escape; the installed capture tool renders the
# same frame of the installed demo as the build tree's does of the built one.
source "$(dirname "$0")/lib.sh"

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install "$QV_BINARY_DIR" --prefix /opt/quintaval >"$QV_LOG_DIR/install" 2>&1 \
  || fail "cmake --install failed: $(tail -n 5 "$QV_LOG_DIR/install")"
prefix=$stage/opt/quintaval
for file in bin/quintaval bin/quintaval-capture bin/quintaval-tracks bin/quintaval-inspect bin/quintaval-make-demo \
  share/quintaval/demo/Data/Sound/Musica.mp3 share/quintaval/sources/maya/CamCurve.ma \
  share/man/man1/quintaval.1.gz share/applications/quintaval.desktop \
  share/icons/hicolor/256x256/apps/quintaval.png share/doc/quintaval/README.md; do
  [[ -e "$prefix/$file" ]] || fail "not installed: $file"
done
[[ -e "$prefix/share/quintaval/demo/Data/.quintaval-make-demo" ]] && fail "the generator's marker was installed"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/quintaval.desktop" || fail "the desktop entry is not valid"
fi

elsewhere=$stage/elsewhere
mkdir "$elsewhere"
cd "$elsewhere" || fail "no scratch folder"
"$prefix/bin/quintaval" --window 640x360 --start 40 >"$QV_LOG_DIR/stdout" 2>"$QV_LOG_DIR/stderr" &
QV_PID=$!
wait_for_demo_start 120 || fail "the installed player showed no demo frame"
wait_for_picture_change "$(screen_hash)" 20 || fail "the 3D scene does not move"
xdotool key Escape
wait_for_exit 60 || fail "still running 60 s after Escape"
[[ "$QV_STATUS" == 0 ]] || fail "exit status $QV_STATUS, expected 0"

"$prefix/bin/quintaval-capture" --width 320 --height 180 --from 40.5 --to 40.51 --png installed --quiet \
  2>"$QV_LOG_DIR/stderr" || fail "the installed capture tool failed"
"$QV_BINARY_DIR/bin/quintaval-capture" --data "$QV_DEMO_DIR" --width 320 --height 180 --from 40.5 --to 40.51 \
  --png built --quiet 2>"$QV_LOG_DIR/stderr" || fail "the build tree's capture tool failed"
cmp -s installed/frame-000000.png built/frame-000000.png || fail "the installed demo renders differently"
echo "PASS"
