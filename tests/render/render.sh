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
# One replay per recording and options.
while read -r recording options; do
    frames=$(awk -v r="$recording" -v o="$options" '$2 == r && $4 == o {print $3}' <<<"$moments" | paste -sd,)
    drawn_in="$out/$recording$options"
    mkdir -p "$drawn_in"
    # shellcheck disable=SC2086  # the options are words
    "$replay" "$root/tests/inputs/$recording" --assets "$root/assets" --out "$drawn_in" --frames "$frames" \
        --until "$(tr , '\n' <<<"$frames" | sort -n | tail -1)" $options </dev/null
    while read -r name rec frame opts; do
        [[ $rec == "$recording" && $opts == "$options" ]] || continue
        drawn=$(printf '%s/frame-%05d.png' "$drawn_in" "$frame")
        if [[ $update == --update ]]; then
            rm -f "$golden/$name.png"  # optipng would keep the old one as a .bak
            optipng -quiet -o1 -strip all "$drawn" -out "$golden/$name.png"
            echo "tests/golden/$name.png ($recording frame $frame${options:+ $options})"
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
done < <(awk '{print $2, $4}' <<<"$moments" | sort -u)
exit $failed
