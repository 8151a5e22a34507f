#!/usr/bin/env python3
# Cuts the narration script into captions: one SVG per caption and the table of when each shows (standard library only).
# SPDX-FileCopyrightText: 2026 Tumblewing developers
# SPDX-License-Identifier: MIT
"""Usage: cut.py SCRIPT TIMINGS SVGDIR TABLE

SCRIPT   the narration script (clip file, a tab, the line spoken)
TIMINGS  where each sentence of each clip starts, from make-voice.sh
SVGDIR   gets NAME-N.svg (the caption: band and text) and NAME-N.text.svg
         (the text alone, to measure its width) for the N-th caption of a clip
TABLE    gets one row per caption: CLIP FROM UNTIL PICTURE, seconds into the clip

A caption is as many whole sentences as fit in two lines; it shows from the
moment its first sentence starts until the next caption's does, the last one
until the clip ends.
"""
import os
import re
import sys
from xml.sax.saxutils import escape

WIDTH = 800          # the window's width: a band across the bottom
FONT_SIZE = 30       # pixels, in the 800x600 scene
LINE_HEIGHT = 38
PADDING = 10         # above the first and below the last line
MOST_CHARACTERS = 46 # on one line; make-captions.sh measures the real width
MOST_LINES = 2
BAND = "#000000"
BAND_OPACITY = "0.8"
TEXT = "#fff8e0"


def wrap(text):
    """One line if it fits, else two as even as can be, else as many as it takes."""
    words = text.split()
    if len(text) <= MOST_CHARACTERS:
        return [text]
    splits = [(" ".join(words[:i]), " ".join(words[i:])) for i in range(1, len(words))]
    splits = [s for s in splits if max(map(len, s)) <= MOST_CHARACTERS]
    if splits:
        return list(min(splits, key=lambda s: max(map(len, s))))
    lines, line = [], ""
    for word in words:
        candidate = word if not line else line + " " + word
        if len(candidate) <= MOST_CHARACTERS or not line:
            line = candidate
        else:
            lines.append(line)
            line = word
    return lines + [line]


def words(text):
    return [w.lower() for w in re.findall(r"[A-Za-z0-9']+", text)]


def svg(lines, with_band):
    height = 2 * PADDING + LINE_HEIGHT * len(lines)
    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
           % (WIDTH, height, WIDTH, height)]
    if with_band:
        out.append('<rect width="%d" height="%d" fill="%s" fill-opacity="%s"/>' % (WIDTH, height, BAND, BAND_OPACITY))
    # Each line's baseline sits a font's descent above the bottom of its slot.
    for i, line in enumerate(lines):
        baseline = PADDING + LINE_HEIGHT * (i + 1) - 9
        out.append('<text x="%d" y="%d" text-anchor="middle" font-family="DejaVu Sans" font-size="%d" fill="%s">%s</text>'
                   % (WIDTH // 2, baseline, FONT_SIZE, TEXT, escape(line)))
    out.append("</svg>\n")
    return "\n".join(out)


def main(script, timings, svgdir, table):
    spoken = {}
    with open(script, encoding="utf-8") as f:
        for row in f:
            row = row.rstrip("\n")
            if row and not row.startswith("#"):
                name, line = row.split("\t", 1)
                spoken[name] = line
    rows = []
    with open(timings, encoding="utf-8") as f:
        for row in f:
            name, length, *starts = row.split()
            sentences = re.split(r"(?<=[.!?])\s+", spoken.pop(name).strip())
            if len(sentences) != len(starts):
                sys.exit("%s: the script has %d sentences, Festival spoke %d" % (name, len(sentences), len(starts)))
            at = []
            for sentence, start in zip(sentences, starts):
                seconds, said = start.split(":", 1)
                if words(sentence) != words(said.replace("_", " ")):
                    sys.exit("%s: '%s' was spoken as '%s'" % (name, sentence, said))
                at.append(float(seconds))
            # Whole sentences, as many as fit in two lines.
            captions = []
            for sentence, seconds in zip(sentences, at):
                if captions and len(wrap(captions[-1][1] + " " + sentence)) <= MOST_LINES:
                    captions[-1][1] += " " + sentence
                else:
                    captions.append([seconds, sentence])
            base = name[:-len(".ogg")]
            for n, (seconds, text) in enumerate(captions, 1):
                lines = wrap(text)
                if len(lines) > MOST_LINES:
                    sys.exit("%s: '%s' needs %d lines; split the sentence" % (name, text, len(lines)))
                picture = "%s-%d" % (base, n)
                until = captions[n][0] if n < len(captions) else float(length)
                rows.append("%s %.3f %.3f %s.png" % (name, seconds, until, picture))
                for suffix, band in ((".svg", True), (".text.svg", False)):
                    with open(os.path.join(svgdir, picture + suffix), "w", encoding="utf-8") as out:
                        out.write(svg(lines, band))
    if spoken:
        sys.exit("no timings for %s" % ", ".join(sorted(spoken)))
    with open(table, "w", encoding="utf-8") as f:
        f.write("# When each caption shows: clip, from and until (seconds into the clip), picture. Made by tools/make-assets.\n"
                "# SPDX-FileCopyrightText: 2026 Tumblewing developers\n"
                "# SPDX-License-Identifier: CC-BY-4.0\n")
        f.write("\n".join(rows) + "\n")


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
