#!/usr/bin/env python3
"""Draws tunewright's pictures (icons and bitmaps) into the files the resource script uses.

Run from this folder; the outputs are committed, so the build needs no drawing tools.
"""
import math
import struct


def bmp_8bit(width, height, palette, pixel):
    """A complete bitmap file, 8 bits per pixel with a 256-entry colour table, bottom-up."""
    palette = (palette + [(0, 0, 0)] * 256)[:256]
    row = (width + 3) & ~3
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray(pixel(x, y) for x in range(width))
        pixels += line + bytes(row - width)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + table + bytes(pixels)


def bmp_24bit(width, height, palette, pixel):
    """A complete bitmap file, 24 bits per pixel, bottom-up; pixel(x, y) indexes the palette."""
    row = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = palette[pixel(x, y)]
            line += bytes((b, g, r))
        pixels += line + bytes(row - width * 3)
    offset = 14 + 40
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + bytes(pixels)


def icon(sizes, colour):
    """An icon file with one 24-bit image and mask per size; colour(x, y, size) -> rgb or None."""
    images = []
    for size in sizes:
        xor = bytearray()
        mask = bytearray()
        mask_row = ((size + 31) // 32) * 4
        for y in range(size - 1, -1, -1):
            line_mask = bytearray(mask_row)
            for x in range(size):
                c = colour(x, y, size)
                if c is None:
                    xor += bytes(3)
                    line_mask[x // 8] |= 0x80 >> (x % 8)
                else:
                    r, g, b = c
                    xor += bytes((b, g, r))
            xor += bytes((4 - (size * 3) % 4) % 4)
            mask += line_mask
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append((size, info + bytes(xor) + bytes(mask)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    return out


def monitor(x, y, size):
    """A small screen on a stand with a sun-and-hills picture: the program's own mark."""
    s = size / 32.0
    fx, fy = x / s, y / s
    if 3 <= fx < 29 and 3 <= fy < 23:
        if 5 <= fx < 27 and 5 <= fy < 21:
            if (fx - 21) ** 2 + (fy - 9) ** 2 < 9:
                return (255, 220, 40)
            hill = 17 - 3 * math.sin((fx - 5) / 3.5)
            if fy > hill:
                return (40, 150, 60)
            return (90, 160, 235)
        return (60, 60, 70)
    if 13 <= fx < 19 and 23 <= fy < 27:
        return (90, 90, 100)
    if 8 <= fx < 24 and 27 <= fy < 29:
        return (60, 60, 70)
    return None


def tray(x, y, size):
    """The tray mark: a picture frame whose picture turns (two colour halves)."""
    s = size / 16.0
    fx, fy = x / s, y / s
    if 1 <= fx < 15 and 2 <= fy < 14:
        if 3 <= fx < 13 and 4 <= fy < 12:
            return (230, 120, 30) if fx + fy < 16 else (50, 110, 220)
        return (120, 70, 30)
    return None


def program(x, y, size):
    """A plain program window: title bar and body."""
    s = size / 16.0
    fx, fy = x / s, y / s
    if 1 <= fx < 15 and 2 <= fy < 14:
        if fy < 5:
            return (0, 0, 128)
        if fx < 2 or fx >= 14 or fy >= 13:
            return (128, 128, 128)
        return (255, 255, 255)
    return None


def display(x, y, size):
    """The display-settings mark: a screen showing three colour bars of rising depth."""
    s = size / 16.0
    fx, fy = x / s, y / s
    if 1 <= fx < 15 and 1 <= fy < 12:
        if 2 <= fx < 14 and 2 <= fy < 11:
            return [(220, 40, 40), (40, 180, 60), (50, 90, 230)][min(2, int((fx - 2) // 4))]
        return (60, 60, 70)
    if 6 <= fx < 10 and 12 <= fy < 14:
        return (90, 90, 100)
    if 4 <= fx < 12 and 14 <= fy < 15:
        return (60, 60, 70)
    return None


def gradient_palette():
    pal = [(0, 0, 0)]
    for i in range(1, 128):
        pal.append((i // 4, i // 3, min(255, 60 + i)))   # night blues
    for i in range(128):
        pal.append((min(255, 120 + i), min(255, 60 + i), 20 + i // 3))  # warm glow
    return pal


def background(x, y):
    """Sheet background: a dark sky above a warm horizon with a rising sun, 400 x 253."""
    cx, cy = 300, 230
    d = math.hypot(x - cx, (y - cy) * 1.3)
    if d < 40:
        return 128 + 127 - int(d)
    if y > 200:
        return 128 + max(0, 60 - (253 - y))
    return 1 + min(126, int(y / 2.0))


def corner(x, y):
    """Sheet corner mark, 67 x 33: the letters TW as blocks on black."""
    t = (8 <= x < 28 and 6 <= y < 10) or (16 <= x < 20 and 6 <= y < 27)
    w = ((32 <= x < 36 or 44 <= x < 48 or 56 <= x < 60) and 6 <= y < 27) or (32 <= x < 60 and 23 <= y < 27)
    return 255 if (t or w) else 0


def splash(x, y):
    """Splash and About picture, 96 x 160: a tall window onto the same evening sky."""
    if x < 3 or y < 3 or x >= 93 or y >= 157:
        return 40
    sun = math.hypot(x - 48, y - 110)
    if sun < 22:
        return 255 - int(sun)
    if y > 120:
        return 128 + min(127, (y - 120) * 3)
    return 1 + min(126, y * 126 // 120)


def tab_icon_palette():
    """Index 0 is the mask colour the sheets load the tab pictures with, RGB(0, 128, 128)."""
    return [(0, 128, 128), (0, 0, 0), (255, 255, 255), (0, 0, 128), (200, 40, 40), (40, 160, 60),
            (230, 180, 30), (90, 160, 235), (128, 128, 128), (150, 60, 180)]


TAB_SIZE = 14
TAB_COUNT = 19


def tab_icons(x, y):
    """19 tab pictures of 14 x 14 side by side, on the mask colour; picture 0 is empty.

    Each is a tile with rounded (transparent) corners whose colour and row of dots tell the
    tabs apart.
    """
    index, px = divmod(x, TAB_SIZE)
    if index == 0:
        return 0
    last = TAB_SIZE - 1
    if px in (0, last) and y in (0, last):
        return 0
    if 1 <= px < last and 1 <= y < last:
        if px in (1, last - 1) or y in (1, last - 1):
            return 1
        if y == 7 and 3 <= px < 3 + min(8, index):
            return 2
        return 3 + index % 7
    return 0


def write(name, data):
    with open(name, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    write("tunewright.ico", icon([32, 16], monitor))
    write("tray.ico", icon([16, 32], tray))
    write("program.ico", icon([16, 32], program))
    write("display.ico", icon([16, 32], display))
    write("background.bmp", bmp_8bit(400, 253, gradient_palette(), background))
    write("corner.bmp", bmp_8bit(67, 33, [(0, 0, 0)] + [(200, 140, 40)] * 255, corner))
    write("splash.bmp", bmp_8bit(96, 160, gradient_palette(), splash))
    write("tabicons.bmp", bmp_8bit(TAB_COUNT * TAB_SIZE, TAB_SIZE, tab_icon_palette(), tab_icons))
