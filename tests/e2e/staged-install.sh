#!/usr/bin/env bash
# `cmake --install` into a temporary DESTDIR puts everything in its place.
# Usage: staged-install.sh BUILD_DIR
set -euo pipefail
build=$1
stage=$(mktemp -d /tmp/pestrol-stage.XXXXXX)
trap 'rm -rf "$stage"' EXIT

DESTDIR=$stage cmake --install "$build" --prefix /usr/local >"$stage.log"
cat "$stage.log"; rm -f "$stage.log"
fail() { echo "FAIL: $*" >&2; exit 1; }

[ -x "$stage/usr/local/bin/pestrol" ] || fail "no program in bin"
[ -f "$stage/usr/local/share/applications/pestrol.desktop" ] || fail "no menu entry"
for size in 16 24 32 48 64 128 256; do
    icon=$stage/usr/local/share/icons/hicolor/${size}x${size}/apps/pestrol.png
    [ -f "$icon" ] || fail "no ${size}px icon"
    file "$icon" | grep -q "$size x $size" || fail "the ${size}px icon is $(file -b "$icon")"
done
folder=$stage/var/lib/VESK
[ -d "$folder" ] || fail "no results folder"
[ "$(stat -c %a "$folder")" = 2775 ] || fail "the results folder has mode $(stat -c %a "$folder")"
if [ "$(id -u)" -eq 0 ]; then
    [ "$(stat -c %G "$folder")" = users ] || fail "the results folder belongs to $(stat -c %G "$folder")"
fi
# The program needs nothing from the build tree.
if readelf -d "$stage/usr/local/bin/pestrol" | grep -q -E 'RPATH|RUNPATH'; then
    fail "the installed program still has a run path"
fi
echo "PASS"
