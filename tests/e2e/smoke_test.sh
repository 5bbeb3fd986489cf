#!/bin/sh
# Starts the real program on a fresh X server with a fresh home and working folder, closes the
# Tip of the Day and then the main window "Untitled - Tarnel" the way a window manager would,
# and expects a clean exit. Every wait has its own limit, well inside ctest's; a failure says
# what was awaited and shows the program's and the X server's output; nothing is left running.
set -u
here=$(cd "$(dirname "$0")" && pwd)
tarnel=$1
close_window=$2
examples=$3
work=$(mktemp -d)
. "$here/e2e_lib.sh"

start_x_server
mkdir "$work/home" "$work/folder"
cp "$examples/tarnel.xml" "$examples/tips.txt" "$work/folder/"
cd "$work/folder"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=xcb
# Only read by sanitizer builds.
export LSAN_OPTIONS="suppressions=$here/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

"$tarnel" >"$work/out.log" 2>&1 &
tarnel_pid=$!
for title in "Tip of the Day" "Untitled - Tarnel"; do
    limit=20; [ "$title" = "Tip of the Day" ] && limit=25  # the first window waits for Qt to start
    echo "waiting up to $limit s for the window \"$title\" to close it"
    "$close_window" "$title" "$limit" ||
        fail "the window \"$title\" (tarnel is $(running $tarnel_pid && echo running || echo gone))"
done
wait_until 15 "tarnel to exit after its main window was closed" eval '! running $tarnel_pid'
status=0
wait "$tarnel_pid" || status=$?
tarnel_pid=
[ "$status" -eq 0 ] || fail "tarnel exited with status $status"
test -f "$HOME/.config/Local AppWizard-Generated Applications/Tarnel.ini" ||
    fail "no settings were written at exit"
echo "smoke test passed"
