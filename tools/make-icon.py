#!/usr/bin/env python3
"""Writes a program icon (.ico) from its drawing in tools/skinart/icons.py:
32-bit images with alpha at 16, 24, 32 and 48 px, and a PNG image at 256 px.

  make-icon.py OUT.ico DESIGN WORK_DIR      DESIGN: config, systray or tray
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "skinart"))
import icons  # noqa: E402
import raster  # noqa: E402


def dib(size, rgba):
    """An icon image: BITMAPINFOHEADER of double height, bottom-up BGRA rows,
    then the AND mask (all zero: the alpha channel decides)."""
    rows = []
    for y in range(size - 1, -1, -1):
        line = rgba[y * size * 4:(y + 1) * size * 4]
        bgra = bytearray(len(line))
        bgra[0::4], bgra[1::4], bgra[2::4], bgra[3::4] = line[2::4], line[1::4], line[0::4], line[3::4]
        rows.append(bytes(bgra))
    mask = b"\x00" * (((size + 31) // 32) * 4 * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, size * size * 4 + len(mask), 0, 0, 0, 0)
    return header + b"".join(rows) + mask


def main(out, name, work):
    os.makedirs(work, exist_ok=True)
    images = []
    for size in icons.SIZES:
        png = os.path.join(work, f"{name}-{size}.png")
        raster.render_png(icons.design(name, size), png, fontconfig="/dev/null")
        if size == 256:
            with open(png, "rb") as f:
                images.append((size, f.read()))
        else:
            _, _, rgba = raster.read_png_rgba(png)
            images.append((size, dib(size, rgba)))
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, img in images:
        data += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    with open(out, "wb") as f:
        f.write(data + b"".join(img for _, img in images))
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
