#!/usr/bin/env python3
"""Lays the default skin into a program folder: the pages and popups
(xml\\), every picture they name as a 24-bit BMP (skins\\), the fonts with
their licences (fonts\\).

  make-skin.py SKIN_DIR PROGRAM_DIR WORK_DIR    build it all
  make-skin.py SKIN_DIR --list                  the files it writes, one a line

Pictures are drawn as SVG (tools/skinart), rendered by rsvg-convert with only
the skin's own fonts visible, and finished here with the standard library.
"""
import concurrent.futures
import os
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "skinart"))
import art  # noqa: E402
import fontcheck  # noqa: E402
import raster  # noqa: E402
from pages import skin_pages  # noqa: E402
from tokens import FONT_SOURCES, KEY_MAGENTA  # noqa: E402

FONT_LICENCES = {"Play-LICENSE.txt": "/usr/share/doc/fonts-play/copyright",
                 "NotoSans-LICENSE.txt": "/usr/share/doc/fonts-noto-core/copyright"}


def outputs(pages):
    return ([f"xml/{n}" for n in pages] + [f"skins/{n}" for n in art.pictures_named(pages)]
            + [f"fonts/{n}" for n in list(FONT_SOURCES) + list(FONT_LICENCES)])


def write_if_changed(path, data):
    if os.path.exists(path):
        with open(path, "rb") as f:
            if f.read() == data:
                return
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def render(job):
    name, svg_text, policy, work, fontconfig, out = job
    png = os.path.join(work, name[:-4] + ".png")
    raster.render_png(svg_text, png, fontconfig)
    w, h, rgba = raster.read_png_rgba(png)
    if policy == "mask":
        rgb = raster.mask_from_alpha(rgba)
    elif policy[0] == "key":
        rgb = raster.composite(rgba, policy[1], key=KEY_MAGENTA)
    else:
        rgb = raster.composite(rgba, policy[1])
    raster.write_bmp24(os.path.join(out, name), w, h, rgb)
    return name


def main(argv):
    skin_dir = argv[1]
    pages = skin_pages(os.path.join(skin_dir, "xml"))
    if argv[2] == "--list":
        print("\n".join(outputs(pages)))
        return 0
    program, work = argv[2], argv[3]
    for sub in ("xml", "skins", "fonts"):
        os.makedirs(os.path.join(program, sub), exist_ok=True)
    os.makedirs(work, exist_ok=True)

    fonts = os.path.join(program, "fonts")
    for name, src in FONT_SOURCES.items():
        problem = fontcheck.problem(src)
        if problem:
            raise SystemExit(f"{src}: {problem}; the skin needs static TrueType fonts")
        shutil.copyfile(src, os.path.join(fonts, name))
    for name, src in FONT_LICENCES.items():
        shutil.copyfile(src, os.path.join(fonts, name))
    # rsvg-convert sees the skin's fonts and nothing else.
    fontconfig = os.path.join(work, "fonts.conf")
    write_if_changed(fontconfig, (
        '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n<fontconfig>'
        f"<dir>{os.path.abspath(fonts)}</dir><cachedir>{os.path.abspath(work)}/fontcache</cachedir>"
        "</fontconfig>\n").encode())

    for name, text in pages.items():
        write_if_changed(os.path.join(program, "xml", name), text.encode("utf-8"))

    skins = os.path.join(program, "skins")
    jobs = [(n, *art.picture(n, pages), work, fontconfig, skins) for n in art.pictures_named(pages)]
    with concurrent.futures.ProcessPoolExecutor(max_workers=min(4, os.cpu_count() or 1)) as pool:
        for _ in pool.map(render, jobs):
            pass
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
