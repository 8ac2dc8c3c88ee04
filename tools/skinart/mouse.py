"""The three mice, drawn toned down in greys with the lights in the accent:
a top view with leader lines to the button drop-downs, a side view that
shows where the thumb grid sits, and the thumb grid itself.

The top views draw their leaders to where the drop-downs of the button page
are: the caller passes the drop-downs' centres (read from the page), so the
page's geometry lives in one place.
"""
from tokens import colour as C
from widgets import rect, svg, text

TOP = (472, 380)
SIDE = (300, 132)
GRID = (248, 156)

BODY_DARK, BODY_LIGHT = "#25282D", "#363A41"
FACE_LIGHT, FACE_DARK = "#3C4047", "#2D3137"
WHEEL = "#17191C"

# Per model: half-widths at shoulder, hip and tail, nose and tail y, and
# which lights it has.
MODELS = {
    "kovu":       {"shoulder": 98, "hip": 112, "nose": 22, "tail": 356, "cable": True, "logo": True, "wheel_light": False},
    "kovuzent":   {"shoulder": 100, "hip": 114, "nose": 20, "tail": 358, "cable": False, "logo": True, "wheel_light": True},
    "kovuquarel": {"shoulder": 92, "hip": 108, "nose": 26, "tail": 352, "cable": True, "logo": False, "wheel_light": True},
}


def _outline(cx, m):
    """Right half as cubic Béziers, mirrored for the left half (no transforms)."""
    n, t, s, h = m["nose"], m["tail"], m["shoulder"], m["hip"]
    right = [((cx + 58, n), (cx + s - 2, n + 22), (cx + s, n + 84)),
             ((cx + s + 4, n + 150), (cx + h, n + 180), (cx + h, n + 230)),
             ((cx + h, t - 40), (cx + 68, t), (cx, t))]
    d = f"M{cx},{n} " + " ".join(f"C{a[0]},{a[1]} {b[0]},{b[1]} {c[0]},{c[1]}" for a, b, c in right)
    mirror = lambda p: (2 * cx - p[0], p[1])
    pts = [(cx, n)] + [q for seg in right for q in seg]
    left = []
    for i in range(len(right) - 1, -1, -1):
        a, b, c = right[i]
        end = pts[i * 3]
        left.append((mirror(b), mirror(a), mirror(end)))
    d += " " + " ".join(f"C{a[0]},{a[1]} {b[0]},{b[1]} {c[0]},{c[1]}" for a, b, c in left) + " Z"
    return d


def _leaders(anchors, w, first=30, step=12):
    """Orthogonal leaders from each anchor to its target at the picture's
    edge; the topmost bends farthest out, so no two cross."""
    out = ""
    for side in ("left", "right"):
        group = sorted((a for a in anchors if a[0] == side), key=lambda a: a[2][1])
        for i, (_, name, (ax, ay), ty) in enumerate(group):
            ax, ay = round(ax), round(ay)
            edge = 0 if side == "left" else w
            bend = (first + step * i) if side == "left" else (w - first - step * i)
            ty += 0.5
            ayh = ay + 0.5
            if abs(ay - (ty - 0.5)) < 1:
                d = f"M{ax},{ayh} L{edge},{ayh}"
            else:
                d = f"M{ax},{ayh} L{bend + 0.5},{ayh} L{bend + 0.5},{ty} L{edge},{ty}"
            out += (f'<g id="{name}-path"><path d="{d}" fill="none" stroke="{C("t3")}" stroke-width="1"/>'
                    f'<rect x="{ax - 3.5}" y="{ay - 3.5}" width="7" height="7" fill="{C("t3")}"/>'
                    f'<rect id="{name}-leader" x="{edge - (0 if side == "left" else 4)}" y="{ty - 2.5}" '
                    f'width="4" height="5" fill="{C("acc")}"/></g>')
    return out


def top_view(model, targets, size=TOP, scale=1.0, lit=False):
    """targets: {button name: leader end y, in picture pixels}, or None for a
    picture without leaders. The mouse is drawn in a 472 x 380 frame, scaled
    into the picture and centred; `lit` shows its lights glowing."""
    w, h = size
    dx, dy = w / 2 - scale * TOP[0] / 2, (h - scale * TOP[1]) / 2
    to_picture = lambda p: (dx + scale * p[0], dy + scale * p[1])
    cx = TOP[0] // 2
    m = MODELS[model]
    body = _outline(cx, m)
    seam = m["nose"] + 128
    defs = (f'<linearGradient id="b" x1="0" x2="1"><stop offset="0" stop-color="{BODY_DARK}"/>'
            f'<stop offset="0.5" stop-color="{BODY_LIGHT}"/><stop offset="1" stop-color="{BODY_DARK}"/></linearGradient>'
            f'<linearGradient id="f" x1="0" x2="0" y1="0" y2="1"><stop offset="0" stop-color="{FACE_LIGHT}"/>'
            f'<stop offset="1" stop-color="{FACE_DARK}"/></linearGradient>'
            f'<radialGradient id="sheen" cx="0.5" cy="0.3" r="0.5"><stop offset="0" stop-color="#fff" stop-opacity="0.10"/>'
            f'<stop offset="1" stop-color="#fff" stop-opacity="0"/></radialGradient>'
            f'<radialGradient id="glow"><stop offset="0.3" stop-color="{C("acc")}" stop-opacity="0.55"/>'
            f'<stop offset="1" stop-color="{C("acc")}" stop-opacity="0"/></radialGradient>'
            f'<clipPath id="body"><path d="{body}"/></clipPath>')
    g = rect(0, 0, w, h, C("s1"))
    g += f'<g transform="translate({dx},{dy}) scale({scale})">'
    g += f'<ellipse cx="{cx}" cy="{m["tail"] - 150}" rx="{m["hip"] + 8}" ry="175" fill="#000" opacity="0.35"/>'
    if m["cable"]:
        g += (f'<path d="M{cx},{m["nose"]} C{cx},{m["nose"] - 10} {cx + 6},4 {cx + 10},0" fill="none" '
              f'stroke="#111316" stroke-width="5"/>')
    g += '<g id="Device">'
    g += f'<path d="{body}" fill="url(#b)"/>'
    # Primary buttons: the front of the shell, split at the centre, closed by a seam.
    g += (f'<g clip-path="url(#body)"><rect x="0" y="0" width="{cx - 3}" height="{seam}" fill="url(#f)" id="button0"/>'
          f'<rect x="{cx + 3}" y="0" width="{cx}" height="{seam}" fill="url(#f)" id="button1"/>'
          f'<rect x="{cx - 3}" y="0" width="6" height="{seam}" fill="{WHEEL}"/>'
          f'<path d="M0,{seam + 0.5} Q{cx},{seam + 16} {2 * cx},{seam + 0.5}" fill="none" stroke="{C("ctl")}"/>'
          f'<rect x="0" y="0" width="{2 * cx}" height="{TOP[1]}" fill="url(#sheen)"/></g>')
    g += f'<path d="{body}" fill="none" stroke="{C("ctl")}" stroke-width="1.5"/>'
    # Wheel with ribs, and its light.
    wy = m["nose"] + 44
    if lit:
        g += f'<circle cx="{cx}" cy="{m["tail"] - 70}" r="30" fill="url(#glow)"/>'
        g += f'<ellipse cx="{cx}" cy="{wy + 28}" rx="26" ry="48" fill="url(#glow)"/>'
    if m["wheel_light"] or lit:
        g += rect(cx - 13, wy - 4, 26, 64, C("acc"), 10, extra=' opacity="0.35"')
    g += rect(cx - 9, wy, 18, 56, WHEEL, 8, C("ctl"))
    g += "".join(f'<path d="M{cx - 6},{wy + 6.5 + 6 * i} L{cx + 6},{wy + 6.5 + 6 * i}" stroke="#2E3238"/>' for i in range(8))
    g += f'<path d="M{cx - 5},{wy - 8} L{cx},{wy - 14} L{cx + 5},{wy - 8} Z" fill="{C("t3")}" id="button5"/>'
    g += f'<path d="M{cx - 5},{wy + 64} L{cx},{wy + 70} L{cx + 5},{wy + 64} Z" fill="{C("t3")}" id="button6"/>'
    # Side buttons on the left flank.
    sx = cx - m["shoulder"] - 16
    g += rect(sx, m["nose"] + 160, 12, 34, FACE_LIGHT, 5, C("ctl"), extra=' id="button3"')
    g += rect(sx, m["nose"] + 200, 12, 34, FACE_LIGHT, 5, C("ctl"), extra=' id="button4"')
    # Palm logo.
    if m["logo"] or lit:
        g += f'<circle cx="{cx}" cy="{m["tail"] - 70}" r="13" fill="none" stroke="{C("acc")}" stroke-width="3" id="led-logo"/>'
    g += "</g></g>"
    if targets is None:
        return svg(w, h, g, defs)
    n = m["nose"]
    # The left button takes its anchor at its leader's height where the button
    # reaches it, so that leader runs straight.
    on_button = lambda y: min(max((y - dy) / scale, n + 30), seam - 12)
    points = [
        ("left", "button0", (cx - 64, on_button(targets["left"])), targets["left"]),
        ("left", "button3", (sx + 6, n + 177), targets["forward"]),
        ("left", "button4", (sx + 6, n + 217), targets["back"]),
        # Above the wheel's up marker, so the wheel's leaders pass under it.
        ("right", "button1", (cx + 56, n + 22), targets["right"]),
        ("right", "button5", (cx + 12, wy - 11), targets["wheelup"]),
        ("right", "button2", (cx + 12, wy + 28), targets["wheelclick"]),
        ("right", "button6", (cx + 12, wy + 67), targets["wheeldown"]),
    ]
    anchors = [(side, name, to_picture(p), t) for side, name, p, t in points]
    margin = dx + scale * (cx - m["hip"] - 20)  # free room between the picture's edge and the mouse
    first, step = (30, 12) if margin > 60 else (6, max(3, int(margin - 6) // 4))
    g += '<g id="Buttons">' + _leaders(anchors, w, first, step) + "</g>"
    return svg(w, h, g, defs)


def grid_view(model):
    """The thumb grid from the side, as it lies under the thumb: 4 columns,
    3 rows, key 1 at the front top (front to the left)."""
    w, h = GRID
    kw, kh, gap, cols, rows = 46, 40, 8, 4, 3
    px = (w - cols * kw - (cols - 1) * gap) // 2
    py = 10
    defs = ('<linearGradient id="k" x1="0" x2="0" y1="0" y2="1"><stop offset="0" stop-color="#3A3E45"/>'
            '<stop offset="1" stop-color="#2B2F35"/></linearGradient>')
    g = rect(0, 0, w, h, C("s1"))
    g += rect(px - 8, py - 6, cols * kw + (cols - 1) * gap + 16, rows * kh + (rows - 1) * gap + 12, WHEEL, 12, C("ctl"))
    for r in range(rows):
        for c in range(cols):
            n = r * cols + c + 1
            x, y = px + c * (kw + gap), py + r * (kh + gap)
            g += (f'<g id="key{n}">' + rect(x, y, kw, kh, "url(#k)", 6, C("ctl"))
                  + text(x + kw / 2, y + kh / 2 + 6, str(n), 16, C("t1")) + "</g>")
    # The "front" caption under the picture is a page text, so that it is translated.
    return svg(w, h, g, defs)


def side_view(model):
    """The left side, front to the left, with the thumb grid marked."""
    w, h = SIDE
    defs = (f'<linearGradient id="s" x1="0" x2="0" y1="0" y2="1"><stop offset="0" stop-color="{BODY_LIGHT}"/>'
            f'<stop offset="1" stop-color="{BODY_DARK}"/></linearGradient>')
    base = h - 14
    body = (f"M20,{base} C14,{base - 20} 16,{base - 44} 30,{base - 52} C70,{base - 72} 150,{base - 98} 200,{base - 90} "
            f"C250,{base - 82} 286,{base - 50} 284,{base - 18} C283,{base - 6} 276,{base} 262,{base} Z")
    g = rect(0, 0, w, h, C("s1"))
    g += f'<ellipse cx="152" cy="{base + 4}" rx="138" ry="8" fill="#000" opacity="0.35"/>'
    g += f'<path d="{body}" fill="url(#s)" stroke="{C("ctl")}" stroke-width="1.5"/>'
    g += f'<path d="M34,{base - 56} C80,{base - 70} 120,{base - 80} 150,{base - 82}" fill="none" stroke="{C("ctl")}"/>'
    g += rect(58, base - 52, 100, 42, WHEEL, 7, C("acc"))
    for r in range(3):
        for c in range(4):
            g += rect(64 + c * 23, base - 47 + r * 12.5, 19, 9, "#3A3E45", 2)
    g += rect(170, base - 46, 10, 20, "#3A3E45", 4, C("ctl"))
    g += rect(184, base - 44, 10, 20, "#3A3E45", 4, C("ctl"))
    return svg(w, h, g, defs)


def preview_grid(w=712, h=264):
    """The preview's thumb grid: a bezel with the key numbers; the keys
    themselves are the page's key items, laid over it (176 px a column,
    76 px a row, 150 x 56 keys)."""
    g = rect(0, 0, w, h, C("s1"))
    g += rect(0, 16, w, 240, WHEEL, 14, C("ctl"))
    for n in range(12):
        r, c = divmod(n, 4)
        x, y = 8 + c * 176, 40 + r * 76
        g += text(x + 9, y + 33, str(n + 1), 13, C("t3"))
    # The "front" caption under the picture is a popup text, so that it is translated.
    return svg(w, h, g)
