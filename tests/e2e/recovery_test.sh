#!/bin/sh
# Types into a file opened in the real program, waits until the typing is in the recovery
# file, kills the program with SIGKILL, starts it again on the file, answers the recovery
# question with Enter (Recover) in the real dialog, saves with Ctrl+S and expects the saved file
# to be byte for byte what was typed, and no recovery file left once the window is closed.
set -u
here=$(cd "$(dirname "$0")" && pwd)
tarnel=$1
close_window=$2
examples=$3
work=$(mktemp -d)
. "$here/e2e_lib.sh"

start_x_server
make_home
cd "$work"
printf '<doc>\n  <p>kept</p>\n</doc>\n' >doc.xml
state="$XDG_STATE_HOME/tarnel"

"$tarnel" doc.xml >"$work/out1.log" 2>&1 &
tarnel_pid=$!
focus_window "doc.xml - Tarnel" 25
# Alt+2: the editor; Ctrl+End: the end of the text.
xdotool key alt+2 ctrl+End
xdotool type --delay 20 '<added a="1">typed text</added>'
xdotool key BackSpace BackSpace Return
xdotool type --delay 20 'END-OF-TYPING'
printf '<doc>\n  <p>kept</p>\n</doc>\n<added a="1">typed text</adde\nEND-OF-TYPING' >expected.xml

recorded() { grep -q 'END-OF-TYPING' "$state"/*.tarnel-recovery 2>/dev/null; }
wait_until 15 "the typing to reach the recovery file in $state" recorded
kill -9 "$tarnel_pid"
wait "$tarnel_pid" 2>/dev/null
tarnel_pid=
cmp -s doc.xml expected.xml && fail "the file was saved before the kill"

"$tarnel" doc.xml >"$work/out2.log" 2>&1 &
tarnel_pid=$!
focus_window "Tarnel" 25
xdotool key Return
focus_window "doc.xml\\* - Tarnel" 15
xdotool key ctrl+s
saved_as_typed() { cmp -s doc.xml expected.xml; }
wait_until 10 "doc.xml to hold what was typed before the kill" saved_as_typed

echo "waiting up to 15 s for the window \"doc.xml - Tarnel\" to close it"
"$close_window" "doc.xml - Tarnel" 15 || fail "could not close the window \"doc.xml - Tarnel\""
wait_until 15 "tarnel to exit after its main window was closed" eval '! running $tarnel_pid'
status=0
wait "$tarnel_pid" || status=$?
tarnel_pid=
[ "$status" -eq 0 ] || fail "tarnel exited with status $status"
left=$(ls "$state" 2>/dev/null)
[ -z "$left" ] || fail "recovery files left after saving and closing: $left"
echo "recovery test passed"
