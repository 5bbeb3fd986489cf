#!/bin/sh
# Opens a menu with the mouse in the real window and closes it with Escape: what is typed next
# must reach the editor, not open menus, and Ctrl+S must save it.
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
printf '<doc/>\n' >doc.xml
"$tarnel" doc.xml >"$work/out1.log" 2>&1 &
tarnel_pid=$!
focus_window "doc.xml - Tarnel" 25
xdotool key alt+2 ctrl+End
window=$(window_id "doc.xml - Tarnel")
# The Edit menu's title, second on the menu bar at the window's top edge.
xdotool mousemove --window "$window" 60 10 click 1
sleep 0.5
xdotool key Escape
sleep 0.3
xdotool type --delay 20 'eot'
xdotool key ctrl+s
saved() { grep -q '^eot$' doc.xml; }
wait_until 10 "doc.xml to hold the letters typed after Escape" saved

echo "waiting up to 15 s for the window \"doc.xml - Tarnel\" to close it"
"$close_window" "doc.xml - Tarnel" 15 || fail "could not close the window \"doc.xml - Tarnel\""
wait_until 15 "tarnel to exit after its main window was closed" eval '! running $tarnel_pid'
status=0
wait "$tarnel_pid" || status=$?
tarnel_pid=
[ "$status" -eq 0 ] || fail "tarnel exited with status $status"
echo "menu escape test passed"
