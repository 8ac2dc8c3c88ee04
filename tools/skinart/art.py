"""Which SVG makes each picture the pages name, and how it is finished.

A picture is found by its name: widget pictures carry their kind, size and
state in it (btn_200x32_o.bmp is a secondary 200x32 button under the mouse),
so a page that needs a new size only names it. The rest are listed here.

Finish ("policy"): ("opaque", under) blends every pixel over the colour that
lies behind the picture in the window; ("key", under) also turns pixels
below half coverage into the magenta key (slider thumbs, whose corner pixel
is their key); "mask" writes black where the shape is and white elsewhere.
"""
import re
import xml.etree.ElementTree as ET

import mouse
import widgets as W
from tokens import WINDOW, colour as C

STATES = "n|o|d|ds"
MODEL_LABELS = {"kovuzent": "KOVU ZENT", "kovu": "KOVU", "kovuquarel": "KOVU QUAREL", "null": "NO MOUSE"}

# Pictures the code loads by name rather than through a page.
CODE_PICTURES = ["stageSelected.bmp"]


def main_background():
    w, h = WINDOW
    shape = W.chamfer_path(0, 0, w, h, 8)
    g = f'<path d="{shape}" fill="{C("bg")}"/>'
    g += W.rect(0, 96, w, 472, C("s1")) + W.rect(0, 96, w, 1, C("line")) + W.rect(0, 567, w, 1, C("line"))
    g += W.text(24, 31, "TANDU", 22, C("t1"), anchor="start", extra=' letter-spacing="2"')
    g += W.text(110, 31, "KOVU", 22, C("acc"), weight=400, anchor="start", extra=' letter-spacing="2"')
    g += f'<path d="{W.chamfer_path(0.5, 0.5, w - 1, h - 1, 7.5)}" fill="none" stroke="{C("s3")}"/>'
    return W.svg(w, h, g)


def _rect_of(root, item):
    for e in root.iter():
        if e.get("name") == item:
            r = e.find("RECT") if e.find("CBOX") is None else e.find("CBOX").find("RECT")
            return tuple(int(r.get(k, 0)) for k in ("left", "top", "right", "bottom"))
    raise SystemExit(f"the button page has no {item}")


BUTTON_PAGE = ("AssignButtons.xml", "AssignButtons_KovuZent.xml", "BITMAP_KOVUZENTVIEWPLAN", {
    "left": "BUTTON_ASSNLEFTCLICK", "right": "BUTTON_ASSNRIGHTCLICK", "wheelclick": "BUTTON_ASSNSCROLLBUTTON",
    "forward": "BUTTON_ASSNBUTTON5", "back": "BUTTON_ASSNBUTTON4", "wheelup": "BUTTON_ASSNSCROLLUP",
    "wheeldown": "BUTTON_ASSNSCROLLDOWN"})
PREVIEW = ("PreviewPopup.xml", "PreviewPopup_KovuZent.xml", "BITMAP_KOVU_TOPVIEW", {
    "left": "TEXT_PREVIEW_01", "right": "TEXT_PREVIEW_02", "wheelclick": "TEXT_PREVIEW_03",
    "back": "TEXT_PREVIEW_04", "forward": "TEXT_PREVIEW_05", "wheelup": "TEXT_PREVIEW_06",
    "wheeldown": "TEXT_PREVIEW_07"})


def leader_targets(pages, where):
    """Leader end y of each top-view button: the centre of the item that
    shows it (a drop-down, a text), relative to the picture's top."""
    page, variant, picture_id, ids = where
    base = ET.fromstring(pages[page].encode())
    top = _rect_of(ET.fromstring(pages[variant].encode()), picture_id)[1]
    out = {}
    for key, item in ids.items():
        _, y, _, hgt = _rect_of(base, item)
        out[key] = y + hgt // 2 - top
    return out


def picture(name, pages):
    """(svg text, policy) for a picture name; SystemExit for an unknown name."""
    m = re.fullmatch(rf"(btn|seg|acc|del|rec|foot|footacc)_(\d+)x(\d+)_({STATES})\.bmp", name)
    if m:
        kind, w, h, st = m.group(1), int(m.group(2)), int(m.group(3)), m.group(4)
        return W.button(kind, w, h, st), ("opaque", W.BUTTON_KINDS[kind][1])
    m = re.fullmatch(rf"icon_(\w+)_(bg|s1)_(\d+)_({STATES})\.bmp", name)
    if m:
        return W.icon_button(m.group(1), m.group(2), int(m.group(3)), m.group(4)), ("opaque", m.group(2))
    m = re.fullmatch(rf"tab_({STATES})\.bmp", name)
    if m:
        return W.tab(m.group(1)), ("opaque", "bg")
    m = re.fullmatch(rf"check_({STATES})\.bmp", name)
    if m:
        return W.check(m.group(1)), ("opaque", "s1")
    m = re.fullmatch(r"led_(n|d)\.bmp", name)
    if m:
        return W.led(m.group(1)), ("opaque", "s1")
    m = re.fullmatch(r"(lcheck|radio)_(n|d|m)\.bmp", name)
    if m:
        return W.list_check(m.group(1), m.group(2)), "mask" if m.group(2) == "m" else ("opaque", "bg")
    m = re.fullmatch(r"(thumb|thumbdis)_(n|o)\.bmp", name)
    if m:
        return W.thumb(m.group(1), m.group(2)), ("key", "s1")
    m = re.fullmatch(r"(track|trackdis)_(\d+)x(\d+)\.bmp", name)
    if m:
        return W.track(m.group(1), int(m.group(2)), int(m.group(3))), ("opaque", "s1")
    m = re.fullmatch(r"popup(del)?_(\d+)x(\d+)(_m)?\.bmp", name)
    if m:
        w, h = int(m.group(2)), int(m.group(3))
        if m.group(4):
            return W.mask(w, h), "mask"
        return W.popup(w, h, "err" if m.group(1) else "acc"), ("opaque", "s1")
    m = re.fullmatch(r"stage_(frame|framesel)_(\d+)x(\d+)\.bmp", name)
    if m:
        return W.stage_frame(int(m.group(2)), int(m.group(3)), m.group(1) == "framesel"), ("opaque", "s1")
    m = re.fullmatch(r"stage_win_(\d+)x(\d+)\.bmp", name)
    if m:
        return W.stage_window(int(m.group(1)), int(m.group(2))), ("opaque", "s2")
    m = re.fullmatch(r"colorbox_(\d+)x(\d+)\.bmp", name)
    if m:
        return W.colour_box(int(m.group(1)), int(m.group(2))), ("opaque", "s2")
    m = re.fullmatch(r"well_(\d+)x(\d+)\.bmp", name)
    if m:
        return W.well(int(m.group(1)), int(m.group(2))), ("opaque", "s1")
    m = re.fullmatch(r"loading(\d+)\.bmp", name)
    if m:
        return W.spinner(int(m.group(1)) - 1), ("opaque", "s1")
    m = re.fullmatch(r"model_(\w+)\.bmp", name)
    if m and m.group(1) in MODEL_LABELS:
        return W.model_badge(MODEL_LABELS[m.group(1)]), ("opaque", "bg")
    m = re.fullmatch(r"mouse_(\w+?)_(top|side|grid|preview|lights)\.bmp", name)
    if m and m.group(1) in mouse.MODELS:
        model, view = m.group(1), m.group(2)
        if view == "top":
            return mouse.top_view(model, leader_targets(pages, BUTTON_PAGE)), ("opaque", "s1")
        if view == "lights":
            return mouse.top_view(model, None, (320, 380), 0.92, lit=True), ("opaque", "s1")
        if view == "preview":
            return mouse.top_view(model, leader_targets(pages, PREVIEW), (240, 320), 0.8), ("opaque", "s1")
        return (mouse.side_view(model) if view == "side" else mouse.grid_view(model)), ("opaque", "s1")
    m = re.fullmatch(r"keytile_(n|o|d)\.bmp", name)
    if m:
        return W.key_tile(m.group(1)), ("opaque", "s1")
    if name == "preview_grid.bmp":
        return mouse.preview_grid(), ("opaque", "s1")
    m = re.fullmatch(r"md_(keydn|keyup|delay|click)(_h)?\.bmp", name)
    if m:
        return W.macro_icon(m.group(1), bool(m.group(2))), ("opaque", "bg")
    m = re.fullmatch(r"sb_(end|up|down|span|thumb)\.bmp", name)
    if m:
        return W.scroll_part(m.group(1)), ("opaque", "bg")
    fixed = {
        "main_bg.bmp": (main_background, ("opaque", "bg")),
        "main_mask.bmp": (lambda: W.mask(*WINDOW), "mask"),
        "battery_seg.bmp": (W.battery_segment, ("opaque", "bg")),
        "conn_wired.bmp": (lambda: W.connection("wired"), ("opaque", "bg")),
        "conn_wireless.bmp": (lambda: W.connection("wireless"), ("opaque", "bg")),
        "divider.bmp": (lambda: W.divider(952, 1), ("opaque", "s1")),
        "vdivider.bmp": (lambda: W.divider(1, 380), ("opaque", "s1")),
        "stageSelected.bmp": (lambda: W.stage_window(80, 40, True), ("opaque", "s2")),
    }
    if name in fixed:
        make, policy = fixed[name]
        return make(), policy
    raise SystemExit(f"no picture is known by the name {name}")


PICTURE_TAGS = {"SBMN", "SBMO", "SBMD", "SBMDS", "SBMM", "BACKGROUND", "MASK", "BMPDATA", "MARK",
                "MDBMP_KEYDN", "MDBMP_KEYUP", "MDBMP_MSE", "MDBMP_MSEH", "MDBMP_CLK", "MDBMP_CLKH",
                "VSBMP_TOP", "VSBMP_BOT", "VSBMP_AUP", "VSBMP_ADN", "VSBMP_SPN", "VSBMP_TMB"}


def pictures_named(pages):
    """Every picture file the pages and the code name, sorted."""
    names = set(CODE_PICTURES)
    for text in pages.values():
        for e in ET.fromstring(text.encode()).iter():
            if e.tag in PICTURE_TAGS and e.text and e.text.strip():
                names.add(e.text.strip())
    return sorted(names)
