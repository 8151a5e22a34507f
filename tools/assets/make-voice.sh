#!/usr/bin/env bash
# Builds Tumblewing's fifteen narration clips (Ogg Vorbis) from narration/script.txt with Festival, sox and oggenc.
# SPDX-FileCopyrightText: 2026 Tumblewing developers
# SPDX-License-Identifier: MIT
#
# Usage: tools/assets/make-voice.sh OUTDIR [TIMINGS]
#
# With TIMINGS it also writes, for each clip, where in the clip each of its
# sentences starts, as Festival reports it while it speaks the line (one line
# a clip: NAME LENGTH, then per sentence START:WORDS with the words joined by
# '_'). The captions are cut from it (make-captions.sh).
#
# Every step is repeatable: Festival's HTS voice has no randomness, sox runs
# with -R (fixed dither seed) and oggenc gets a fixed serial number per clip,
# so two runs give byte-identical files.
set -euo pipefail

if [[ $# -lt 1 || $# -gt 2 ]]; then
    echo "usage: $0 OUTDIR [TIMINGS]" >&2
    exit 2
fi

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
narration="$here/narration"
script="$narration/script.txt"
lexicon="$narration/lexicon.scm"
voice="$narration/voice.scm"
sentences="$narration/sentences.scm"

mkdir -p "$1"
outdir="$(cd "$1" && pwd)"
timings=${2:-}
[[ -z $timings ]] || : >"$timings"

for tool in text2wave sox oggenc; do
    command -v "$tool" >/dev/null || { echo "$0: missing tool: $tool" >&2; exit 1; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Output format and encoder settings for every clip.
rate=22050
pad=0.15        # seconds of silence at each end
quality=4       # oggenc -q
serial_base=7300

count=0
while IFS=$'\t' read -r name line || [[ -n "${name:-}" ]]; do
    # Blank lines and '#' comments are not clips.
    [[ -z "$name" || "$name" == \#* ]] && continue
    if [[ "$name" != *.ogg || -z "${line:-}" ]]; then
        echo "$0: bad script line for '$name'" >&2
        exit 1
    fi
    count=$((count + 1))
    base="${name%.ogg}"

    printf '%s\n' "$line" > "$work/$base.txt"
    # The sentence hook only listens: the speech is the same with or without it.
    text2wave -eval "$voice" -eval "$lexicon" \
        -eval "(set! sentence_log \"$work/$base.sentences\")" -eval "$sentences" \
        -o "$work/$base.raw.wav" "$work/$base.txt"

    # Mono, resampled, leading/trailing silence trimmed, peak-normalised,
    # then a short fixed pause at each end.
    sox -R "$work/$base.raw.wav" -b 16 "$work/$base.wav" \
        remix - \
        silence 1 0.02 0.2% reverse silence 1 0.02 0.2% reverse \
        rate -v "$rate" \
        norm -1 \
        pad "$pad" "$pad"

    oggenc -Q -q "$quality" -s "$((serial_base + count))" \
        -o "$outdir/$name" "$work/$base.wav"
    length=$(soxi -D "$outdir/$name")
    echo "$name: $length s"

    if [[ -n $timings ]]; then
        # A sentence starts in the clip where Festival began it, moved by what
        # sox did before it: the leading silence cut, the pause added.
        sox "$work/$base.raw.wav" "$work/$base.lead.wav" remix - silence 1 0.02 0.2%
        lead=$(echo "$(soxi -D "$work/$base.raw.wav") - $(soxi -D "$work/$base.lead.wav")" | bc -l)
        awk -v name="$name" -v len="$length" -v lead="$lead" -v pad="$pad" '
            BEGIN { printf "%s %.3f", name, len }
            {
                start = at == 0 ? 0 : pad + at / $2 - lead
                if (start < 0) start = 0
                words = $3
                for (i = 4; i <= NF; i++) words = words "_" $i
                printf " %.3f:%s", start, words
                at += $1
            }
            END { printf "\n" }' "$work/$base.sentences" >>"$timings"
    fi
done < "$script"

if [[ $count -ne 15 ]]; then
    echo "$0: expected 15 clips in $script, found $count" >&2
    exit 1
fi
