"""SVG to 24-bit BMP with the standard library only: rsvg-convert renders
RGBA PNG, this module decodes it, blends it over the colour that really lies
behind it in the window, keys what must be see-through, and writes BMP."""
import os
import struct
import subprocess
import zlib
from itertools import accumulate
from operator import add

_BYTE = (255).__and__

from tokens import hexrgb


def render_png(svg_text, png_path, fontconfig):
    svg_path = png_path[:-4] + ".svg"
    with open(svg_path, "w", encoding="utf-8") as f:
        f.write(svg_text)
    env = dict(os.environ, FONTCONFIG_FILE=fontconfig)
    subprocess.run(["rsvg-convert", "-f", "png", "-o", png_path, svg_path], check=True, env=env)


def _unfilter(raw, width, height, bpp):
    stride = width * bpp
    out = bytearray(stride * height)
    prev = bytearray(stride)
    pos = 0
    for y in range(height):
        ftype = raw[pos]
        line = bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        if ftype == 1:
            for c in range(bpp):
                line[c::bpp] = bytes(map(_BYTE, accumulate(line[c::bpp])))
        elif ftype == 2:
            line = bytearray(map(_BYTE, map(add, line, prev)))
        elif ftype == 3:
            for i in range(stride):
                left = line[i - bpp] if i >= bpp else 0
                line[i] = (line[i] + ((left + prev[i]) >> 1)) & 0xFF
        elif ftype == 4:
            for i in range(bpp):
                line[i] = (line[i] + prev[i]) & 0xFF
            for i in range(bpp, stride):
                a, b, c = line[i - bpp], prev[i], prev[i - bpp]
                pa, pb = b - c, a - c
                pc = pa + pb
                pa, pb, pc = (pa if pa >= 0 else -pa), (pb if pb >= 0 else -pb), (pc if pc >= 0 else -pc)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else (b if pb <= pc else c))) & 0xFF
        out[y * stride:(y + 1) * stride] = line
        prev = line
    return out


def read_png_rgba(path):
    """(width, height, RGBA bytes, top row first) of an 8-bit RGBA or RGB PNG."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG")
    pos, idat = 8, []
    width = height = ctype = 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, ctype = struct.unpack(">IIBB", body[:10])
            if depth != 8 or ctype not in (2, 6):
                raise ValueError(f"{path}: unsupported PNG format")
        elif kind == b"IDAT":
            idat.append(body)
        pos += 12 + length
    bpp = 4 if ctype == 6 else 3
    px = _unfilter(zlib.decompress(b"".join(idat)), width, height, bpp)
    if bpp == 3:
        rgba = bytearray(width * height * 4)
        rgba[0::4], rgba[1::4], rgba[2::4] = px[0::3], px[1::3], px[2::3]
        rgba[3::4] = b"\xff" * (width * height)
        px = rgba
    return width, height, px


def composite(rgba, under, key=None, cut=0.5):
    """RGB bytes: each pixel blended over `under`; with a key colour, pixels
    below the coverage cut become the key and no drawn pixel equals it."""
    ur, ug, ub = hexrgb(under)
    kt = bytes(hexrgb(key)) if key else None
    thr = int(cut * 255)
    n = len(rgba) // 4
    out = bytearray(n * 3)
    out[0::3], out[1::3], out[2::3] = rgba[0::4], rgba[1::4], rgba[2::4]
    alpha = rgba[3::4]
    for i in [i for i, a in enumerate(alpha) if a != 255]:
        r, g, b, a = rgba[4 * i:4 * i + 4]
        if kt and a < thr:
            out[3 * i:3 * i + 3] = kt
            continue
        na = 255 - a
        out[3 * i:3 * i + 3] = bytes(((r * a + ur * na + 127) // 255, (g * a + ug * na + 127) // 255,
                                      (b * a + ub * na + 127) // 255))
    if kt:  # a drawn pixel that happens to be the key would turn see-through
        pos = out.find(kt)
        while pos != -1:
            if pos % 3 == 0 and alpha[pos // 3] >= thr:
                out[pos] ^= 1
                out[pos + 2] ^= 1
            pos = out.find(kt, pos + 1)
    return out


def mask_from_alpha(rgba, cut=0.5):
    """1-bit style mask as RGB bytes: black inside (coverage at the cut or
    more), white outside."""
    thr = int(cut * 255)
    return bytearray(b"".join(b"\x00\x00\x00" if a >= thr else b"\xff\xff\xff" for a in rgba[3::4]))


def write_bmp24(path, width, height, rgb):
    """A bottom-up BI_RGB 24-bit BMP with fixed resolution fields, so the
    same picture always gives the same bytes."""
    row = (width * 3 + 3) & ~3
    pad = b"\x00" * (row - width * 3)
    body = bytearray()
    for y in range(height - 1, -1, -1):
        line = rgb[y * width * 3:(y + 1) * width * 3]
        bgr = bytearray(len(line))
        bgr[0::3], bgr[1::3], bgr[2::3] = line[2::3], line[1::3], line[0::3]
        body += bgr + pad
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 3780, 3780, 0, 0)
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(header + info + body)
    os.replace(tmp, path)


def read_bmp24(path):
    """(width, height, RGB top row first) of a BMP written by write_bmp24."""
    with open(path, "rb") as f:
        data = f.read()
    width, height, planes, bits, comp = struct.unpack("<iiHHI", data[18:34])
    if bits != 24 or comp != 0:
        raise ValueError(f"{path}: not a 24-bit BI_RGB BMP")
    off = struct.unpack("<I", data[10:14])[0]
    row = (width * 3 + 3) & ~3
    rgb = bytearray(width * abs(height) * 3)
    for y in range(abs(height)):
        src = off + (abs(height) - 1 - y if height > 0 else y) * row
        line = data[src:src + width * 3]
        dst = y * width * 3
        rgb[dst:dst + width * 3:3] = line[2::3]
        rgb[dst + 1:dst + width * 3:3] = line[1::3]
        rgb[dst + 2:dst + width * 3:3] = line[0::3]
    return width, abs(height), rgb


def write_png(path, width, height, rgb):
    """An RGB PNG (for looking at pictures and contact sheets)."""
    raw = b"".join(b"\x00" + bytes(rgb[y * width * 3:(y + 1) * width * 3]) for y in range(height))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    data = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(data)
