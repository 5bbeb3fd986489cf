#!/bin/sh
# What the user waits for: from `tarnel FILE` to the window ready for keys (the Tip of the Day
# shown, which comes once the file is open and painted), beyond the program's own start-up with
# a one-element file. Runs on an X server of its own, in a fresh home.
#
#   bench/blackbox/open_to_ready.sh BUILD_DIR FILE [RUNS]
set -eu
[ $# -ge 2 ] || { echo "usage: $0 BUILD_DIR FILE [RUNS]" >&2; exit 2; }
here="$(cd "$(dirname "$0")/../../tests/e2e" && pwd)"
examples="$(cd "$(dirname "$0")/../../examples" && pwd)"
build="$(cd "$1" && pwd)"
file="$(realpath "$2")"
runs="${3:-5}"
work="$(mktemp -d)"
. "$here/e2e_lib.sh"

start_x_server
make_home
rm -f "$HOME/.config/Local AppWizard-Generated Applications/Tarnel.ini"  # the Tip on
printf '<r/>\n' >"$work/start-up.xml"

# Milliseconds until the Tip shows, polled every 20 ms.
time_one() {
    begin=$(date +%s%N)
    (cd "$work" && exec "$build/tarnel" "$1") >"$work/out.log" 2>&1 &
    tarnel_pid=$!
    ticks=0
    until xdotool search --onlyvisible --name "^Tip of the Day\$" >/dev/null 2>&1; do
        running "$tarnel_pid" || fail "tarnel exited before it was ready"
        ticks=$((ticks + 1))
        [ $ticks -lt 6000 ] || fail "not ready after 120 s"
        sleep 0.02
    done
    end=$(date +%s%N)
    stop "$tarnel_pid" || true
    tarnel_pid=
    echo $(((end - begin) / 1000000))
}

base=$(time_one "$work/start-up.xml")
echo "start-up with a one-element file: $base ms"
echo "$(basename "$file"), $(($(stat -c %s "$file") / 1048576)) MB, beyond start-up:"
i=0
while [ $i -lt "$runs" ]; do
    echo "  $(($(time_one "$file") - base)) ms"
    i=$((i + 1))
done
