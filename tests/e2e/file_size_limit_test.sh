#!/bin/sh
# Saves from the real window past a file-size limit (ulimit -f), with SIGXFSZ as the shell
# leaves it: the program must stay alive, show a message, leave the file byte for byte as it
# was with no temporary file beside it, and keep the document modified.
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
mkdir folder
awk 'BEGIN { print "<doc>"; for (i = 0; i < 4000; i++) print "  <p>line " i "</p>"; print "</doc>" }' \
    >folder/doc.xml
cp folder/doc.xml original.xml
# 100 KB of text, a limit of 64 KB (ulimit counts 512-byte blocks in sh, 1 KB in bash: both fit).
(trap - XFSZ; ulimit -f 128; exec "$tarnel" folder/doc.xml) >"$work/out1.log" 2>&1 &
tarnel_pid=$!
focus_window "doc.xml - Tarnel" 25
xdotool key alt+2 ctrl+End
xdotool type --delay 10 '<more/>'
xdotool key ctrl+s
focus_window "Tarnel" 15
running "$tarnel_pid" || fail "tarnel ended while saving past the file-size limit"
cmp -s folder/doc.xml original.xml || fail "the file changed after a failed save"
others=$(ls -A folder | grep -v -x doc.xml)
[ -z "$others" ] || fail "left beside the file: $others"
xdotool key Return  # the message

close_still_modified "doc.xml* - Tarnel"
cmp -s folder/doc.xml original.xml || fail "the file changed"
echo "file size limit test passed"
