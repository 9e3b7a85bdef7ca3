#!/usr/bin/env python3
"""Draws the four sample pictures the setup folder delivers: the startup screen and the two
shutdown screens as Windows 95 boot screens (320 x 400, 8 bits per pixel, uncompressed; the
screen shows them stretched to 640 x 400), and a small wallpaper.

Run from this folder; the outputs in files/ are committed, so the build needs no drawing tools.
"""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res"))
from make_pictures import bmp_8bit  # noqa: E402


def ramp(a, b, n):
    return [tuple(int(a[i] + (b[i] - a[i]) * k / (n - 1)) for i in range(3)) for k in range(n)]


# 0..127 sky from deep blue to pale, 128..191 hills green, 192..255 sun yellow to white.
PALETTE = ramp((8, 16, 72), (150, 190, 240), 128) + ramp((16, 64, 24), (96, 176, 72), 64) + \
    ramp((255, 200, 40), (255, 255, 230), 64)


def landscape(x, y, width, height, dusk, night=False):
    """Sky, a sun and two rolling hills; dusk darkens the sky and lowers the sun, night hides it."""
    fx, fy = x / width, y / height
    sun_x, sun_y = 0.7, 0.62 if dusk else 0.3
    d = math.hypot((fx - sun_x) * width / height, fy - sun_y)
    hill = 0.72 + 0.05 * math.sin(fx * 6.0) + 0.03 * math.sin(fx * 13.0 + 1.0)
    if fy > hill:
        return 128 + min(63, int((fy - hill) * 200))
    if d < 0.07 and not night:
        return 192 + min(63, int(d * 900))
    shade = fy if not dusk else fy * (0.1 if night else 0.35)
    return min(127, int(shade * 150))


def write(name, width, height, dusk, night=False):
    data = bmp_8bit(width, height, PALETTE, lambda x, y: landscape(x, y, width, height, dusk, night))
    with open(os.path.join("files", name), "wb") as f:
        f.write(data)


if __name__ == "__main__":
    write("sampleu.bmp", 320, 400, dusk=False)  # startup screen
    write("samplew.bmp", 320, 400, dusk=True)   # wait-to-shutdown screen
    write("samples.bmp", 320, 400, dusk=True, night=True)  # safe-to-shutdown screen
    write("samplep.bmp", 256, 192, dusk=False)  # wallpaper
