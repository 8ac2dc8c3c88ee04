#!/usr/bin/env python3
"""The user manuals of the program folder, one per model, from one source per
page and language (manuals/*.html with manual.css), and their pictures.

  make-manuals.py SOURCE_DIR MANUALS_DIR       lays Kovu\\ and KovuZent\\ into
                                               MANUALS_DIR (the build does)
  make-manuals.py --pictures CAPTURE_DIR SOURCE_DIR
                                               takes the captures the pages
                                               show (tools/captures.sh) into
                                               SOURCE_DIR/pictures, the German
                                               ones into pictures/de

A part of a page enclosed in the comments <!--kovu--> ... <!--/kovu--> is
for the wired model only, <!--zent--> ... <!--/zent--> for the wireless one.
{{model}}, {{pic}} and {{preview}} are filled in per model.

The German pages (manual.de.html ... laid out as index.de.html ...) show
pictures/de/NAME where there is one, else the English pictures/NAME. Every
page must link to its page in the other language, and every link between the
pages must lead to a page and an id that exist: the layout fails otherwise.
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
# page laid out: its source; each in English and, with the suffix .de, German
SOURCES = {"index": "manual", "update": "update", "community": "community"}
LANGUAGES = ("en", "de")
PICTURE = re.compile(r'src="pictures/([A-Za-z0-9_.-]+\.png)"')
LINK = re.compile(r'href="([^"]*)"')


def page_name(page, lang, stem=None):
    return (stem or page) + ("" if lang == "en" else "." + lang) + ".html"


def pages():
    """(language, page laid out, its source) of every page."""
    return [(lang, page_name(page, lang), page_name(page, lang, SOURCES[page]))
            for lang in LANGUAGES for page in SOURCES]


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


def check_links(folder, texts):
    """Every page links to its other language, and every link between the
    pages leads to a page and an id that exist."""
    ids = {page: set(re.findall(r'\bid="([^"]+)"', text)) for page, text in texts.items()}
    for page, text in texts.items():
        links = LINK.findall(text)
        other = page.replace(".de.html", ".html") if page.endswith(".de.html") \
            else page.replace(".html", ".de.html")
        if other not in links:
            raise SystemExit(f"{folder}/{page}: no link to {other}")
        for link in links:
            if re.match(r"[a-z]+:", link) or link.endswith(".css"):
                continue
            target, _, anchor = link.partition("#")
            target = target or page
            if target not in texts or (anchor and anchor not in ids[target]):
                raise SystemExit(f"{folder}/{page}: the link {link} leads nowhere")


def build(source, out):
    for folder in MODELS:
        target = os.path.join(out, folder)
        texts = {}
        for lang, page, src_name in pages():
            with open(os.path.join(source, src_name), encoding="utf-8") as f:
                text = page_for(f.read(), folder)

            # Every picture the page shows is copied beside it, with its size
            # written into the page so that the text does not jump as it loads.
            def picture(m):
                name = m.group(1)
                if lang != "en" and os.path.exists(os.path.join(source, "pictures", lang, name)):
                    name = lang + "/" + name
                src = os.path.join(source, "pictures", name)
                if not os.path.exists(src):
                    raise SystemExit(f"{folder}: the manual shows pictures/{name}, "
                                     f"which is not in {source}/pictures")
                os.makedirs(os.path.dirname(os.path.join(target, "pictures", name)), exist_ok=True)
                shutil.copyfile(src, os.path.join(target, "pictures", name))
                w, h = png_size(src)
                return f'src="pictures/{name}" width="{w}" height="{h}"'
            texts[page] = PICTURE.sub(picture, text)
        check_links(folder, texts)
        for page, text in texts.items():
            write_if_changed(os.path.join(target, page), text.encode("utf-8"))
        shutil.copyfile(os.path.join(source, "manual.css"), os.path.join(target, "manual.css"))
    return 0


def take_pictures(captures, source):
    wanted = set()
    for folder in MODELS:
        for lang, _, src_name in pages():
            with open(os.path.join(source, src_name), encoding="utf-8") as f:
                wanted.update((lang, name) for name in PICTURE.findall(page_for(f.read(), folder)))
    for lang, name in sorted(wanted):
        folder = os.path.join(source, "pictures", *([] if lang == "en" else [lang]))
        src = os.path.join(captures, lang + "_" + name)
        if not os.path.exists(src):
            if lang == "en":
                raise SystemExit(f"no capture {src}: run tools/captures.sh first")
            # The page falls back to the English picture.
            if os.path.exists(os.path.join(folder, name)):
                os.remove(os.path.join(folder, name))
            print(f"{lang}/{name}: no capture, the English picture is shown")
            continue
        # Captures are stored uncompressed; the manual's copies are packed.
        w, h, rgba = raster.read_png_rgba(src)
        rgb = bytearray(w * h * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = rgba[0::4], rgba[1::4], rgba[2::4]
        os.makedirs(folder, exist_ok=True)
        raster.write_png(os.path.join(folder, name), w, h, rgb)
        print(name if lang == "en" else f"{lang}/{name}")
    return 0


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "--pictures":
        sys.exit(take_pictures(sys.argv[2], sys.argv[3]))
    if len(sys.argv) == 3:
        sys.exit(build(sys.argv[1], sys.argv[2]))
    sys.exit(__doc__)
