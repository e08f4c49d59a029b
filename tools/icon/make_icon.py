#!/usr/bin/env python3
"""Draws the editor's icon, a small house with a red roof, a door and a
lit window, and writes it as res/tavi.ico: one icon with two 16-colour
images, 32 x 32 and 16 x 16 pixels. Shapes are given in a 0..1 square and
sampled at pixel centres, so both sizes come from one drawing.

    python3 tools/icon/make_icon.py [output.ico]
"""
import os
import struct
import sys

# The 16 standard VGA colours, as (R, G, B).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)
CLEAR = None


def in_rect(x, y, left, top, right, bottom):
    return left <= x < right and top <= y < bottom


def in_roof(x, y, apex_y, eave_y, left, right):
    """The triangle of the roof: apex at the middle, eaves from left to right."""
    if not apex_y <= y < eave_y:
        return False
    half = (right - left) / 2 * (y - apex_y) / (eave_y - apex_y)
    return 0.5 - half <= x < 0.5 + half


def colour_at(x, y, px):
    """The colour of the point (x, y) of the unit square; px is one pixel."""
    # Chimney behind the roof.
    if in_rect(x, y, 0.66, 0.12, 0.78, 0.36):
        return MAROON if (x < 0.66 + px or x >= 0.78 - px or y < 0.12 + px) else GRAY
    # Roof with a dark outline.
    if in_roof(x, y, 0.06, 0.46, 0.0, 1.0):
        if not in_roof(x, y, 0.06 + 2 * px, 0.46 - px, px, 1.0 - px):
            return MAROON
        return RED
    # Walls.
    if in_rect(x, y, 0.12, 0.46, 0.88, 0.94):
        if x < 0.12 + px or x >= 0.88 - px or y >= 0.94 - px:
            return BLACK
        # Door.
        if in_rect(x, y, 0.20, 0.58, 0.44, 0.94 - px):
            if x < 0.20 + px or x >= 0.44 - px or y < 0.58 + px:
                return BLACK
            if in_rect(x, y, 0.36, 0.74, 0.36 + 1.5 * px, 0.74 + 1.5 * px):
                return YELLOW
            return OLIVE
        # Window with a cross frame.
        if in_rect(x, y, 0.54, 0.56, 0.80, 0.80):
            if x < 0.54 + px or x >= 0.80 - px or y < 0.56 + px or y >= 0.80 - px:
                return NAVY
            # The cross would fill the whole pane of the small image.
            if px < 1 / 20 and (abs(x - 0.67) < px * 0.75 or abs(y - 0.68) < px * 0.75):
                return WHITE
            return YELLOW
        return SILVER if y >= 0.86 else WHITE
    # Grass under the house.
    if in_rect(x, y, 0.02, 0.90, 0.98, 1.0):
        return GREEN
    return CLEAR


def render(size):
    px = 1.0 / size
    return [[colour_at((col + 0.5) * px, (row + 0.5) * px, px) for col in range(size)]
            for row in range(size)]


def image_bytes(pixels):
    """BITMAPINFOHEADER (double height), palette, 4-bit XOR image, AND mask."""
    size = len(pixels)
    xor_stride = (size * 4 + 31) // 32 * 4
    and_stride = (size + 31) // 32 * 4
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0,
                         (xor_stride + and_stride) * size, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor_rows, and_rows = [], []
    for row in reversed(pixels):  # bottom-up
        xor_row = bytearray(xor_stride)
        and_row = bytearray(and_stride)
        for col, colour in enumerate(row):
            index = 0 if colour is CLEAR else colour
            xor_row[col // 2] |= index << (4 if col % 2 == 0 else 0)
            if colour is CLEAR:
                and_row[col // 8] |= 0x80 >> (col % 8)
        xor_rows.append(bytes(xor_row))
        and_rows.append(bytes(and_row))
    return header + palette + b''.join(xor_rows) + b''.join(and_rows)


def icon_file(sizes):
    images = [image_bytes(render(size)) for size in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b''.join(images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', '..', 'res', 'tavi.ico')
    with open(target, 'wb') as f:
        f.write(icon_file([32, 16]))


if __name__ == '__main__':
    main()
