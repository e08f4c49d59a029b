#!/usr/bin/env python3
"""Writes BMP files of one 13 x 7 picture in every layout the BMP reader
takes, and broken ones, as FOLDER/NAME.bmp (the names of those of 16 bits
and more begin with "rgb-"); with --part-load, each as an input of the
part-load fuzz target instead (FOLDER/NAME).

    python3 bmp_samples.py FOLDER [--part-load]
"""
import pathlib
import struct
import sys

WIDTH, HEIGHT = 13, 7
NONE, RLE8, RLE4, BITFIELDS, ALPHA_BITFIELDS = 0, 1, 2, 3, 6


def palette(count):
    return b"".join(struct.pack("<I", (i * 0x050301) ^ 0x806040) for i in range(count))


def indices(colours, spread=None):
    """Top-down indices; spread (more than colours) names entries the table lacks."""
    return [[(x // 3 + y * 5) % (spread or colours) for x in range(WIDTH)] for y in range(HEIGHT)]


def packed(rows, bits, top_down):
    out = b""
    for row in rows if top_down else reversed(rows):
        value = 0
        for index in row:
            value = value << bits | index
        width = WIDTH * bits
        data = (value << (-width % 8)).to_bytes((width + 7) // 8, "big")
        out += data + bytes(-len(data) % 4)
    return out


def true_colour(bits, top_down=False):
    rows = []
    for y in range(HEIGHT):
        row = b""
        for x in range(WIDTH):
            value = (x * 37 + y * 91) & 0xFFFFFFFF if bits != 24 else (x * 0x112233 + y * 0x0A0B0C) & 0xFFFFFF
            row += value.to_bytes(4, "little")[: bits // 8]
        rows.append(row + bytes(-len(row) % 4))
    return b"".join(rows if top_down else reversed(rows))


def runs(rows, four_bit):
    out = b""
    for row in reversed(rows):
        x = 0
        while x < WIDTH:
            end = x
            while end < WIDTH and row[end] == row[x]:
                end += 1
            out += bytes([end - x, row[x] * 17 if four_bit else row[x]])
            x = end
        out += bytes([3, 0, 0, 0])
    return out + bytes([0, 1])


def bmp(info_size, bits, pixels, table=b"", compression=NONE, colours=0, masks=b"", top_down=False, gap=0):
    if info_size == 12:
        info = struct.pack("<IHHHH", 12, WIDTH, HEIGHT, 1, bits)
    else:
        info = struct.pack("<IiiHH", info_size, WIDTH, -HEIGHT if top_down else HEIGHT, 1, bits)
        if info_size >= 40:
            info += struct.pack("<IIiiII", compression, len(pixels), 0, 0, colours, 0)
        info = (info + masks)[:info_size] if info_size > 40 else info
        info += bytes(info_size - len(info))
        if info_size == 40:
            info += masks
    offset = 14 + len(info) + len(table) + gap
    size = offset + len(pixels)
    return b"BM" + struct.pack("<IHHI", size, 0, 0, offset) + info + table + bytes(gap) + pixels


def core_palette(count):
    table = palette(count)
    return b"".join(table[i : i + 3] for i in range(0, len(table), 4))


def samples():
    eight, four = indices(40), indices(16)
    rle8 = bmp(40, 8, runs(eight, False), palette(256), RLE8)
    plain8 = bmp(40, 8, packed(eight, 8, False), palette(256))
    rgb565 = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
    bgra = struct.pack("<IIII", 0xFF00, 0xFF0000, 0xFF000000, 0xFF)
    yield "core-8-short-table", bmp(12, 8, packed(indices(40, 60), 8, False), core_palette(40))
    yield "core-4", bmp(12, 4, packed(four, 4, False), core_palette(16))
    yield "os2-short-1", bmp(16, 1, packed(indices(2), 1, False), palette(2))
    yield "os2-8-short-table", bmp(64, 8, packed(eight, 8, False), palette(40), colours=40)
    yield "os2-rle8", bmp(64, 8, runs(eight, False), palette(256), RLE8)
    yield "8-past-short-table", bmp(40, 8, packed(indices(40, 200), 8, False), palette(40), colours=40)
    yield "8-gap", bmp(56, 8, packed(eight, 8, False), palette(40), colours=40, gap=6)
    yield "v5-8-top-down", bmp(124, 8, packed(eight, 8, True), palette(40), colours=40, top_down=True)
    yield "2-top-down", bmp(40, 2, packed(indices(4), 2, True), palette(4), top_down=True)
    yield "v4-rle4", bmp(108, 4, runs(four, True), palette(16), RLE4)
    yield "rle8", rle8
    yield "rgb-16-hint-table", bmp(40, 16, true_colour(16), palette(256), colours=256)
    yield "rgb-16-565", bmp(40, 16, true_colour(16), compression=BITFIELDS, masks=rgb565)
    yield "rgb-24-hint-table", bmp(40, 24, true_colour(24), palette(16), colours=16)
    yield "rgb-24-v5-top-down-gap", bmp(124, 24, true_colour(24, True), top_down=True, gap=10)
    yield "rgb-32-alpha-bitfields", bmp(40, 32, true_colour(32), compression=ALPHA_BITFIELDS, masks=bgra)
    yield "rgb-32-v4-alpha-mask", bmp(108, 32, true_colour(32), compression=BITFIELDS, masks=bgra)
    yield "broken-rows-cut-short", plain8[:-20]
    yield "broken-runs-cut-short", rle8[:-30]
    yield "broken-runs-past-the-image", rle8[: 1078] + bytes([200, 5, 0, 2, 250, 250, 0, 0, 0, 1])
    yield "broken-headers-cut-short", plain8[:40]
    yield "broken-bit-count", plain8[:28] + struct.pack("<H", 3) + plain8[30:]
    yield "broken-height", plain8[:22] + struct.pack("<I", 0x80000000) + plain8[26:]
    yield "broken-offset", plain8[:10] + struct.pack("<I", 0x7FFFFFF0) + plain8[14:]
    yield "rgb-broken-rows-cut-short", bmp(40, 16, true_colour(16), compression=BITFIELDS, masks=rgb565)[:-20]
    yield "rgb-broken-masks", bmp(40, 16, true_colour(16), compression=BITFIELDS, masks=struct.pack("<III", 0xF00F, 0x7E0, 0x1F0000))


def main():
    folder = pathlib.Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    part_load = "--part-load" in sys.argv[2:]
    for name, data in samples():
        if not part_load:
            (folder / f"{name}.bmp").write_bytes(data)
        else:
            # The room's group (one slot): the file as base and as mask.
            entry = struct.pack("<H", len(data)) + data
            (folder / name).write_bytes(bytes([3]) + entry + entry)


if __name__ == "__main__":
    main()
