#!/usr/bin/python3
"""Writes full_width.expected, the ranges the window counts as one em wide, from Unicode.

Python's unicodedata (Unicode's EastAsianWidth.txt and general categories), a source
independent of ours, picks within the CJK blocks every spacing character of East Asian Width
Wide or Fullwidth; a range runs over unassigned code points between two such characters, but
begins and ends at assigned ones. Run it again for another Unicode version:
    tests/ui/make_full_width.py > tests/ui/full_width.expected
"""
import unicodedata

# Blocks.txt: CJK Symbols and Punctuation, CJK Unified Ideographs Extension A, CJK Unified
# Ideographs, CJK Compatibility Ideographs, Halfwidth and Fullwidth Forms, and the
# Supplementary and Tertiary Ideographic Planes.
BLOCKS = [(0x3000, 0x303F), (0x3400, 0x4DBF), (0x4E00, 0x9FFF), (0xF900, 0xFAFF),
          (0xFF00, 0xFFEF), (0x20000, 0x3FFFF)]


def full_width(code):
    character = chr(code)
    return (unicodedata.east_asian_width(character) in ("W", "F")
            and not unicodedata.category(character).startswith("M"))


print(f"# first last (hex): full-width ranges of Unicode {unicodedata.unidata_version}")
for first, last in BLOCKS:
    run = None  # the first and the last full-width character of the current range
    for code in range(first, last + 1):
        if unicodedata.category(chr(code)) == "Cn":
            continue
        if full_width(code):
            run = (run[0] if run else code, code)
        elif run:
            print(f"{run[0]:X} {run[1]:X}")
            run = None
    if run:
        print(f"{run[0]:X} {run[1]:X}")
