#!/usr/bin/env python3
"""Draws the image preview's toolbar pictures: six 32 x 30 images side by side (open, scale to
fit, normal size, zoom in, zoom out, close), once in grey for the normal state and once in
colour for the hot state. Light grey (192, 192, 192) is the transparent background.
Both are stored at 24 bits: the hot pictures are loaded as a section with the system's 3-D
colours mapped, and an 8-bit file loads nearly blank that way under Wine.

Run from this folder; the outputs are committed, so the build needs no drawing tools.
"""
import math

from make_pictures import bmp_24bit, write

W, H = 32, 30
BACK, DARK, LIGHT, ACCENT, GLASS, RED = range(6)


def palette(hot):
    if hot:
        return [(192, 192, 192), (0, 0, 0), (255, 255, 255), (0, 96, 192), (160, 210, 255), (200, 0, 0)]
    return [(192, 192, 192), (64, 64, 64), (240, 240, 240), (96, 96, 96), (176, 176, 176), (96, 96, 96)]


def frame_box(x, y, left, top, right, bottom):
    return left <= x <= right and top <= y <= bottom and (x in (left, right) or y in (top, bottom))


def magnifier(x, y, sign):
    cx, cy, r = 13, 12, 8
    d = math.hypot(x - cx, y - cy)
    if abs(d - r) < 1.0:
        return DARK
    if 19 <= x <= 27 and abs((y - 18) - (x - 19)) <= 1 and y <= 27:
        return DARK
    if d < r:
        if y == cy and cx - 4 <= x <= cx + 4:
            return ACCENT
        if sign == "+" and x == cx and cy - 4 <= y <= cy + 4:
            return ACCENT
        return GLASS
    return BACK


def image(index, x, y):
    if index == 0:  # open: a picture with a pencil across it
        if frame_box(x, y, 4, 6, 22, 22):
            return DARK
        if 5 <= x <= 21 and 7 <= y <= 21:
            return GLASS if y < 15 else ACCENT
        if abs((x - 14) - (27 - y)) <= 1 and 14 <= x <= 28 and 12 <= y <= 27:
            return RED
        return BACK
    if index == 1:  # scale to fit: arrows to the corners of a frame
        if frame_box(x, y, 3, 3, 28, 26):
            return DARK
        if (x - y == 0 or x + y == 29) and 7 <= x <= 24 and 6 <= y <= 23:
            return ACCENT
        return BACK
    if index == 2:  # normal size: a frame with "1:1"
        if frame_box(x, y, 5, 5, 26, 24):
            return DARK
        if (x in (11, 20) and 9 <= y <= 20) or (x == 15 or x == 16) and y in (12, 17):
            return ACCENT
        return BACK
    if index == 3:
        return magnifier(x, y, "+")
    if index == 4:
        return magnifier(x, y, "-")
    # close: a cross
    if (abs(x - y - 1) <= 1 or abs(x + y - 30) <= 1) and 6 <= x <= 25 and 5 <= y <= 24:
        return RED
    return BACK


def strip(x, y):
    return image(x // W, x % W, y)


if __name__ == "__main__":
    write("preview_normal.bmp", bmp_24bit(6 * W, H, palette(False), strip))
    write("preview_hot.bmp", bmp_24bit(6 * W, H, palette(True), strip))
