#!/bin/sh
# Starts the real program on a fresh X server with a fresh home and working folder, closes the
# Tip of the Day and then the main window "Untitled - Tarnel" the way a window manager would,
# and expects a clean exit.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
tarnel=$1
close_window=$2
examples=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/home" "$work/folder"
cp "$examples/tarnel.xml" "$examples/tips.txt" "$work/folder/"
cd "$work/folder"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=xcb
# Only read by sanitizer builds.
export LSAN_OPTIONS="suppressions=$here/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

"$tarnel" > "$work/out.log" 2>&1 &
pid=$!
"$close_window" "Tip of the Day" 20
"$close_window" "Untitled - Tarnel" 20
status=0
wait "$pid" || status=$?
if [ "$status" -ne 0 ]; then
    echo "tarnel exited with status $status" >&2
    cat "$work/out.log" >&2
    exit 1
fi
test -f "$HOME/.config/Local AppWizard-Generated Applications/Tarnel.ini" || {
    echo "no settings were written at exit" >&2
    exit 1
}
echo "smoke test passed"
