#!/bin/sh
# Installs the build into a staging folder as the Debian package does (prefix /usr) and checks
# that every file a desktop install needs is there.
set -u
build=$1
stage=$2
app_id=$3
rm -rf "$stage"
if ! DESTDIR="$stage" cmake --install "$build" --prefix /usr >"$stage.log" 2>&1; then
    echo "cmake --install into $stage failed:" >&2
    cat "$stage.log" >&2
    exit 1
fi
missing=0
expect() {
    for f in "$@"; do
        [ -s "$stage/usr/$f" ] || { echo "missing or empty: /usr/$f" >&2; missing=1; }
    done
}
expect bin/tarnel bin/tarnel-check \
    "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml" \
    "share/icons/hicolor/scalable/apps/$app_id.svg" \
    share/man/man1/tarnel.1.gz share/man/man1/tarnel-check.1.gz \
    share/tarnel/tarnel.xml share/tarnel/tips.txt \
    share/doc/tarnel/copyright share/doc/tarnel/changelog.gz
for size in 16 22 24 32 48 64 128 256; do
    png="$stage/usr/share/icons/hicolor/${size}x$size/apps/$app_id.png"
    expect "share/icons/hicolor/${size}x$size/apps/$app_id.png"
    # The PNG header holds width and height as big-endian words at bytes 16 and 20.
    if [ -s "$png" ]; then
        dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
        [ "$dims" = "${size}x$size" ] || { echo "$png is $dims, not ${size}x$size" >&2; missing=1; }
    fi
done
for program in tarnel-check tarnel; do
    [ -x "$stage/usr/bin/$program" ] || { echo "/usr/bin/$program is not executable" >&2; missing=1; }
done
out=$(QT_QPA_PLATFORM=offscreen "$stage/usr/bin/tarnel-check" --version 2>&1) ||
    { echo "tarnel-check --version failed: $out" >&2; missing=1; }
[ "$missing" = 0 ] && echo "all files installed under $stage"
exit $missing
