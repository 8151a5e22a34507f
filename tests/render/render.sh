#!/usr/bin/env bash
# Draws the golden moments again with tumblewing-replay and compares each with its golden picture.
# SPDX-FileCopyrightText: 2026 Tumblewing developers
# SPDX-License-Identifier: MIT
#
# usage: render.sh REPLAY ROOT OUTDIR [--update]
#   REPLAY    the tumblewing-replay executable
#   ROOT      the source tree (tests/golden/moments.txt, tests/inputs/, assets/)
#   OUTDIR    where the new frames and, on a difference, the difference pictures go
#   --update  write the new frames over the golden pictures instead (tools/render-goldens)
# Must run inside an X display (ctest wraps it in xvfb-run).
set -euo pipefail
replay=$(realpath "$1")
root=$(realpath "$2")
out=$(realpath -m "$3")
update=${4:-}
golden="$root/tests/golden"
rm -rf "$out"
mkdir -p "$out"

# A pixel counts as changed when a channel moves by more than 1%: GL
# rounding may differ by a step, a misplaced or mis-faded picture by far more.
fuzz=1%
failed=0
moments=$(grep -v '^#' "$golden/moments.txt" | grep .)
for recording in $(awk '{print $2}' <<<"$moments" | sort -u); do
    frames=$(awk -v r="$recording" '$2 == r {print $3}' <<<"$moments" | paste -sd,)
    mkdir -p "$out/$recording"
    "$replay" "$root/tests/inputs/$recording" --assets "$root/assets" --out "$out/$recording" --frames "$frames" \
        --until "$(tr , '\n' <<<"$frames" | sort -n | tail -1)"
    while read -r name rec frame; do
        [[ $rec == "$recording" ]] || continue
        drawn=$(printf '%s/%s/frame-%05d.png' "$out" "$recording" "$frame")
        if [[ $update == --update ]]; then
            rm -f "$golden/$name.png"  # optipng would keep the old one as a .bak
            optipng -quiet -o1 -strip all "$drawn" -out "$golden/$name.png"
            echo "tests/golden/$name.png ($recording frame $frame)"
            continue
        fi
        changed=$(compare -metric AE -fuzz "$fuzz" "$golden/$name.png" "$drawn" "$out/$name-difference.png" 2>&1 || true)
        if [[ $changed == 0 ]]; then
            echo "same: $name ($recording frame $frame)"
        else
            echo "DIFFERENT: $name ($recording frame $frame): $changed pixels changed; see $out/$name-difference.png" >&2
            failed=1
        fi
    done <<<"$moments"
done
exit $failed
