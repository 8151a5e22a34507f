#!/usr/bin/env python3
"""Assemble the final SVGs for Tumblewing's pictures (standard library only).

Usage: assemble.py SRCDIR OUTDIR [SVG...]

Every SRCDIR/*.svg is a piece of committed artwork; named SVG files (the menu
icon) are assembled instead of those. Three markers are expanded:
  {{name}}                 a colour from lib/palette.txt
  <!--DEFS-->              the shared gradients/filters of lib/defs.svg
  <!--INCLUDE path.svg-->  the children of another SVG's root element
                           (path relative to SRCDIR; its own DEFS marker is dropped)
The result is written to OUTDIR/<same name>.svg. Output depends only on the inputs.
"""
import os
import re
import sys

TOKEN = re.compile(r"\{\{([A-Za-z0-9_]+)\}\}")
INCLUDE = re.compile(r"<!--INCLUDE ([^ ]+)-->")


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def palette(src):
    colours = {}
    for line in read(os.path.join(src, "lib", "palette.txt")).splitlines():
        line = line.split("#!")[0].strip()  # "#!" starts a comment
        if not line:
            continue
        name, value = line.split()
        colours[name] = value
    return colours


def inner(text):
    """Children of the root <svg> element."""
    start = text.index(">", text.index("<svg")) + 1
    end = text.rindex("</svg>")
    return text[start:end]


def expand(text, src, colours, depth=0):
    if depth > 8:
        sys.exit("assemble: includes nested too deep")

    def inc(m):
        body = inner(read(os.path.join(src, m.group(1))))
        body = body.replace("<!--DEFS-->", "")
        return expand(body, src, colours, depth + 1)

    text = INCLUDE.sub(inc, text)

    def col(m):
        if m.group(1) not in colours:
            sys.exit("assemble: unknown colour {{%s}}" % m.group(1))
        return colours[m.group(1)]

    return TOKEN.sub(col, text)


def main():
    src, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    colours = palette(src)
    defs = expand(inner(read(os.path.join(src, "lib", "defs.svg"))), src, colours)
    named = sys.argv[3:]
    if not named:
        named = [os.path.join(src, n) for n in sorted(os.listdir(src)) if n.endswith(".svg")]
    for path in named:
        text = expand(read(path), src, colours)
        text = text.replace("<!--DEFS-->", defs)
        with open(os.path.join(out, os.path.basename(path)), "w", encoding="utf-8", newline="\n") as f:
            f.write(text)


if __name__ == "__main__":
    main()
