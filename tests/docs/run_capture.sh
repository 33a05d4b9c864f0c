# quintaval-capture as a runnable example in the documents starts it: run_capture.sh
# CAPTURE ARGS... runs CAPTURE with ARGS, its span cut to at most 0.05 s after --from
# (the last --to counts), so that a whole-demo capture takes a few frames.
capture=$1
shift
from=0
to=128
previous=""
for word in "$@"; do
  case $previous/$word in
    --from/*) from=$word ;;
    --to/*) to=$word ;;
    */--from=*) from=${word#*=} ;;
    */--to=*) to=${word#*=} ;;
    */--help | */-h | */--version) exec "$capture" "$@" ;;
  esac
  previous=$word
done
exec "$capture" "$@" --to "$(awk -v from="$from" -v to="$to" 'BEGIN { print (to < from + 0.05 ? to : from + 0.05) }')"
