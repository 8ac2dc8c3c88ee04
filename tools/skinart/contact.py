#!/usr/bin/env python3
"""Contact sheets of the skin captures: every PNG of a language (en_*, de_*,
zh-cn_* ...) scaled to half size on one sheet, in name order.

  contact.py CAPTURE_DIR
"""
import os
import sys

import raster


def half(w, h, rgb):
    hw, hh = w // 2, h // 2
    out = bytearray(hw * hh * 3)
    for y in range(hh):
        src = (2 * y) * w * 3
        row = rgb[src:src + w * 3]
        out[y * hw * 3:(y + 1) * hw * 3] = b"".join(row[6 * x:6 * x + 3] for x in range(hw))
    return hw, hh, out


def sheet(folder, prefix):
    names = sorted(n for n in os.listdir(folder) if n.startswith(prefix + "_") and n.endswith(".png"))
    tiles = []
    for n in names:
        w, h, rgba = raster.read_png_rgba(os.path.join(folder, n))
        rgb = bytearray(w * h * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = rgba[0::4], rgba[1::4], rgba[2::4]
        tiles.append(half(w, h, rgb))
    if not tiles:
        return
    width, gap = 1540, 12
    x = y = gap
    row_h = 0
    spots = []
    for w, h, _ in tiles:
        if x + w + gap > width:
            x, y, row_h = gap, y + row_h + gap, 0
        spots.append((x, y))
        x += w + gap
        row_h = max(row_h, h)
    height = y + row_h + gap
    canvas = bytearray(b"\x30\x30\x30" * width * height)
    for (w, h, rgb), (px, py) in zip(tiles, spots):
        for r in range(h):
            at = ((py + r) * width + px) * 3
            canvas[at:at + w * 3] = rgb[r * w * 3:(r + 1) * w * 3]
    raster.write_png(os.path.join(folder, f"contact_{prefix}.png"), width, height, canvas)


if __name__ == "__main__":
    folder = sys.argv[1]
    languages = {n.split("_", 1)[0] for n in os.listdir(folder)
                 if n.endswith(".png") and "_" in n and not n.startswith("contact_")}
    for language in sorted(languages):
        sheet(folder, language)
