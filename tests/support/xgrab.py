"""Grabs what the X server shows of the Wine desktop, as one binary PPM.

    xgrab.py OUT.ppm

The picture is the server's own: one XGetImage of the root window over the
desktop's rectangle, which reads the screen as it is composed (every window,
its shape, what lies beneath). xwd is no substitute: on a screen with more
than one colormap (every Wine process has its own) it builds the picture
window by window, takes a window that lies wholly inside another of the same
visual for part of that one (an owned pop-up reads as black) and ignores
window shapes.

The desktop is Wine's virtual desktop window when there is one (its origin is
Windows' screen origin), else the whole root. The file appears complete or
not at all (written aside, then renamed): the Windows test that started this
program cannot wait for it, and waits for the file instead. Exit code 0 on
success, 1 without a display or on failure.
"""
import ctypes
import ctypes.util
import os
import sys


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int),
                ("red_mask", ctypes.c_ulong), ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong)]


def load_xlib():
    x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
    Window, Display = ctypes.c_ulong, ctypes.c_void_p
    x.XOpenDisplay.restype = Display
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XCloseDisplay.argtypes = [Display]
    x.XDefaultRootWindow.restype = Window
    x.XDefaultRootWindow.argtypes = [Display]
    x.XQueryTree.argtypes = [Display, Window, ctypes.POINTER(Window), ctypes.POINTER(Window),
                             ctypes.POINTER(ctypes.POINTER(Window)), ctypes.POINTER(ctypes.c_uint)]
    x.XFetchName.argtypes = [Display, Window, ctypes.POINTER(ctypes.c_char_p)]
    x.XFree.argtypes = [ctypes.c_void_p]
    x.XGetGeometry.argtypes = [Display, Window, ctypes.POINTER(Window)] + [ctypes.POINTER(ctypes.c_int)] * 2 + \
        [ctypes.POINTER(ctypes.c_uint)] * 4
    x.XTranslateCoordinates.argtypes = [Display, Window, Window, ctypes.c_int, ctypes.c_int,
                                        ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int),
                                        ctypes.POINTER(Window)]
    x.XGetImage.restype = ctypes.POINTER(XImage)
    x.XGetImage.argtypes = [Display, Window, ctypes.c_int, ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                            ctypes.c_ulong, ctypes.c_int]
    return x


def children(x, d, w):
    root, parent = ctypes.c_ulong(), ctypes.c_ulong()
    kids, n = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
    if not x.XQueryTree(d, w, ctypes.byref(root), ctypes.byref(parent), ctypes.byref(kids), ctypes.byref(n)):
        return []
    out = [kids[i] for i in range(n.value)]
    if kids:
        x.XFree(kids)
    return out


def name_of(x, d, w):
    name = ctypes.c_char_p()
    if not x.XFetchName(d, w, ctypes.byref(name)) or not name.value:
        return ""
    text = name.value.decode("utf-8", "replace")
    x.XFree(name)
    return text


def desktop_rect(x, d, root):
    """The Wine desktop window's rectangle in root coordinates, else None."""
    # A window manager may frame it: look one level further down as well.
    for top in children(x, d, root):
        for w in [top] + children(x, d, top):
            if name_of(x, d, w).endswith("Wine desktop"):
                r, gx, gy = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_int()
                width, height, border, depth = (ctypes.c_uint() for _ in range(4))
                x.XGetGeometry(d, w, ctypes.byref(r), ctypes.byref(gx), ctypes.byref(gy), ctypes.byref(width),
                               ctypes.byref(height), ctypes.byref(border), ctypes.byref(depth))
                ox, oy, child = ctypes.c_int(), ctypes.c_int(), ctypes.c_ulong()
                x.XTranslateCoordinates(d, w, root, 0, 0, ctypes.byref(ox), ctypes.byref(oy), ctypes.byref(child))
                return ox.value, oy.value, width.value, height.value
    return None


def main(argv):
    if len(argv) != 2:
        print("usage: xgrab.py OUT.ppm", file=sys.stderr)
        return 2
    x = load_xlib()
    d = x.XOpenDisplay(None)
    if not d:
        print("xgrab: no X display", file=sys.stderr)
        return 1
    root = x.XDefaultRootWindow(d)
    rect = desktop_rect(x, d, root)
    if rect is None:
        r, gx, gy = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_int()
        width, height, border, depth = (ctypes.c_uint() for _ in range(4))
        x.XGetGeometry(d, root, ctypes.byref(r), ctypes.byref(gx), ctypes.byref(gy), ctypes.byref(width),
                       ctypes.byref(height), ctypes.byref(border), ctypes.byref(depth))
        rect = (0, 0, width.value, height.value)
    left, top, w, h = rect
    img = x.XGetImage(d, root, left, top, w, h, 0xFFFFFFFF, 2)  # ZPixmap
    if not img or img.contents.bits_per_pixel != 32:
        print("xgrab: no 32-bit image of the screen", file=sys.stderr)
        return 1
    im = img.contents
    raw = ctypes.string_at(im.data, im.bytes_per_line * h)
    shifts = [(m & -m).bit_length() - 1 for m in (im.red_mask, im.green_mask, im.blue_mask)]
    if shifts != [16, 8, 0] or im.byte_order != 0:
        print("xgrab: unexpected pixel layout", file=sys.stderr)
        return 1
    rgb = bytearray(w * h * 3)
    for y in range(h):
        line = raw[y * im.bytes_per_line: y * im.bytes_per_line + w * 4]
        row = rgb[y * w * 3:(y + 1) * w * 3]
        row[0::3], row[1::3], row[2::3] = line[2::4], line[1::4], line[0::4]
        rgb[y * w * 3:(y + 1) * w * 3] = row
    x.XCloseDisplay(d)
    out = argv[1]
    part = out + ".part"
    with open(part, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (w, h))
        f.write(rgb)
    os.replace(part, out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
