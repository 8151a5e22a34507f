#!/usr/bin/env bash
# Live pacing: plays the winning recording in the real window, paced by the game's deadlines and by SFML's limiter.
# SPDX-FileCopyrightText: 2026 Tumblewing developers
# SPDX-License-Identifier: MIT
#
# usage: bench/live-pacing.sh BUILD [SECONDS]
#   BUILD     a build tree holding bench/live_pacing (e.g. build/test)
#   SECONDS   how long each run plays (default 60)
# Each run gets a virtual display of its own and a silent sound backend, and
# prints the mean frame rate and the median, 99th-percentile and longest
# frame intervals over the whole run (the first shown frame to the last),
# and the mean rate between stalls: intervals over two frames left out, as
# on a busy machine they measure the machine, not the pacing.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build=$(realpath "$1")
seconds=${2:-60}
export ALSOFT_DRIVERS=null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

stats() {
    awk 'NR > 1 { printf "%.6f\n", ($1 - last) * 1000 } { last = $1 }' "$1" | sort -n >"$work/intervals"
    awk -v first="$(head -n 1 "$1")" -v last="$(tail -n 1 "$1")" '
        { v[NR] = $1 }
        $1 <= 2000 / 60 { steady += $1; m++ }
        END {
            n = NR
            printf "%6d frames  mean %.3f fps  median %.2f ms  p99 %.2f ms  longest %.2f ms  between stalls %.3f fps\n",
                n + 1, n / (last - first), v[int(n * 0.5) + 1], v[int(n * 0.99) + 1], v[n], m * 1000 / steady
        }' "$work/intervals"
}

for pacing in deadlines sfml-limiter; do
    flag=()
    [[ $pacing == sfml-limiter ]] && flag=(--sfml-limiter)
    (cd "$root/assets" && xvfb-run -a -s "-noreset -screen 0 1280x1024x24" \
        "$build/bench/live_pacing" "${flag[@]}" "$seconds" "$work/$pacing.log" "$root/tests/inputs/win.keys")
    printf '%-13s ' "$pacing"
    stats "$work/$pacing.log"
done
