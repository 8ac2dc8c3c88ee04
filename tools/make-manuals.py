#!/usr/bin/env python3
"""The user manuals of the program folder, one per model, from one source per
page (manuals/*.html with manual.css), and their pictures.

  make-manuals.py SOURCE_DIR MANUALS_DIR       lays Kovu\\ and KovuZent\\ into
                                               MANUALS_DIR (the build does)
  make-manuals.py --pictures CAPTURE_DIR SOURCE_DIR
                                               takes the English captures the
                                               pages show (tools/captures.sh)
                                               into SOURCE_DIR/pictures

A part of a page enclosed in the comments <!--kovu--> ... <!--/kovu--> is
for the wired model only, <!--zent--> ... <!--/zent--> for the wireless one.
{{model}}, {{pic}} and {{preview}} are filled in per model.
"""
import os
import re
import shutil
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "skinart"))
import raster  # noqa: E402

# folder: (name shown, picture prefix, preview picture's model)
MODELS = {
    "Kovu": ("Kovu", "kovu", "Kovu"),
    "KovuZent": ("Kovu Zent", "kovuzent", "KovuZent"),
}
PAGES = ("index.html", "update.html", "community.html")
SOURCES = {"index.html": "manual.html", "update.html": "update.html", "community.html": "community.html"}
PICTURE = re.compile(r'src="pictures/([A-Za-z0-9_.-]+\.png)"')


def page_for(text, folder):
    name, pic, preview = MODELS[folder]
    keep = "kovu" if folder == "Kovu" else "zent"

    def part(m):
        return m.group(2) if m.group(1) == keep else ""
    text = re.sub(r"<!--(kovu|zent)-->(.*?)<!--/\1-->", part, text, flags=re.S)
    text = text.replace("{{model}}", name).replace("{{pic}}", pic).replace("{{preview}}", preview)
    if "{{" in text or re.search(r"<!--/?(kovu|zent)-->", text):
        raise SystemExit(f"{folder}: a name or a model part is left unfilled")
    return text


def write_if_changed(path, data):
    if os.path.exists(path):
        with open(path, "rb") as f:
            if f.read() == data:
                return
    with open(path, "wb") as f:
        f.write(data)


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        raise SystemExit(f"{path}: not a PNG picture")
    return struct.unpack(">II", head[16:24])


def build(source, out):
    for folder in MODELS:
        target = os.path.join(out, folder)
        os.makedirs(os.path.join(target, "pictures"), exist_ok=True)
        for page in PAGES:
            with open(os.path.join(source, SOURCES[page]), encoding="utf-8") as f:
                text = page_for(f.read(), folder)

            # Every picture the page shows is copied beside it, with its size
            # written into the page so that the text does not jump as it loads.
            def picture(m):
                src = os.path.join(source, "pictures", m.group(1))
                if not os.path.exists(src):
                    raise SystemExit(f"{folder}: the manual shows pictures/{m.group(1)}, "
                                     f"which is not in {source}/pictures")
                shutil.copyfile(src, os.path.join(target, "pictures", m.group(1)))
                w, h = png_size(src)
                return f'{m.group(0)} width="{w}" height="{h}"'
            text = PICTURE.sub(picture, text)
            write_if_changed(os.path.join(target, page), text.encode("utf-8"))
        shutil.copyfile(os.path.join(source, "manual.css"), os.path.join(target, "manual.css"))
    return 0


def take_pictures(captures, source):
    wanted = set()
    for folder in MODELS:
        for page in PAGES:
            with open(os.path.join(source, SOURCES[page]), encoding="utf-8") as f:
                wanted.update(PICTURE.findall(page_for(f.read(), folder)))
    os.makedirs(os.path.join(source, "pictures"), exist_ok=True)
    for name in sorted(wanted):
        src = os.path.join(captures, "en_" + name)
        if not os.path.exists(src):
            raise SystemExit(f"no capture {src}: run tools/captures.sh first")
        # Captures are stored uncompressed; the manual's copies are packed.
        w, h, rgba = raster.read_png_rgba(src)
        rgb = bytearray(w * h * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = rgba[0::4], rgba[1::4], rgba[2::4]
        raster.write_png(os.path.join(source, "pictures", name), w, h, rgb)
        print(name)
    return 0


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "--pictures":
        sys.exit(take_pictures(sys.argv[2], sys.argv[3]))
    if len(sys.argv) == 3:
        sys.exit(build(sys.argv[1], sys.argv[2]))
    sys.exit(__doc__)
