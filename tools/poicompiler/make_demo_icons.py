#!/usr/bin/env python3
"""Draws the demo category icons as small BMP files (standard library only).

Usage: make_demo_icons.py [OUTPUT_FOLDER]   (default: examples/demo of this repository)

The icons cover the BMP shapes the compiler reads: 8-bit with a palette and 24-bit, stored
bottom-up and top-down, with and without row padding. Magenta in the top-left corner is the
transparent colour.
"""
import os
import struct
import sys

COLOURS = {
    ".": (255, 0, 255),  # transparent
    "k": (0, 0, 0),
    "w": (255, 255, 255),
    "r": (220, 20, 30),
    "y": (250, 200, 0),
    "g": (20, 150, 60),
    "b": (20, 70, 200),
    "s": (128, 128, 128),
}


def row_padding(row_bytes):
    return (4 - row_bytes % 4) % 4


def bmp_bytes(art, bits, top_down):
    height, width = len(art), len(art[0])
    assert all(len(line) == width for line in art), "ragged icon"
    rows = art if top_down else list(reversed(art))
    palette = b""
    if bits == 8:
        keys = sorted(set("".join(art)), key=lambda c: (c != ".", c))
        index = {c: i for i, c in enumerate(keys)}
        palette = b"".join(bytes((b, g, r, 0)) for r, g, b in (COLOURS[c] for c in keys))
        pixels = b"".join(bytes(index[c] for c in line) + bytes(row_padding(width)) for line in rows)
        used = len(keys)
    else:
        pixels = b"".join(
            b"".join(bytes(reversed(COLOURS[c])) for c in line) + bytes(row_padding(3 * width))
            for line in rows
        )
        used = 0
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack(
        "<IiiHHIIiiII",
        40,
        width,
        -height if top_down else height,
        1,
        bits,
        0,  # BI_RGB
        len(pixels),
        2835,  # 72 dpi
        2835,
        used,
        0,
    )
    return header + info + palette + pixels


ICONS = {
    # Fixed speed camera: red warning ring around a camera, 24-bit, bottom-up.
    "Blitzer.bmp": (24, False, [
        "......rrrr......",
        "....rrrrrrrr....",
        "...rrwwwwwwrr...",
        "..rrwwwwwwwwrr..",
        ".rrwwwwwwwwwwrr.",
        ".rwwwkkkkkkwwwr.",
        "rrwwkkkkkkkkwwrr",
        "rrwwkkwwwwkkwwrr",
        "rrwwkkwkkwkkwwrr",
        "rrwwkkwwwwkkwwrr",
        ".rwwkkkkkkkkwwr.",
        ".rrwwwwwwwwwwrr.",
        "..rrwwwwwwwwrr..",
        "...rrwwwwwwrr...",
        "....rrrrrrrr....",
        "......rrrr......",
    ]),
    # Mobile speed camera on a tripod: 22 wide, so each 24-bit row carries 2 padding bytes;
    # stored top-down.
    "Blitzer mobil.bmp": (24, True, [
        "......................",
        "......rrrrrrrrrr......",
        "....rrrrrrrrrrrrrr....",
        "...rrwwwwwwwwwwwwrr...",
        "...rwwkkkkkkkkkkwwr...",
        "...rwwkkkwwwwkkkwwr...",
        "...rwwkkwwkkwwkkwwr...",
        "...rwwkkwkkkkwkkwwr...",
        "...rwwkkwwkkwwkkwwr...",
        "...rwwkkkwwwwkkkwwr...",
        "...rwwkkkkkkkkkkwwr...",
        "...rrwwwwwwwwwwwwrr...",
        "....rrrrrrssrrrrrr....",
        "..........ss..........",
        ".........ssss.........",
        "........ss..ss........",
        ".......ss....ss.......",
        "......ss......ss......",
        ".....ss........ss.....",
        "....ss..........ss....",
        "......................",
        "......................",
    ]),
    # Fuel pump, 8-bit with a 5-colour palette, bottom-up.
    "Tankstellen.bmp": (8, False, [
        "................",
        "..bbbbbbbb......",
        "..bwwwwwwb......",
        "..bwwwwwwb..s...",
        "..bwwwwwwb...s..",
        "..bbbbbbbbs..s..",
        "..bbbbbbbb.s.s..",
        "..bbbbbbbb.s.s..",
        "..bbbbbbbb.s.s..",
        "..bbbbbbbb.s.s..",
        "..bbbbbbbb.sss..",
        "..bbbbbbbb......",
        "..bbbbbbbb......",
        ".kkkkkkkkkk.....",
        ".kkkkkkkkkk.....",
        "................",
    ]),
    # Rest area "P" with a cup, 8-bit, 18 wide (2 padding bytes per row), top-down.
    "Raststätten.bmp": (8, True, [
        "..................",
        ".bbbbbbbbbbbbbbbb.",
        ".bwwwwwwwwwwwwwwb.",
        ".bwwwwbbbbbwwwwwb.",
        ".bwwwwbwwwwbwwwwb.",
        ".bwwwwbwwwwbwwwwb.",
        ".bwwwwbbbbbwwwwwb.",
        ".bwwwwbwwwwwwwwwb.",
        ".bwwwwbwwwwwwwwwb.",
        ".bwwwwbwwwwwwwwwb.",
        ".bwwwwwwwwwwwwwwb.",
        ".bwwwyyyyyywwwwwb.",
        ".bwwwyyyyyyyywwwb.",
        ".bwwwyyyyyywywwwb.",
        ".bwwwwyyyywwwwwwb.",
        ".bwwwwwwwwwwwwwwb.",
        ".bbbbbbbbbbbbbbbb.",
        "..................",
    ]),
    # Charging station: green plug with a yellow bolt, 24-bit, bottom-up.
    "Ladestationen.bmp": (24, False, [
        "................",
        "...gggggggggg...",
        "..gggggggggggg..",
        "..ggggggyygggg..",
        "..gggggyyggggg..",
        "..ggggyygggggg..",
        "..gggyyyyyyggg..",
        "..gggggggyyggg..",
        "..ggggggyygggg..",
        "..gggggyyggggg..",
        "..ggggyygggggg..",
        "..gggggggggggg..",
        "...gggggggggg...",
        "......ssss......",
        "......ssss......",
        "................",
    ]),
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "examples", "demo")
    for name, (bits, top_down, art) in ICONS.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(bmp_bytes(art, bits, top_down))
    return 0


if __name__ == "__main__":
    sys.exit(main())
