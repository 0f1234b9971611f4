#!/usr/bin/env bash
# Draws the program's icon (app/fenlow.ico) and its hand pointer
# (app/HAND-M.CUR) with ImageMagick. Both results are committed; run this
# again only to change them.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The icon: a clipboard with a sheet of text lines, drawn at 256 px and
# scaled down for the smaller sizes Windows asks for.
convert -size 256x256 xc:none \
  -fill '#1f5f73' -draw 'roundrectangle 28,28 228,244 22,22' \
  -fill '#ffffff' -draw 'roundrectangle 52,60 204,224 8,8' \
  -fill '#c9d6db' \
  -draw 'rectangle 72,96 184,108' -draw 'rectangle 72,124 184,136' \
  -draw 'rectangle 72,152 160,164' -draw 'rectangle 72,180 172,192' \
  -fill '#f2b33d' -draw 'roundrectangle 88,12 168,60 12,12' \
  -fill '#1f5f73' -draw 'roundrectangle 112,22 144,38 6,6' \
  "$work/icon.png"
convert "$work/icon.png" -define icon:auto-resize=256,48,32,24,16 app/fenlow.ico

# The hand pointer, 32x32: white hand, black outline, index finger up. Its
# hot spot is the fingertip.
hot_x=11
hot_y=1
convert -size 32x32 xc:none -stroke black -strokewidth 1 -fill white \
  -draw 'roundrectangle 9,1 13,17 2,2' \
  -draw 'roundrectangle 13,10 17,19 2,2' \
  -draw 'roundrectangle 17,11 21,20 2,2' \
  -draw 'roundrectangle 21,12 25,21 2,2' \
  -draw 'polygon 9,14 4,12 2,14 8,24 9,30 23,30 25,24 25,18 9,18' \
  -stroke none -draw 'rectangle 10,15 24,22' \
  "$work/hand.png"
convert "$work/hand.png" "$work/hand.cur"
# A cursor's directory entry carries the hot spot where an icon's carries
# planes and bit count (bytes 10-13 of the file).
python3 - "$work/hand.cur" app/HAND-M.CUR "$hot_x" "$hot_y" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], "rb").read())
reserved, kind, count = struct.unpack_from("<HHH", data, 0)
assert reserved == 0 and count == 1, "expected a single-image file"
struct.pack_into("<H", data, 2, 2)  # type 2: cursor
struct.pack_into("<HH", data, 10, int(sys.argv[3]), int(sys.argv[4]))
open(sys.argv[2], "wb").write(data)
PY
echo "wrote app/fenlow.ico and app/HAND-M.CUR"
