"""Refuses fonts that GDI serves badly: variable fonts (an `fvar` table; GDI
sees only named instances) and CFF outlines (`CFF `/`CFF2`, rendered worse
than hinted TrueType). Reads only the table directory."""
import struct


def tables(path):
    with open(path, "rb") as f:
        head = f.read(12)
        if len(head) < 12:
            return None
        version, count = struct.unpack(">4sH", head[:6])
        if version not in (b"\x00\x01\x00\x00", b"true", b"OTTO"):
            return None
        directory = f.read(16 * count)
    if len(directory) < 16 * count:
        return None
    return {directory[16 * i:16 * i + 4] for i in range(count)}


def problem(path):
    """None for a static TrueType font, else what is wrong with it."""
    t = tables(path)
    if t is None:
        return "not a TrueType/OpenType font"
    if b"fvar" in t:
        return "a variable font"
    if b"CFF " in t or b"CFF2" in t:
        return "CFF outlines"
    if b"glyf" not in t:
        return "no TrueType outlines"
    return None
