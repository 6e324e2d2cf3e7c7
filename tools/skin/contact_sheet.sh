#!/usr/bin/env bash
# contact_sheet.sh OUT.png [SCALE]: every image of assets/skin on a grey ground with its
# name, magnified SCALE times (default 2) without smoothing so single pixels show; the
# 800 x 600 background is shown at a quarter. For looking at the art, not for the build.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
skin=$(cd "$here/../../assets/skin" && pwd)
export PATH=/usr/bin:/bin:$PATH
out=${1:?usage: contact_sheet.sh OUT.png [SCALE]}
scale=${2:-2}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
i=0
python3 "$here/make_svg.py" --table | while read -r name width height _; do
  factor=$((scale * 100))
  [ "$width" -gt 200 ] && factor=25
  [ "$width" -le 21 ] && [ "$height" -le 21 ] && factor=$((factor * 2))
  convert "$skin/$name.png" -filter point -resize "${factor}%" \
    -set label "$name" "PNG32:$tmp/$(printf %02d $i).png"
  i=$((i + 1))
done
montage "$tmp"/*.png -background '#8c8c8c' -fill '#000000' -font DejaVu-Sans -pointsize 10 \
  -tile 5x -geometry '300x150>+4+4' "$out"
echo "wrote $out"
