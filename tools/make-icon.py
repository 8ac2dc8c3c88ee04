#!/usr/bin/env python3
"""Writes a program icon (.ico, 16x16 and 32x32, 32-bpp) drawn from a few
shapes, so the repository holds no hand-made binary pictures.
Usage: make-icon.py OUT.ico COLOR_HEX   (COLOR_HEX like 2080e0)"""
import struct
import sys


def image(size, rgb):
    r, g, b = rgb
    px = []
    cx, cy = (size - 1) / 2.0, (size - 1) / 2.0
    for y in range(size - 1, -1, -1):  # bottom-up rows
        for x in range(size):
            # A mouse body: an upright ellipse with a dark wheel stripe.
            dx, dy = (x - cx) / (size * 0.34), (y - cy) / (size * 0.46)
            inside = dx * dx + dy * dy <= 1.0
            if not inside:
                px.append((0, 0, 0, 0))
            elif abs(x - cx) < size / 16.0 + 0.5 and y > cy + size * 0.08:
                px.append((30, 30, 30, 255))
            else:
                px.append((b, g, r, 255))
    xor = b"".join(struct.pack("BBBB", *p) for p in px)
    mask_row = ((size + 31) // 32) * 4
    and_mask = b"\x00" * (mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def main():
    out, color = sys.argv[1], sys.argv[2]
    rgb = tuple(int(color[i:i + 2], 16) for i in (0, 2, 4))
    images = [image(s, rgb) for s in (16, 32)]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, img in zip((16, 32), images):
        data += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    with open(out, "wb") as f:
        f.write(data + b"".join(images))


if __name__ == "__main__":
    main()
