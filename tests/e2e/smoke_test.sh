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
xvfb_pid=
tarnel_pid=

# A child that has exited stays a zombie until waited for, and kill -0 still reaches it.
running() {
    [ -r "/proc/$1/stat" ] && [ "$(sed 's/.*) //' "/proc/$1/stat" | cut -c1)" != Z ]
}
stop() {
    [ -n "$1" ] || return 0
    kill "$1" 2>/dev/null
    n=0
    while running "$1" && [ $n -lt 20 ]; do sleep 0.1; n=$((n + 1)); done
    kill -9 "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}
cleanup() {
    stop "$tarnel_pid"
    stop "$xvfb_pid"
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 2' HUP INT TERM

fail() {
    echo "FAILED: $*" >&2
    echo "--- tarnel's output:" >&2
    cat "$work/out.log" >&2 2>/dev/null
    echo "--- the X server's output:" >&2
    cat "$work/xvfb.log" >&2 2>/dev/null
    exit 1
}

# wait_until SECONDS WHAT COMMAND...: runs COMMAND every 0.1 s until it succeeds.
wait_until() {
    limit=$1 what=$2
    shift 2
    echo "waiting up to ${limit} s for $what"
    ticks=0
    until "$@"; do
        ticks=$((ticks + 1))
        [ $ticks -lt $((limit * 10)) ] || fail "no $what after ${limit} s"
        sleep 0.1
    done
}

# An X server of our own: xvfb-run waits for the server without any limit.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_until 10 "the X server to start" grep -q '[0-9]' "$work/display"
export DISPLAY=":$(tr -dc '0-9' <"$work/display")"

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
