#!/usr/bin/env bash
# Builds the caption pictures and their timing table from the narration script and where each sentence is spoken.
# SPDX-FileCopyrightText: 2026 Tumblewing developers
# SPDX-License-Identifier: MIT
#
# Usage: tools/assets/make-captions.sh OUTDIR TIMINGS
#   TIMINGS  the sentence starts make-voice.sh wrote while it made the clips
# Writes OUTDIR/captions/: one PNG per caption (light DejaVu Sans text on a
# translucent dark band, as wide as the window) and captions.txt, which says
# when each shows. Needs python3, rsvg-convert, optipng, ImageMagick's convert
# (to measure the text) and fonts-dejavu-core. Deterministic, like the other
# pictures.
set -euo pipefail

if [[ $# -ne 2 ]]; then
    echo "usage: $0 OUTDIR TIMINGS" >&2
    exit 2
fi

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
mkdir -p "$1/captions"
out="$(cd "$1/captions" && pwd)"
timings=$2

for tool in python3 rsvg-convert optipng convert; do
    command -v "$tool" >/dev/null || { echo "$0: $tool is missing" >&2; exit 1; }
done
if [[ "$(fc-match -f '%{family[0]}' 'DejaVu Sans' 2>/dev/null || true)" != "DejaVu Sans" ]]; then
    echo "$0: warning: DejaVu Sans not found (fonts-dejavu-core); the captions will differ" >&2
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export LC_ALL=C TZ=UTC SOURCE_DATE_EPOCH=0

rm -f "$out"/*.png "$out/captions.txt"
python3 "$here/captions/cut.py" "$here/narration/script.txt" "$timings" "$work" "$out/captions.txt"

widest=760  # the window less a margin of 20 px at each side
count=0
for svg in "$work"/*.text.svg; do
    name=$(basename "$svg" .text.svg)
    rsvg-convert -f png -o "$work/$name.text.png" "$svg"
    width=$(convert "$work/$name.text.png" -format '%@' info: | cut -dx -f1)
    if ((width > widest)); then
        echo "$0: $name: the text is $width px wide, more than $widest; shorten the line" >&2
        exit 1
    fi
    rsvg-convert -f png -o "$work/$name.raw.png" "$work/$name.svg"
    optipng -quiet -strip all -o2 -out "$out/$name.png" "$work/$name.raw.png"
    count=$((count + 1))
done
echo "made $count captions in $out"
