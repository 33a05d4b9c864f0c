# The Debian package: `cpack -G DEB` builds it, its dependencies are the libraries the
# programs link (computed by dpkg-shlibdeps), and the programs it holds run from an
# unpacked copy: each answers --version, and the capture tool renders a frame of the
# packaged sample demo.
source "$(dirname "$0")/lib.sh"

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cpack --config "$QV_BINARY_DIR/CPackConfig.cmake" -G DEB -B "$stage" >"$QV_LOG_DIR/cpack" 2>&1 \
  || fail "cpack failed: $(tail -n 5 "$QV_LOG_DIR/cpack")"
deb=$(ls "$stage"/quintaval_*.deb 2>/dev/null | head -n1)
[[ -n "$deb" ]] || fail "no package in $stage: $(ls "$stage")"

depends=$(dpkg-deb --field "$deb" Depends)
for library in libc6 libstdc++6 libglfw3 libglew2.2 libgtk-3-0 libsdl2-2.0-0 libmpg123-0 libdevil1c2 libcairo2; do
  [[ ",$depends" == *", $library"* || ",$depends" == *",$library"* ]] || fail "Depends lacks $library: $depends"
done
dpkg-deb --contents "$deb" >"$QV_LOG_DIR/contents"
for file in ./usr/bin/quintaval ./usr/share/quintaval/demo/Data/Sound/Musica.mp3 ./usr/share/man/man1/quintaval.1.gz \
  ./usr/share/applications/quintaval.desktop ./usr/share/icons/hicolor/256x256/apps/quintaval.png; do
  grep -q " $file\$" "$QV_LOG_DIR/contents" || fail "the package lacks $file"
done

dpkg-deb -x "$deb" "$stage/root"
for program in quintaval quintaval-capture quintaval-tracks quintaval-inspect quintaval-make-demo; do
  "$stage/root/usr/bin/$program" --version | grep -q "^$program " || fail "$program --version failed"
done
cd "$stage" || fail "no scratch folder"
"$stage/root/usr/bin/quintaval-capture" --width 160 --height 90 --from 40 --to 40.01 --png frame --quiet \
  2>"$QV_LOG_DIR/stderr" || fail "the packaged capture tool failed: $(cat "$QV_LOG_DIR/stderr")"
[[ -s frame/frame-000000.png ]] || fail "no frame from the packaged demo"
echo "PASS"
