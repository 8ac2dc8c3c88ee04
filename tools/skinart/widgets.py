"""SVG for the skin's repeated pictures: buttons and their states, tabs,
check boxes, slider thumbs and tracks, icon glyphs, scroll-bar parts, popup
frames, stage tiles, spinner frames. Each function returns SVG text of the
exact bitmap size (1 unit = 1 pixel); the caller composites it over the
colour that lies behind it in the window."""
import math

from tokens import colour as C


def svg(w, h, body, defs=""):
    d = f"<defs>{defs}</defs>" if defs else ""
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">{d}{body}</svg>')


def rect(x, y, w, h, fill, r=0, stroke=None, sw=1, extra=""):
    """A rectangle; a stroked one sits on half pixels so its border is crisp."""
    if stroke:
        x, y, w, h = x + sw / 2, y + sw / 2, w - sw, h - sw
        s = f' stroke="{stroke}" stroke-width="{sw}"'
    else:
        s = ""
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="{fill}"{s}{extra}/>'


def chamfer_path(x, y, w, h, c, corners="tl tr br bl"):
    """A rectangle with 45-degree cut corners: a 1-bit mask keeps its edges clean."""
    tl, tr, br, bl = (c if k in corners.split() else 0 for k in ("tl", "tr", "br", "bl"))
    pts = [(x + tl, y), (x + w - tr, y), (x + w, y + tr), (x + w, y + h - br), (x + w - br, y + h),
           (x + bl, y + h), (x, y + h - bl), (x, y + tl)]
    return "M" + " L".join(f"{px},{py}" for px, py in pts) + " Z"


def text(x, y, s, size, fill, weight=700, family="Play", anchor="middle", extra=""):
    s = s.replace("&", "&amp;").replace("<", "&lt;")
    return (f'<text x="{x}" y="{y}" font-family="{family}" font-weight="{weight}" font-size="{size}" '
            f'fill="{fill}" text-anchor="{anchor}"{extra}>{s}</text>')


# ---- buttons ---------------------------------------------------------------

# kind: (style, surface behind it)
BUTTON_KINDS = {
    "btn": ("secondary", "s1"), "seg": ("toggle", "s1"), "acc": ("accent", "s1"),
    "del": ("danger", "s1"), "rec": ("record", "s1"), "foot": ("secondary", "bg"),
    "footacc": ("accent", "bg"),
}


def button(kind, w, h, state):
    style, under = BUTTON_KINDS[kind]
    face, border = {
        "n": (C("s2"), C("ctl")),
        "o": (C("s3"), C("acc")),
        "d": ("#111214", C("accp")),
        "ds": (C(under), C("line")),
    }[state]
    if style == "accent" and state != "ds":
        face, border = {"n": C("acc"), "o": C("acch"), "d": C("accp")}[state], None
    if style == "toggle" and state == "d":
        face, border = C("acc"), None
    if style == "danger" and state in ("o", "d"):
        border = C("err")
    body = rect(0, 0, w, h, face, 6, border) if border else rect(0, 0, w, h, face, 6)
    if style == "record":
        # The dot says "record"; pressed (and every other blink) is the live state.
        dot = {"n": C("err"), "o": C("err"), "d": C("onacc"), "ds": C("tdis")}[state]
        if state == "d":
            body = rect(0, 0, w, h, C("err"), 6)
        body += f'<circle cx="20" cy="{h / 2}" r="6" fill="{dot}"/>'
    return svg(w, h, body)


def tab(state, w=256, h=48):
    """Tabs are text on the header band; the chosen one is underlined in the
    accent. The art is plain to its right edge, so one picture serves every
    tab width."""
    body = ""
    if state == "o":
        body = rect(0, h - 2, w, 2, C("s4"))
    elif state == "d":
        body = rect(0, h - 3, w, 3, C("acc"))
    return svg(w, h, body)


def check(state, size=18):
    fill, border = {"n": (C("s2"), C("ctl")), "o": (C("s2"), C("acc")),
                    "d": (C("acc"), None), "ds": (C("s1"), C("line"))}[state]
    body = rect(0, 0, size, size, fill, 2, border) if border else rect(0, 0, size, size, fill, 2)
    if state == "d":
        body += (f'<path d="M4.5,9.5 L7.5,12.5 L13.5,5.5" fill="none" stroke="{C("onacc")}" '
                 f'stroke-width="2" stroke-linecap="round" stroke-linejoin="round"/>')
    return svg(size, size, body)


def key_tile(state, w=150, h=56):
    """A thumb key of the preview: its assignment is its caption."""
    face, border = {"n": ("#2F3338", C("ctl")), "o": (C("s3"), C("acc")), "d": ("#2F3338", C("acc"))}[state]
    return svg(w, h, rect(0, 0, w, h, face, 8, border) + rect(4, 4, w - 8, h - 8, "#fff", 6, extra=' opacity="0.03"'))


def led(state, size=18):
    """The Shift / Ctrl / Alt indicators of the single-key popup."""
    lit = state == "d"
    body = (f'<circle cx="9" cy="9" r="8.5" fill="{C("s2")}"/>'
            f'<circle cx="9" cy="9" r="5" fill="{C("acc") if lit else C("s3")}"/>')
    return svg(size, size, body)


def list_check(kind, state, size=16):
    """Check pictures of the profile list: drawn through a mask, so they sit on
    any row colour."""
    if state == "m":
        shape = (f'<circle cx="8" cy="8" r="7" fill="#000"/>' if kind == "radio"
                 else rect(1, 1, 14, 14, "#000", 2))
        return svg(size, size, shape)
    if kind == "radio":
        body = f'<circle cx="8" cy="8" r="6.5" fill="{C("bg")}" stroke="{C("ctl")}"/>'
        if state == "d":
            body = (f'<circle cx="8" cy="8" r="6.5" fill="{C("bg")}" stroke="{C("acc")}"/>'
                    f'<circle cx="8" cy="8" r="3.5" fill="{C("acc")}"/>')
        return svg(size, size, body)
    if state == "d":
        body = rect(1, 1, 14, 14, C("acc"), 2) + (
            f'<path d="M4,8.5 L6.8,11.2 L12,5.2" fill="none" stroke="{C("onacc")}" stroke-width="2" '
            f'stroke-linecap="round" stroke-linejoin="round"/>')
    else:
        body = rect(1, 1, 14, 14, C("bg"), 2, C("ctl"))
    return svg(size, size, body)


# ---- sliders ---------------------------------------------------------------

def thumb(kind, state, size=20):
    """A thumb on its own 2 px ring of the panel colour; the corners are the
    key colour, which the slider cuts away."""
    disc = {"n": C("t1"), "o": C("acc")}[state]
    if kind == "thumbdis":
        disc = C("tdis")
    r = size / 2
    return svg(size, size, f'<circle cx="{r}" cy="{r}" r="{r}" fill="{C("s1")}"/>'
                           f'<circle cx="{r}" cy="{r}" r="{r - 2}" fill="{disc}"/>')


def track(kind, w, h):
    bar = "#44484F" if kind == "track" else C("s3")
    y = h // 2 - 2
    return svg(w, h, rect(0, 0, w, h, C("s1")) + rect(10, y, w - 20, 4, bar, 2))


# ---- icons -----------------------------------------------------------------

def _glyph(name, c, s):
    """Glyph paths on a 24-unit grid, scaled to the button."""
    line = f'fill="none" stroke="{c}" stroke-width="2" stroke-linecap="round" stroke-linejoin="round"'
    g = {
        "close": f'<path d="M7,7 L17,17 M17,7 L7,17" {line}/>',
        "help": (f'<path d="M9.2,9.2 A2.9,2.9 0 1 1 13.6,11.6 C12.6,12.3 12,12.9 12,14.2" {line}/>'
                 f'<circle cx="12" cy="17.6" r="1.3" fill="{c}"/>'),
        "update": f'<path d="M12,4 L12,14 M8,10.5 L12,14.5 L16,10.5 M6,18.5 L18,18.5" {line}/>',
        "new": f'<path d="M12,6 L12,18 M6,12 L18,12" {line}/>',
        "plus": f'<path d="M12,6 L12,18 M6,12 L18,12" {line}/>',
        "minus": f'<path d="M6,12 L18,12" {line}/>',
        "rename": f'<path d="M6,18 L7,14 L15.5,5.5 L18.5,8.5 L10,17 Z M13.5,7.5 L16.5,10.5" {line}/>',
        "save": (f'<path d="M6,5 L16,5 L19,8 L19,19 L5,19 L5,5 Z M8,5 L8,9 L15,9 L15,5 M8,19 L8,14 L16,14 L16,19" '
                 f'{line}/>'),
        "import": f'<path d="M12,4 L12,14 M8,10.5 L12,14.5 L16,10.5 M5,15 L5,19 L19,19 L19,15" {line}/>',
        "export": f'<path d="M12,15 L12,5 M8,8.5 L12,4.5 L16,8.5 M5,15 L5,19 L19,19 L19,15" {line}/>',
        "delete": (f'<path d="M5,7 L19,7 M10,7 L10,5 L14,5 L14,7 M7,7 L8,19 L16,19 L17,7 M10.5,10.5 L10.5,16 '
                   f'M13.5,10.5 L13.5,16" {line}/>'),
        "play": f'<path d="M8,5.5 L18.5,12 L8,18.5 Z" fill="{c}"/>',
        "stop": f'<rect x="7" y="7" width="10" height="10" rx="1.5" fill="{c}"/>',
        "first": f'<path d="M7,6 L7,18" {line}/><path d="M18,6 L9.5,12 L18,18 Z" fill="{c}"/>',
        "last": f'<path d="M17,6 L17,18" {line}/><path d="M6,6 L14.5,12 L6,18 Z" fill="{c}"/>',
    }[name]
    k = s / 24
    return f'<g transform="scale({k})">{g}</g>'


def icon_button(glyph, under, size, state):
    """Round icon buttons: a glyph alone, a disc under it on hover and press."""
    disc = {"n": None, "o": C("s3"), "d": C("s4"), "ds": None}[state]
    ink = {"n": C("t2"), "o": C("t1"), "d": C("acc"), "ds": C("tdis")}[state]
    r = size / 2
    body = f'<circle cx="{r}" cy="{r}" r="{r}" fill="{disc}"/>' if disc else ""
    g = 24 if size <= 32 else 28
    off = (size - g) / 2
    body += f'<g transform="translate({off},{off})">{_glyph(glyph, ink, g)}</g>'
    return svg(size, size, body)


# ---- small pictures ----------------------------------------------------------

def scroll_part(part):
    w = 10
    groove = C("s2")
    if part == "end":
        return svg(w, 2, "")
    if part == "span":
        return svg(w, 8, rect(4, 0, 2, 8, groove))
    if part == "thumb":
        return svg(w, 32, rect(2, 0, 6, 32, C("s4"), 3))
    pts = "2,8 5,4 8,8" if part == "up" else "2,4 5,8 8,4"
    return svg(w, 12, f'<polyline points="{pts}" fill="none" stroke="{C("t2")}" stroke-width="1.5" '
                      f'stroke-linecap="round" stroke-linejoin="round"/>')


def battery_segment():
    return svg(6, 16, rect(0, 0, 6, 16, C("ok"), 1))


def divider(w, h):
    return svg(w, h, rect(0, 0, w, h, C("line")))


def colour_box(w, h, arrow=18, swatch=24):
    """The colour box's overlay: pure red is see-through (the arrow strip and
    the chosen colour show there); elsewhere the box's border and surface
    (drawn here too, over the box's separator line), with a 24-pixel swatch
    framed in the control colour."""
    top = (h - swatch) // 2
    body = (rect(0, 0, w, h, "#FF0000") + rect(0, 0, w - arrow, h, C("ctl")) +
            rect(1, 1, w - arrow - 1, h - 2, C("s2")) +
            rect(top + 4, top, swatch, swatch, C("ctl")) +
            rect(top + 5, top + 1, swatch - 2, swatch - 2, "#FF0000"))
    return svg(w, h, body)


def well(w, h):
    return svg(w, h, rect(0, 0, w, h, C("bg"), 6, C("s2")))


def connection(kind):
    c = C("t2")
    line = f'fill="none" stroke="{c}" stroke-width="1.8" stroke-linecap="round" stroke-linejoin="round"'
    if kind == "wired":
        body = (f'<path d="M12,21 L12,14 M8,14 L16,14 L16,9 L8,9 Z M10,9 L10,4 M14,9 L14,4" {line}/>')
    else:
        body = (f'<circle cx="12" cy="17" r="1.8" fill="{c}"/>'
                f'<path d="M8,13 A5.5,5.5 0 0 1 16,13 M5,10 A9.5,9.5 0 0 1 19,10" {line}/>')
    return svg(24, 24, body)


def model_badge(label):
    """The model name in the header, in a quiet outlined chip."""
    w, h = 160, 24
    body = rect(0, 0, w, h, C("bg"), 4, C("s3"))
    body += text(12, 16.5, label, 13, C("t2"), anchor="start", extra=' letter-spacing="0.6"')
    return svg(w, h, body)


def spinner(frame, size=48):
    """Loading frame n of 10: an accent arc, turned 36 degrees a frame."""
    r = 18
    a0 = math.radians(frame * 36 - 90)
    a1 = a0 + math.radians(250)
    x0, y0 = 24 + r * math.cos(a0), 24 + r * math.sin(a0)
    x1, y1 = 24 + r * math.cos(a1), 24 + r * math.sin(a1)
    body = (f'<circle cx="24" cy="24" r="{r}" fill="none" stroke="{C("s3")}" stroke-width="4"/>'
            f'<path d="M{x0:.2f},{y0:.2f} A{r},{r} 0 1 1 {x1:.2f},{y1:.2f}" fill="none" stroke="{C("acc")}" '
            f'stroke-width="4" stroke-linecap="round"/>')
    return svg(size, size, body)


def macro_icon(kind, selected):
    """Event icons of the macro list, drawn over the list's well colour."""
    c = C("acc") if selected else C("t2")
    line = f'fill="none" stroke="{c}" stroke-width="1.6" stroke-linecap="round" stroke-linejoin="round"'
    g = {
        "keydn": f'<path d="M10,4 L10,15 M6,11 L10,15 L14,11" {line}/>',
        "keyup": f'<path d="M10,16 L10,5 M6,9 L10,5 L14,9" {line}/>',
        "delay": f'<circle cx="10" cy="10" r="6.5" {line}/><path d="M10,6.5 L10,10 L12.5,11.5" {line}/>',
        "click": f'<rect x="6" y="3.5" width="8" height="13" rx="4" {line}/><path d="M10,3.5 L10,8" {line}/>',
    }[kind]
    return svg(20, 20, g)


def stage_frame(w, h, selected):
    if selected:
        body = rect(0, 0, w, h, C("s2"), 8) + rect(0, 0, w, h, "none", 8, C("acc"), 2)
    else:
        body = rect(0, 0, w, h, C("s2"), 8, C("ctl"))
    return svg(w, h, body)


def stage_window(w, h, selected=False):
    """The value window of a stage tile: the code fills all but its outer
    3 (left, right) by 2 (top, bottom) pixels black."""
    return svg(w, h, rect(0, 0, w, h, "#000000") + rect(0, 0, w, h, "none", 3, C("acc") if selected else C("s3"), 2))


def popup(w, h, accent):
    """A popup: 48 px title band with an accent bar, body, 1 px frame, all in
    one chamfered shape."""
    c = 8
    shape = chamfer_path(0, 0, w, h, c)
    body = f'<path d="{shape}" fill="{C("s1")}"/>'
    body += f'<clipPath id="p"><path d="{shape}"/></clipPath>'
    body += f'<g clip-path="url(#p)"><rect x="0" y="0" width="{w}" height="48" fill="{C("bg")}"/>'
    body += rect(0, 47, w, 1, C("line")) + rect(0, 0, 4, 48, C(accent)) + "</g>"
    body += f'<path d="{chamfer_path(0.5, 0.5, w - 1, h - 1, c - 0.5)}" fill="none" stroke="{C("s3")}"/>'
    return svg(w, h, body)


def mask(w, h, c=8):
    return svg(w, h, f'<path d="{chamfer_path(0, 0, w, h, c)}" fill="#000"/>')
