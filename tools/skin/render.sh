#!/usr/bin/env bash
# Renders the default skin: writes the SVG sources into assets/skin/src (make_svg.py),
# then turns each into assets/skin/<name>.png at its exact size, as 8-bit RGBA or, for
# the opaque images, 8-bit RGB, without gamma or other colour chunks.
# Needs the "Art tools" packages of packages.txt; the normal build does not run this.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
# The Debian tools, whatever else the PATH holds.
export PATH=/usr/bin:/bin:$PATH

src=$root/assets/skin/src
out=$root/assets/skin
rm -f "$src"/*.svg
python3 "$here/make_svg.py" "$src"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
python3 "$here/make_svg.py" --table | while read -r name width height format colour; do
  rsvg-convert --width "$width" --height "$height" --format png \
    --output "$tmp/$name.png" "$src/$name.svg"
  case $format in
    RGBA) kind=PNG32 ;;
    RGB) kind=PNG24 ;;
    *) echo "$name: unknown format $format" >&2; exit 1 ;;
  esac
  recolour=()
  [ -n "$colour" ] && recolour=(-channel RGB -fill "$colour" -colorize 100 +channel)
  convert "$tmp/$name.png" "${recolour[@]}" -strip -define png:exclude-chunks=all \
    "$kind:$out/$name.png"
  size=$(identify -format '%wx%h' "$out/$name.png")
  if [ "$size" != "${width}x${height}" ]; then
    echo "$name: rendered $size, wanted ${width}x${height}" >&2
    exit 1
  fi
done
echo "rendered $(ls "$out"/*.png | wc -l) images into $out"
