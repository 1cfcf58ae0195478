#!/bin/sh
# The recovery copy with the real program on a virtual X server: types four
# values into the data grid, measures how long after the last keystroke they
# are in the recovery copy, kills the program with SIGKILL, starts it again,
# takes a screenshot of the question, answers Yes and checks that the values
# are back; then ends it with 終了 and はい and checks that no copy is left.
# Needs xvfb-run, xdotool and ImageMagick's import.  Not part of the tests:
# it depends on the window layout at 96 dpi for the click into cell A1.
#
#   scripts/recovery_end_to_end.sh [program] [output folder]
set -eu
if [ -z "${KURVO_E2E_DISPLAY:-}" ]; then
    export KURVO_E2E_DISPLAY=1
    exec xvfb-run -a -s "-screen 0 1280x900x24" "$0" "$@"
fi
program=$(realpath "${1:-build/kurvo}")
out=$(realpath -m "${2:-/tmp/kurvo-recovery-e2e}")
rm -rf "$out"
mkdir -p "$out"
export XDG_STATE_HOME="$out/state"
copies="$XDG_STATE_HOME/kurvo"

# Waits up to $1 seconds for the command after it to succeed.
within() {
    limit=$(($1 * 100)); shift
    while ! "$@" >/dev/null 2>&1; do
        limit=$((limit - 1))
        [ "$limit" -gt 0 ] || return 1
        sleep 0.01
    done
}
now_ms() { echo $(($(date +%s%N) / 1000000)); }
copy_holds() { grep -qa "$1" "$copies"/window-*.txt; }
fail() { echo "FAILED: $*"; exit 1; }

# 1. Type a column of four values, Enter after each.
"$program" >"$out/first.log" 2>&1 &
first=$!
within 20 xdotool search --name 'Kurvo' || fail "no window"
sleep 1
xdotool mousemove 81 119 click 1
for value in 1.5 2.5 3.5 4.5; do
    xdotool type --delay 60 "$value"
    xdotool key Return
done
typed=$(now_ms)
within 10 copy_holds ' , 4 ,4.5' || fail "no recovery copy"
echo "last keystroke to recovery copy on disk: $(($(now_ms) - typed)) ms"
import -window root "$out/typed.png"

# 2. Kill it: nothing is saved, the copy stays.
kill -KILL "$first"
wait "$first" 2>/dev/null || true
ls "$copies"

# 3. Start again: the question, answered with Yes (the default button).
"$program" >"$out/second.log" 2>&1 &
second=$!
within 20 sh -c "[ \$(xdotool search --onlyvisible --name 'Kurvo' | wc -l) -ge 2 ]" || fail "no question"
sleep 1
import -window root "$out/question.png"
xdotool windowfocus "$(xdotool search --onlyvisible --name 'Kurvo' | tail -1)" key Return
within 10 sh -c "! ls '$copies'/window-$first-* " || fail "the left copy was not removed"
within 10 copy_holds ' , 4 ,4.5' || fail "the restored values are not in the new copy"
sleep 1
import -window root "$out/restored.png"
ls "$copies"

# 4. 終了, はい: the program ends and takes its copy with it.
xdotool windowfocus "$(xdotool search --onlyvisible --name 'Kurvo' | head -1)" key alt+x
sleep 1
import -window root "$out/exit.png"
xdotool windowfocus "$(xdotool search --onlyvisible --name 'Kurvo' | tail -1)" key alt+y
within 10 sh -c "! kill -0 $second" || fail "still running after 終了"
[ -z "$(ls -A "$copies")" ] || fail "copy left after a normal exit: $(ls "$copies")"
echo "restored after SIGKILL, removed after 終了; screenshots in $out"
