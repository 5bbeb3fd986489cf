#!/bin/sh
# Runs a validator over an installed file and fails on anything worse than a hint.
# usage: validate_test.sh desktop|metainfo|man FILE
set -u
kind=$1
file=$2
[ -s "$file" ] || { echo "no file $file (did the staging install run?)" >&2; exit 1; }
log=$(mktemp)
trap 'rm -f "$log"' EXIT
case $kind in
desktop)
    # Hints (a second main category, which desktop menus allow) are not faults.
    desktop-file-validate "$file" >"$log" 2>&1
    status=$?
    if [ "$status" -ne 0 ] || grep -v ': hint: ' "$log" | grep -q .; then status=1; fi ;;
metainfo)
    appstreamcli validate --no-net --explain "$file" >"$log" 2>&1
    status=$? ;;
man)
    # man hands -ww to groff: every formatting warning goes to standard error.
    MANWIDTH=80 man --warnings -E UTF-8 -l "$file" 2>"$log" >/dev/null
    status=$?
    [ -s "$log" ] && status=1 ;;
*)
    echo "unknown kind $kind" >&2
    exit 2 ;;
esac
if [ "$status" -ne 0 ]; then
    echo "$kind check of $file failed:" >&2
    cat "$log" >&2
    exit 1
fi
echo "$kind check of $file: clean"
