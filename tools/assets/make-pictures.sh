#!/usr/bin/env bash
# Builds Tumblewing's 32 pictures from the SVG sources in tools/assets/pictures/.
# SPDX-FileCopyrightText: 2026 Tumblewing developers
# SPDX-License-Identifier: MIT
# Usage: tools/assets/make-pictures.sh OUTDIR
# Needs: python3, rsvg-convert (librsvg2-bin), optipng, cjpeg (libjpeg-turbo-progs),
#        ImageMagick's convert (only for the one JPEG), fonts-dejavu-core.
# Deterministic: the same sources give byte-identical files.
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 OUTDIR" >&2
  exit 2
fi

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
src="$here/pictures"
mkdir -p "$1"
out="$(cd "$1" && pwd)"

for tool in python3 rsvg-convert optipng cjpeg; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is missing" >&2; exit 1; }
done
magick=/usr/bin/convert
[ -x "$magick" ] || magick="$(command -v convert)"

if [ "$(fc-match -f '%{family[0]}' 'DejaVu Sans:bold' 2>/dev/null || true)" != "DejaVu Sans" ]; then
  echo "$0: warning: DejaVu Sans not found (fonts-dejavu-core); text pictures will differ" >&2
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export LC_ALL=C TZ=UTC SOURCE_DATE_EPOCH=0

python3 "$src/lib/assemble.py" "$src" "$work/svg"

pngs=(
  BLACK WHITE GRAY Void youwin youlose liveskestra livesvexmor
  arrowup arrowright arrowdown arrowleft enter Kestracute Kestracuteflip
  trainingcolumn Nightdartbest BestGriffin Column newcolumn Nightdart Kestra
  kitchinsink Vexmorbest Vexmorbestside Nimbarabest Thornmerebest
  candynimbarabest ordinarycloudbest candycloudbest lightningcloudbest
)

for name in "${pngs[@]}"; do
  rsvg-convert -f png -o "$work/$name.raw.png" "$work/svg/$name.svg"
  rm -f "$out/$name.png"
  optipng -quiet -strip all -o2 -out "$out/$name.png" "$work/$name.raw.png"
done

# The one JPEG: opaque, flattened on black, no metadata.
rsvg-convert -f png -o "$work/enemy.raw.png" "$work/svg/enemy.svg"
"$magick" "$work/enemy.raw.png" -background black -alpha remove -alpha off -strip -depth 8 "ppm:$work/enemy.ppm"
cjpeg -quality 92 -optimize -outfile "$out/enemy.jpg" "$work/enemy.ppm"

echo "made $(( ${#pngs[@]} + 1 )) pictures in $out"
