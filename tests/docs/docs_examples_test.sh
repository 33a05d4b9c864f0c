# The command lines the documents show still work: every runnable example of README.md
# and docs/*.md (the blocks fenced as ```sh; set-up, packaging and install commands and
# synopses are fenced otherwise) and of the manual pages' EXAMPLES runs, block by block
# under `set -e`, and must end with status 0 without reporting an error (a file it cannot
# read, a sheet it waits for, an ERROR: message). Commands in the background (`... &`)
# must still run at the end of their block and end with 0 on SIGTERM.
#
# The blocks run in scratch folders under the test's X server, with HOME there too:
# - a Markdown document's in a copy of the repository's layout: build/bin/ holds the
#   tools, build/demo/ the player and a copy of the sample demo, data/ is the source
#   tree's;
# - a manual page's in a demo's folder (a copy of the sample demo's Data/), with the tools
#   and the player on PATH and /usr/share/quintaval/demo and .../sources standing for the
#   sample demo and the source tree's data/.
# The copy of the sample demo keeps two frames of each picture sequence, which makes
# loading it a third as long. The player is closed as soon as its window shows
# (tests/docs/run_player.sh), and captures are cut to a twentieth of a second
# (tests/docs/run_capture.sh).
source "$QV_SOURCE_DIR/tests/e2e/lib.sh"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The tools, with the player and the capture tool behind their wrappers.
tools=$scratch/bin
mkdir "$tools"
for tool in quintaval-tracks quintaval-inspect quintaval-make-demo; do
  ln -s "$QV_BINARY_DIR/bin/$tool" "$tools/$tool"
done
wrap() { printf '#!/bin/sh\nexec bash "%s" "%s" "$@"\n' "$QV_SOURCE_DIR/tests/docs/$2" "$3" >"$1" && chmod +x "$1"; }
wrap "$tools/quintaval" run_player.sh "$(readlink -f "$QV_DEMO_DIR/quintaval")"
wrap "$tools/quintaval-capture" run_capture.sh "$QV_BINARY_DIR/bin/quintaval-capture"

sample=$scratch/sample
mkdir "$sample"
cp -r "$QV_DEMO_DIR/Data" "$sample/"
for sequence in "$sample"/Data/Textures/*/; do
  find "$sequence" -type f | sort | tail -n +3 | xargs rm --
done
cp "$tools/quintaval" "$sample/quintaval"

# Writes the runnable blocks of document $1 into folder $2, as 1.sh, 2.sh, ...
split_blocks() {
  local lines
  case $1 in
    *.md) lines=$(awk '/^```sh$/ { inside = 1; print ".EX"; next } /^```/ && inside { inside = 0; print ".EE"; next } inside' "$1") ;;
    *.1)
      lines=$(sed -n '/^\.SH EXAMPLES/,/^\.SH /p' "$1" |
        sed -e 's/\\-/-/g; s/\\e/\\/g; s/\\(aq/'"'"'/g; s/\\[&%]//g' \
          -e "s#/usr/share/quintaval/demo#$sample#g; s#/usr/share/quintaval/sources#$QV_SOURCE_DIR/data#g")
      ;;
  esac
  awk -v dir="$2" '/^\.EX/ { inside = 1; n++; next } /^\.EE/ { inside = 0; next } inside { print > (dir "/" n ".sh") }' <<<"$lines"
}

# Runs one block in folder $2; names the document ($1) and the block when it fails.
run_block() {
  local document=$1 folder=$2 block=$3
  cat >"$scratch/block.sh" <<BLOCK
set -e
trap 'status=\$?; set +e; kill \$(jobs -p) 2>/dev/null; exit \$status' EXIT
$block
for job in \$(jobs -p); do
  kill -0 "\$job" || { echo "a command in the background ended early" >&2; exit 1; }
  kill -TERM "\$job"
  wait "\$job"
done
BLOCK
  local outcome=""
  if (cd "$folder" && HOME=$folder PATH=$tools:$PATH bash "$scratch/block.sh") >"$scratch/output" 2>&1; then
    grep -qE '^ERROR: |: error: |cannot read|cannot open|waiting for a readable' "$scratch/output" &&
      outcome="reported an error"
  else
    outcome="ended with status $?"
  fi
  [[ -z $outcome ]] || {
    echo "FAIL: $document: this block $outcome:" >&2
    sed 's/^/    /' <<<"$block" >&2
    echo "  its output (the last lines):" >&2
    tail -n 20 "$scratch/output" | sed 's/^/    /' >&2
    failed=1
  }
  ran=$((ran + 1))
}

failed=""
ran=0
for document in "$QV_SOURCE_DIR"/README.md "$QV_SOURCE_DIR"/docs/*.md "$QV_SOURCE_DIR"/man/*.1; do
  name=${document#"$QV_SOURCE_DIR"/}
  folder=$scratch/$(basename "$document")
  mkdir "$folder"
  if [[ $document == *.md ]]; then
    mkdir "$folder/build"
    ln -s "$tools" "$folder/build/bin"
    cp -r "$sample" "$folder/build/demo"
    ln -s "$QV_SOURCE_DIR/data" "$folder/data"
  else
    cp -r "$sample/Data" "$folder/"
  fi
  mkdir "$folder.blocks"
  split_blocks "$document" "$folder.blocks"
  for ((n = 1; n <= $(find "$folder.blocks" -name '*.sh' | wc -l); n++)); do
    run_block "$name" "$folder" "$(cat "$folder.blocks/$n.sh")"
  done
  rm -rf "$folder" "$folder.blocks"
done
((ran > 0)) || { echo "FAIL: no runnable examples found" >&2; exit 1; }
[[ -z $failed ]] || exit 1
echo "PASS: $ran blocks"
