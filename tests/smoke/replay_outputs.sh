#!/usr/bin/env bash
# The replay host's outputs: each row's arguments, the exit status they must give and what stderr must say.
# SPDX-FileCopyrightText: 2026 Tumblewing developers
# SPDX-License-Identifier: MIT
#
# usage: replay_outputs.sh REPLAY ASSETS
# Must run inside an X display (ctest wraps it in xvfb-run). Every row runs
# in a fresh folder holding a five-frame recording, short.keys, whose
# arrow press lifts the curtain in frame 3, so the first clip starts in frame 4.
set -euo pipefail
replay=$(realpath "$1")
assets=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# STATUS | ARGUMENTS (after the recording) | PREPARE (run first in the folder) | STDERR HOLDS | THEN TRUE
rows=(
    "0 | --out made/here --frames 2 | : | | test -s made/here/frame-00002.png && test -s made/here/clips.txt"
    "4 | --out out | mkdir out && ln -s /dev/full out/clips.txt | cannot write out/clips.txt | :"
    "4 | --out out --frames 1 | mkdir -p out/frame-00001.png | cannot write out/frame-00001.png | :"
    "4 | --out taken | touch taken | cannot make the folder taken | :"
    "2 | --frames 5,6 | : | frame 6 comes after the last frame played, 5 | test ! -e clips.txt"
    "0 | --until 7 --frames 6-7 | : | | test -s frame-00007.png"
    "2 | --frame-seconds 0.0001 | : | usage | :"
    "2 | --frame-seconds 2 | : | usage | :"
    "2 | --until 10000001 | : | usage | :"
    "2 | --assets nowhere | : | no folder nowhere | :"
    "2 | | echo 'end 2147483647' >>short.keys | end takes one number | :"
    "2 | | echo '6 press Up' >>short.keys | an event after the end | :"
)

trim() {
    local s=${1#"${1%%[![:space:]]*}"}
    printf '%s' "${s%"${s##*[![:space:]]}"}"
}

failed=0
for n in "${!rows[@]}"; do
    IFS='|' read -r status args prepare says after <<<"${rows[$n]}"
    status=$(trim "$status") says=$(trim "$says")
    dir=$work/row$n
    mkdir "$dir"
    printf 'seed 3\n2 press Up\nend 5\n' >"$dir/short.keys"
    rc=0
    # shellcheck disable=SC2086  # the arguments are words
    (cd "$dir" && eval "$prepare" && exec "$replay" short.keys --assets "$assets" $args) >"$dir.out" 2>"$dir.err" ||
        rc=$?
    problem=
    if ((rc != status)); then
        problem="exit $rc, expected $status"
    elif [[ -n $says ]] && ! grep -qF -- "$says" "$dir.err"; then
        problem="stderr does not say '$says'"
    elif ! (cd "$dir" && eval "$after"); then
        problem="afterwards not: $after"
    fi
    if [[ -n $problem ]]; then
        echo "FAIL: row $((n + 1)) (${rows[$n]}): $problem; stderr: $(tail -n 3 "$dir.err" | tr '\n' '|')" >&2
        failed=$((failed + 1))
    fi
done
echo "${#rows[@]} rows, $failed failed"
((failed == 0))
