#!/usr/bin/env bash
# Builds the menu icon from tools/assets/icon/: the SVG and PNGs at 16 to 256 px, laid out as in the hicolor theme.
# SPDX-FileCopyrightText: 2026 Tumblewing developers
# SPDX-License-Identifier: MIT
# Usage: tools/assets/make-icon.sh OUTDIR     (writes OUTDIR/hicolor/SIZE/apps/ID.svg|png)
# Needs: python3, rsvg-convert (librsvg2-bin), optipng.
# Deterministic: the same sources give byte-identical files.
set -euo pipefail

if [[ $# -ne 1 ]]; then
    echo "usage: $0 OUTDIR" >&2
    exit 2
fi

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
id=org.tumblewing.Tumblewing
mkdir -p "$1"
out="$(cd "$1" && pwd)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export LC_ALL=C TZ=UTC SOURCE_DATE_EPOCH=0

# The icon draws Kestra from her own picture, so it is assembled with the pictures' palette and parts.
python3 "$here/pictures/lib/assemble.py" "$here/pictures" "$work" "$here/icon/$id.svg"

rm -rf "$out/hicolor"
mkdir -p "$out/hicolor/scalable/apps"
cp "$work/$id.svg" "$out/hicolor/scalable/apps/$id.svg"
for size in 16 32 48 64 128 256; do
    dir="$out/hicolor/${size}x${size}/apps"
    mkdir -p "$dir"
    rsvg-convert -w "$size" -h "$size" -f png -o "$work/$size.png" "$work/$id.svg"
    optipng -quiet -strip all -o2 -out "$dir/$id.png" "$work/$size.png"
done
echo "made the icon (SVG and 6 PNGs) in $out/hicolor"
