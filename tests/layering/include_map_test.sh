# The subsystems of src/ are layered in the order the top CMakeLists.txt builds them: a
# file may include headers of its own folder and of folders built before it, never of one
# built after it. And only the window's owner (app/) and the author overlay's ImGui back
# end speak to GLFW: the drawing code below them does not.
set -euo pipefail
cd "$QV_SOURCE_DIR/src"
order=$(sed -n 's/^foreach(subsystem \(.*\))$/\1/p' ../CMakeLists.txt)
[[ -n "$order" ]] || { echo "FAIL: no subsystem order in CMakeLists.txt"; exit 1; }
declare -A rank
i=0
for subsystem in $order; do rank[$subsystem]=$((i++)); done

status=0
while IFS= read -r file; do
  from=${file%%/*}
  [[ -n "${rank[$from]:-}" ]] || { echo "FAIL: $file is in no subsystem"; status=1; continue; }
  for to in $(sed -n 's/^#include "\([a-z_]*\)\/.*/\1/p' "$file" | sort -u); do
    if [[ -n "${rank[$to]:-}" && ${rank[$to]} -gt ${rank[$from]} ]]; then
      echo "FAIL: $file includes $to/, which is built after $from/"
      status=1
    fi
  done
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's#^\./##' | sort)

if grep -rli glfw render scenes timeline text; then
  echo "FAIL: the files above speak to GLFW"
  status=1
fi
[[ $status == 0 ]] && echo "PASS"
exit "$status"
