#!/bin/sh
# Saves from the real window onto a full disk (a small tmpfs, so root only; otherwise skipped
# with exit status 77): the save must show a message, leave the file byte for byte as it was
# with no temporary file beside it, and keep the document modified, so closing the window
# asks whether to save.
set -u
here=$(cd "$(dirname "$0")" && pwd)
tarnel=$1
close_window=$2
examples=$3
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIPPED: not root, so no small tmpfs can be mounted to fill up"
    exit 77
fi
work=$(mktemp -d)
. "$here/e2e_lib.sh"

mkdir "$work/full"
mount -t tmpfs -o size=64k,mode=0777 tmpfs "$work/full" || {
    echo "SKIPPED: mounting a tmpfs failed"
    rm -rf "$work"
    exit 77
}
cleanup_extra='umount "$work/full"'
start_x_server
make_home
cd "$work"
printf '<doc>\n  <p>must survive</p>\n</doc>\n' >full/doc.xml
cp full/doc.xml original.xml
dd if=/dev/zero of=full/filler bs=1k 2>/dev/null
[ "$(df --output=avail -k full | tail -n 1 | tr -d ' ')" -eq 0 ] || fail "the tmpfs did not fill up"

"$tarnel" full/doc.xml >"$work/out1.log" 2>&1 &
tarnel_pid=$!
focus_window "doc.xml - Tarnel" 25
xdotool key alt+2 ctrl+End
xdotool type --delay 10 '<more text that does not fit/>'
xdotool key ctrl+s
focus_window "Tarnel" 15
cmp -s full/doc.xml original.xml || fail "the file changed after a failed save"
others=$(ls -A full | grep -v -x -e doc.xml -e filler)
[ -z "$others" ] || fail "left beside the file: $others"
xdotool key Return  # the message

close_still_modified "doc.xml* - Tarnel"
cmp -s full/doc.xml original.xml || fail "the file changed"
echo "full disk test passed"
