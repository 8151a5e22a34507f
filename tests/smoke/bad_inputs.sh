#!/usr/bin/env bash
# The bad-input matrix: every asset file broken six ways must end start-up with exit code 1, at once, naming it.
# SPDX-FileCopyrightText: 2026 Tumblewing developers
# SPDX-License-Identifier: MIT
#
# usage: bad_inputs.sh TUMBLEWING ASSETS [FILE...]
#
# Each FILE (default: every file in ASSETS, not its captions folder) is, in a fresh copy of the
# folder, in turn
#   missing     not there at all
#   empty       there with no bytes
#   cut         its first 100 bytes only
#   random      as many random bytes as the real file has (seeded by its name)
#   directory   a directory under its name
#   other       a valid file of the other kind: a picture where a clip belongs and a clip where a picture belongs
# and a few more rows follow the table: a FIFO and a device under a clip's
# and a picture's name, two WAV files under a clip's name (a header and no
# samples; a header promising more samples than follow), and the clip rows
# once more with no audio device.
# Every case must exit with 1 within 10 s, not by a signal, with nothing on
# stdout and a line 'Failed to load "FILE" (...)' on stderr. Cases run two at
# a time (BAD_INPUT_JOBS) against one X display;
# run it inside one (ctest wraps it in xvfb-run -noreset). With
# ASAN_OPTIONS=exitcode=99 it also runs a sanitizer build: 1 still means a
# failed load.
set -euo pipefail

game=$(realpath "$1")
assets=$(realpath "$2")
shift 2
jobs=${BAD_INPUT_JOBS:-2}
limit=10 # seconds

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

files=("$@")
if ((${#files[@]} == 0)); then
    mapfile -t files < <(cd "$assets" && find . -maxdepth 1 -type f -printf '%f\n' | sort)  # not captions/
fi
kinds=(missing empty cut random directory other)

clips=() pictures=()
for f in "${files[@]}"; do
    if [[ $f == *.ogg ]]; then clips+=("$f"); else pictures+=("$f"); fi
done
# Stand-ins of the other kind: the first clip and the first picture of the folder.
a_clip=$(cd "$assets" && ls -- *.ogg | head -n 1)
a_picture=$(cd "$assets" && ls -- *.png | head -n 1)

# Random bytes, the same in every run.
mkdir "$work/random"
python3 - "$assets" "$work/random" "${files[@]}" <<'EOF'
import os, random, sys
src, dst, names = sys.argv[1], sys.argv[2], sys.argv[3:]
for name in names:
    size = os.path.getsize(os.path.join(src, name))
    with open(os.path.join(dst, name), "wb") as f:
        f.write(random.Random(name).randbytes(size))
EOF

# The table: FILE KIND AUDIO, one case a line. AUDIO is the OpenAL Soft
# driver: null plays into nothing, none names no driver, so no device opens.
rows=()
for f in "${files[@]}"; do
    for k in "${kinds[@]}"; do rows+=("$f $k null"); done
done
matrix=${#rows[@]}
for f in "${clips[0]:-}" "${pictures[0]:-}"; do
    [[ -n $f ]] && rows+=("$f fifo null" "$f device null")
done
((${#clips[@]} > 0)) && rows+=("${clips[0]} wav-header null" "${clips[0]} wav-short null")
# A mono 16-bit WAV file whose header promises $1 samples, followed by $2 of them.
wav() {
    python3 - "$1" "$2" <<'EOF'
import struct, sys
promised, held = int(sys.argv[1]), int(sys.argv[2])
header = b"RIFF" + struct.pack("<I", 36 + 2 * promised) + b"WAVEfmt " + struct.pack("<IHHIIHH", 16, 1, 1, 22050, 44100, 2, 16)
sys.stdout.buffer.write(header + b"data" + struct.pack("<I", 2 * promised) + b"\x00\x01" * held)
EOF
}
wav 0 0 >"$work/header.wav"
wav 100000 10 >"$work/short.wav"

silent=()
((${#clips[@]} > 0)) && silent+=("${clips[0]}")
((${#clips[@]} > 1)) && silent+=("${clips[-1]}")
for f in "${silent[@]}"; do
    for k in "${kinds[@]}"; do rows+=("$f $k none"); done
done

# Puts the broken FILE into the case folder DIR.
break_file() {
    local dir=$1 file=$2 kind=$3
    rm "$dir/$file"
    case $kind in
    missing) ;;
    empty) : >"$dir/$file" ;;
    cut) head -c 100 "$assets/$file" >"$dir/$file" ;;
    random) cp "$work/random/$file" "$dir/$file" ;;
    directory) mkdir "$dir/$file" ;;
    other)
        if [[ $file == *.ogg ]]; then ln -s "$assets/$a_picture" "$dir/$file"; else ln -s "$assets/$a_clip" "$dir/$file"; fi
        ;;
    fifo) mkfifo "$dir/$file" ;;
    device) ln -s /dev/zero "$dir/$file" ;;
    wav-header) cp "$work/header.wav" "$dir/$file" ;;
    wav-short) cp "$work/short.wav" "$dir/$file" ;;
    *) echo "unknown kind $kind" >&2; exit 2 ;;
    esac
}

# Runs case N and writes its verdict to $work/N.verdict: "ok SECONDS" or what went wrong.
run_case() {
    local n=$1 file=$2 kind=$3 audio=$4
    local dir=$work/case$n
    mkdir "$dir"
    ln -s "$assets"/* "$dir/"
    break_file "$dir" "$file" "$kind"
    local start=$EPOCHREALTIME rc=0
    (cd "$dir" && ALSOFT_DRIVERS=$audio exec timeout -k 2 "$limit" "$game") >"$dir.out" 2>"$dir.err" || rc=$?
    local seconds
    seconds=$(echo "$EPOCHREALTIME - $start" | bc)
    local verdict="ok $seconds"
    if ((rc == 124 || rc == 137)); then
        verdict="still running after $limit s"
    elif ((rc > 128)); then
        verdict="killed by signal $((rc - 128))"
    elif ((rc != 1)); then
        verdict="exit code $rc, expected 1"
    elif [[ -s $dir.out ]]; then
        verdict="printed to stdout: $(head -c 200 "$dir.out")"
    elif ! grep -qF "Failed to load \"$file\" (" "$dir.err"; then
        verdict="the file was not named"
    fi
    if [[ $verdict != ok* ]]; then
        verdict="$verdict; stderr: $(tail -n 3 "$dir.err" | tr '\n' '|')"
    fi
    echo "$verdict" >"$work/$n.verdict"
    rm -rf "$dir"
}

started=$EPOCHREALTIME
for n in "${!rows[@]}"; do
    while (($(jobs -rp | wc -l) >= jobs)); do wait -n || true; done
    # shellcheck disable=SC2086  # a row is three words
    run_case "$n" ${rows[$n]} &
done
wait

failed=0 slowest=0 slowest_case=
for n in "${!rows[@]}"; do
    read -r verdict seconds rest <"$work/$n.verdict" || true
    if [[ $verdict == ok ]]; then
        if (($(echo "$seconds > $slowest" | bc))); then slowest=$seconds slowest_case=${rows[$n]}; fi
    else
        echo "FAIL: ${rows[$n]}: $verdict $seconds $rest" >&2
        failed=$((failed + 1))
    fi
done
wall=$(echo "$EPOCHREALTIME - $started" | bc)
printf '%d cases (%d files x %d kinds, %d more): %d failed; slowest %.2f s (%s); %.1f s in all, %d at a time\n' \
    "${#rows[@]}" "${#files[@]}" "${#kinds[@]}" "$((${#rows[@]} - matrix))" "$failed" "$slowest" "$slowest_case" "$wall" "$jobs"
((failed == 0))
