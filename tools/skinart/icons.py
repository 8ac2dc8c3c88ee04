"""The programs' icons, drawn on a 64-unit grid and rendered at each icon
size: the configurator's, the tray program's window icon and its
notification-area icon (which must read at 16 px on light and dark
taskbars)."""
from tokens import colour as C

SIZES = (16, 24, 32, 48, 256)


def _mouse(fill, outline, wheel, stroke=3.0):
    """A mouse seen from above, filling most of the 64-unit square."""
    body = "M32,6 C44,6 50,14 50,26 L50,42 C50,53 42,60 32,60 C22,60 14,53 14,42 L14,26 C14,14 20,6 32,6 Z"
    return (f'<path d="{body}" fill="{fill}" stroke="{outline}" stroke-width="{stroke}"/>'
            f'<path d="M14.5,27 L49.5,27" stroke="{outline}" stroke-width="{stroke * 0.7}"/>'
            f'<rect x="29" y="13" width="6" height="12" rx="3" fill="{wheel}"/>')


def design(name, size):
    """SVG of one icon at one size (the drawing is the same at every size;
    the tray's carries a heavier outline so it holds at 16 px)."""
    if name == "config":
        body = (f'<rect x="1" y="1" width="62" height="62" rx="14" fill="{C("s2")}" stroke="{C("acc")}" stroke-width="2"/>'
                + f'<g transform="translate(10,9) scale(0.7)">{_mouse(C("t1"), C("bg"), C("acc"), 4)}')
        if size >= 32:  # the thumb grid, where there is room for it
            body += "".join(f'<circle cx="{21 + 5 * c}" cy="{35 + 5 * r}" r="1.7" fill="{C("acc")}"/>'
                            for r in range(3) for c in range(4))
        body += "</g>"
    elif name == "systray":
        body = (f'<rect x="1" y="1" width="62" height="62" rx="14" fill="{C("acc")}"/>'
                + f'<g transform="translate(10,9) scale(0.7)">{_mouse(C("bg"), C("bg"), C("acc"), 3)}</g>')
    elif name == "tray":
        body = _mouse(C("acc"), "#06282B", "#06282B", 5 if size <= 24 else 3.5)
    else:
        raise SystemExit(f"no icon design {name}")
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" viewBox="0 0 64 64">'
            f"{body}</svg>")
