# Shared by the end-to-end scripts: an X server of their own, waits with limits, and a cleanup
# that leaves nothing running. The script sets `work` (a fresh folder) before sourcing this.
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
    [ -z "${cleanup_extra:-}" ] || eval "$cleanup_extra"
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 2' HUP INT TERM

fail() {
    echo "FAILED: $*" >&2
    for log in "$work"/out*.log; do
        [ -f "$log" ] || continue
        echo "--- tarnel's output ($(basename "$log")):" >&2
        cat "$log" >&2
    done
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

# xvfb-run waits for the server without any limit. -noreset: a server that resets when its last
# client leaves (a killed tarnel) refuses the next one for a moment.
start_x_server() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    wait_until 10 "the X server to start" grep -q '[0-9]' "$work/display"
    export DISPLAY=":$(tr -dc '0-9' <"$work/display")"
}

# A fresh home with the Tip of the Day turned off, so the first window is the document's, and
# the example template in the working folder.
make_home() {
    cp "$examples/tarnel.xml" "$work/"
    mkdir -p "$work/home/.config/Local AppWizard-Generated Applications"
    printf '[Tip]\nStartUp=1\n' >"$work/home/.config/Local AppWizard-Generated Applications/Tarnel.ini"
    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
        XDG_STATE_HOME="$work/home/.local/state" QT_QPA_PLATFORM=xcb
    # Only read by sanitizer builds.
    export LSAN_OPTIONS="suppressions=$here/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
}

# window_id TITLE: the id of the window titled exactly TITLE (a regular expression), if any.
window_id() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}
has_window() {
    [ -n "$(window_id "$1")" ]
}
window_or_exit() {
    has_window "$1" || ! running "$tarnel_pid"
}

# focus_window TITLE SECONDS: waits for the window and gives it the keyboard (no window
# manager is running, so xdotool sets the input focus itself).
focus_window() {
    wait_until "$2" "the window \"$1\"" window_or_exit "$1"
    running "$tarnel_pid" || fail "tarnel exited before showing the window \"$1\""
    xdotool windowfocus --sync "$(window_id "$1")" || fail "could not focus the window \"$1\""
    sleep 0.3  # Qt activates the window when the focus event arrives
}

# close_still_modified TITLE: closes the window of a document that is still modified, which asks
# whether to save; No ends the program, which must exit with status 0.
close_still_modified() {
    echo "waiting up to 15 s for the window \"$1\" to close it"
    "$close_window" "$1" 15 || fail "could not close the window \"$1\""
    focus_window "Tarnel" 15
    xdotool key alt+n
    wait_until 15 "tarnel to exit after No to the save question" eval '! running $tarnel_pid'
    status=0
    wait "$tarnel_pid" || status=$?
    tarnel_pid=
    [ "$status" -eq 0 ] || fail "tarnel exited with status $status"
}
