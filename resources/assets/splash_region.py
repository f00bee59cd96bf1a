#!/usr/bin/env python3
"""Writes the outline of the start-up splash as region data.

usage: splash_region.py OUTPUT_FILE

The outline is a pixel mask of the 336 by 260 splash window: a frame with
rounded corners whose inner area (6, 6) to (325, 179) is cut away, except for
the word "Loading..." in a small italic pixel font, whose letters the region
itself forms. The mask becomes rectangles the way the system keeps a region
(y-x banded, touching spans and equal neighbouring bands merged), so
GetRegionData gives back exactly these rectangles. The output is a Win32
RGNDATA block for ExtCreateRegion, padded with 0xCD bytes to a fixed size.

The asset generator imports this module to draw the word into the picture at
the same pixels.
"""

import struct
import sys

WIDTH, HEIGHT = 336, 260
RESOURCE_SIZE = 127872
RECTANGLE_COUNT = 220
FILLER = 0xCD

INNER_LEFT, INNER_TOP, INNER_RIGHT, INNER_BOTTOM = 6, 6, 325, 179

# Spans [left, right) of the rows that are not plain frame, from the top.
TOP_EDGE = [(5, 331), (3, 334), (2, 335), (1, 335), (1, 335), (0, WIDTH)]
# The side borders are a little wider in the top corners of the inner area.
TOP_CORNERS = [((0, 9), (322, WIDTH))] * 2 + [((0, 7), (324, WIDTH))] * 2
BOTTOM_EDGE = [(1, 335), (1, 335), (2, 334), (3, 333), (3, 333), (6, 330)]

# The word: glyphs on a grid of 12 rows (0-3 ascenders, 4-9 x-height, 10-11
# descenders). Each grid cell is 2 by 2 pixels; the rows then lean one pixel
# per pixel row about the baseline, which makes the font italic.
GLYPHS = {
    "L": ["#....",
          "#....",
          "#....",
          "#....",
          "#....",
          "#....",
          "#....",
          "#....",
          "#....",
          "#####",
          ".....",
          "....."],
    "o": ["......",
          "......",
          "......",
          "......",
          ".####.",
          "#....#",
          "#....#",
          "#....#",
          "#....#",
          ".####.",
          "......",
          "......"],
    "a": ["......",
          "......",
          "......",
          "......",
          ".####.",
          ".....#",
          ".#####",
          "#....#",
          "#....#",
          ".#####",
          "......",
          "......"],
    "d": ["......",
          ".....#",
          ".....#",
          ".....#",
          ".#####",
          "#....#",
          "#....#",
          "#....#",
          "#...##",
          ".#####",
          "......",
          "......"],
    "i": ["..",
          "..",
          "##",
          "..",
          "##",
          "##",
          "##",
          "##",
          "##",
          "##",
          "..",
          ".."],
    "n": ["......",
          "......",
          "......",
          "......",
          "#####.",
          "#....#",
          "#....#",
          "#....#",
          "#....#",
          "#....#",
          "......",
          "......"],
    "g": ["......",
          "......",
          "......",
          "......",
          ".#####",
          "#....#",
          "#....#",
          "#...##",
          ".###.#",
          ".....#",
          ".....#",
          ".####."],
    ".": ["..",
          "..",
          "..",
          "..",
          "..",
          "..",
          "..",
          "..",
          "##",
          "##",
          "..",
          ".."],
}
WORD = "Loading..."
WORD_LEFT, WORD_TOP = 108, 102
CELL = 2
GAP = 2  # grid columns between glyphs
BASELINE = 10 * CELL - 1  # the last pixel row of the x-height


def word_pixels():
    """The letter pixels of the word, as (x, y) window coordinates."""
    pixels = set()
    column = 0
    for glyph in (GLYPHS[c] for c in WORD):
        for grid_row, line in enumerate(glyph):
            for grid_column, cell in enumerate(line):
                if cell != "#":
                    continue
                for dy in range(CELL):
                    row = grid_row * CELL + dy
                    for dx in range(CELL):
                        x = WORD_LEFT + (BASELINE - row) + (column + grid_column) * CELL + dx
                        pixels.add((x, WORD_TOP + row))
        column += len(glyph[0]) + GAP
    return pixels


def row_spans():
    """For each window row, the spans [left, right) of the shape, left to right."""
    letters = word_pixels()
    rows = []
    for y in range(HEIGHT):
        if y < INNER_TOP:
            rows.append([TOP_EDGE[y]])
        elif y < INNER_BOTTOM:
            left, right = (TOP_CORNERS[y - INNER_TOP] if y - INNER_TOP < len(TOP_CORNERS)
                           else ((0, INNER_LEFT), (INNER_RIGHT, WIDTH)))
            inside = [x for x in range(left[1], right[0]) if (x, y) in letters]
            rows.append(merge_spans([left] + [(x, x + 1) for x in inside] + [right]))
        elif y < HEIGHT - len(BOTTOM_EDGE):
            rows.append([(0, WIDTH)])
        else:
            rows.append([BOTTOM_EDGE[y - (HEIGHT - len(BOTTOM_EDGE))]])
    return rows


def merge_spans(spans):
    merged = []
    for left, right in sorted(spans):
        if merged and left <= merged[-1][1]:
            merged[-1] = (merged[-1][0], max(merged[-1][1], right))
        else:
            merged.append((left, right))
    return merged


def rectangles():
    """The shape as (left, top, right, bottom) in y-x banded order, bands of
    equal rows merged, as the system stores a region."""
    bands = []  # [top, bottom, spans]
    for y, spans in enumerate(row_spans()):
        if bands and bands[-1][2] == spans:
            bands[-1][1] = y + 1
        else:
            bands.append([y, y + 1, spans])
    return [(left, top, right, bottom) for top, bottom, spans in bands for left, right in spans]


def region_bytes():
    rects = rectangles()
    if len(rects) != RECTANGLE_COUNT:
        raise SystemExit(f"splash_region: the outline has {len(rects)} rectangles, not {RECTANGLE_COUNT}")
    header = struct.pack("<IIII4i", 32, 1, len(rects), len(rects) * 16, 0, 0, WIDTH, HEIGHT)
    body = b"".join(struct.pack("<4i", *r) for r in rects)
    data = header + body
    return data + bytes([FILLER]) * (RESOURCE_SIZE - len(data))


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    data = region_bytes()
    with open(sys.argv[1], "wb") as out:
        out.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
