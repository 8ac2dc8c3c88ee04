"""Design tokens of the default skin: one table feeds the pictures and the
colour attributes of the XML pages.

The skin grammar names colours only through the program's colour-name table
(33 fixed names), so every colour that the code paints itself (text, list
rows, drop-down faces, edit wells) is one of those names; pictures use the
same values, so a drawn face and a painted one meet without a seam. Colours
only pictures use (`name` None) are free.
"""

# token: (hex, colour-table name or None)
PALETTE = {
    "bg":    ("#0B0B0B", "BLACK2"),         # header, tab bar, footer, wells
    "s1":    ("#18191C", None),             # content panel, popup body
    "s2":    ("#2B2B2B", "DARKGREY2"),      # control faces, list headers
    "s3":    ("#3A3A3A", "DARKGREY"),       # hover face, unlit cells
    "s4":    ("#505050", "GREY_DROPDOWN"),  # list-row hover
    "line":  ("#2A2C31", None),             # decorative dividers
    "ctl":   ("#697077", "MIDGREY"),        # control borders
    "t1":    ("#FEFEFE", "ZEPH_HIGHLIGHT"), # primary text
    "t2":    ("#B1C2D6", "GREY_KX_HEADING"),# secondary text, captions
    "t3":    ("#8C96A3", None),             # captions drawn into pictures
    "tdis":  ("#697077", "MIDGREY"),        # disabled text
    "acc":   ("#6FE8ED", "ZEPH_TAB_SELECT"),# the one accent
    "acch":  ("#A4F2F5", None),             # accent hover (pictures)
    "accp":  ("#3FC3CA", None),             # accent pressed (pictures)
    "accd":  ("#0B6E81", "ZEPH_PANEL_BORDER"),  # accent, dark: selected-row frame
    "onacc": ("#0B0B0B", "BLACK2"),         # text on accent fills
    "ok":    ("#4CD68E", None),             # battery, applied
    "warn":  ("#FF7E00", "ORANGE"),         # warnings, low battery
    "err":   ("#FF8080", "PINK"),           # errors, record, delete
    "black": ("#000000", "BLACK"),
    "white": ("#FFFFFF", "WHITE"),
    "green": ("#00FF00", "GREEN"),          # the active profile row (fixed by the code)
}

# Key colours the code uses; never an artwork colour.
KEY_MAGENTA = "#FF00FF"   # main window colour key, slider-thumb corner
KEY_WHITE = "#FFFFFF"     # masks: outside; list check pictures: transparent
KEY_RED = "#FF0000"       # colour-box overlay


def hexrgb(token_or_hex):
    h = PALETTE[token_or_hex][0] if token_or_hex in PALETTE else token_or_hex
    h = h.lstrip("#")
    return tuple(int(h[i:i + 2], 16) for i in (0, 2, 4))


def colour(token):
    """The hex value of a token (for SVG)."""
    return PALETTE[token][0]


def table_name(token):
    """The colour-table name of a token (for XML); only named tokens qualify."""
    hexv, name = PALETTE[token]
    if not name:
        raise KeyError(f"colour token {token} ({hexv}) has no colour-table name")
    return name


# Fonts: face, file and GDI cell height (`pitch`) of every font id. The ids
# are only names; the face is ours. Play for headings, tabs, buttons and
# numbers; Noto Sans for body text.
FONT_FILES = {
    ("Play", 400): "Play-Regular.ttf",
    ("Play", 700): "Play-Bold.ttf",
    ("Noto Sans", 400): "NotoSans-Regular.ttf",
    ("Noto Sans", 700): "NotoSans-Bold.ttf",
}
FONT_SOURCES = {
    "Play-Regular.ttf": "/usr/share/fonts/truetype/play/Play-Regular.ttf",
    "Play-Bold.ttf": "/usr/share/fonts/truetype/play/Play-Bold.ttf",
    "NotoSans-Regular.ttf": "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf",
    "NotoSans-Bold.ttf": "/usr/share/fonts/truetype/noto/NotoSans-Bold.ttf",
}

# id: (face, weight, pitch, role)
FONTS = {
    "FONT_ARIAL10":        ("Noto Sans", 400, 15, "captions, versions, units"),
    "FONT_ARIAL12":        ("Noto Sans", 400, 16, "list rows, drop-down lists"),
    "FONT_ARIAL13":        ("Noto Sans", 400, 18, "body, drop-down values"),
    "FONT_ARIAL14":        ("Noto Sans", 400, 19, "popup messages"),
    "FONT_ARIAL16":        ("Noto Sans", 400, 22, "popup lead text"),
    "FONT_ARIAL12B":       ("Noto Sans", 700, 16, "list headers"),
    "FONT_ARIAL14B":       ("Noto Sans", 700, 19, "emphasised labels"),
    "FONT_TANDUREG14":     ("Play", 700, 15, "field and section labels (caps)"),
    "FONT_ARIAL12_BUTTON": ("Play", 700, 15, "small buttons"),
    "FONT_ARIAL14_BUTTON": ("Play", 700, 16, "tabs, footer buttons (caps)"),
    "FONT_ARIAL16B":       ("Play", 700, 19, "popup titles"),
    "FONT_TANDUREG15B":    ("Play", 700, 21, "page titles"),
    "FONT_TANDUREG32":     ("Play", 400, 32, "large light numbers"),
    "FONT_ARIAL32B":       ("Play", 700, 32, "value readouts"),
    "FONT_TANDUREG32B":    ("Play", 700, 32, "wordmark, stage numbers"),
}


# Faces for the scripts that Play and Noto Sans lack. They come with no file:
# on Windows they are the system's own faces; the test harness gives Wine
# the Noto Sans CJK faces under these names (tools/wine-env.sh). The item-id
# table has no font id to spare, and no page holds a language table, so
# these fonts take language ids as their names. A language that needs one
# remaps the text fonts to it (`<?skin langfonts NAME?>` in Language.xml);
# the large numbers keep Play.
# language: (face, id of the regular font, id of the bold font)
SCRIPT_FONTS = {
    "ChineseSimplified":  ("Microsoft YaHei UI", "LANGUAGE_CHINESE_SIMPLIFIED", "LANGUAGE_THAI"),
    "ChineseTraditional": ("Microsoft JhengHei UI", "LANGUAGE_CHINESE_TRADITIONAL", "LANGUAGE_NORDIC"),
    "Japanese":           ("Yu Gothic UI", "LANGUAGE_JAPANESE", "LANGUAGE_UK"),
    "Korean":             ("Malgun Gothic", "LANGUAGE_KOREAN", "LANGUAGE_TURKISH"),
}
SCRIPT_FONT_PITCH = 17


def fontlist_xml(indent="  "):
    """The FONTLIST every page and popup carries (fontid sees only its own file)."""
    lines = [f"{indent}<FONTLIST>"]
    for fid, (face, weight, pitch, _) in FONTS.items():
        bold = ' boldlevel="700"' if weight == 700 else ""
        lines.append(f'{indent}  <FONT name="{fid}" typeface="{face}" pitch="{pitch}"{bold}>'
                     f"{FONT_FILES[(face, weight)]}</FONT>")
    for face, regular, bold in SCRIPT_FONTS.values():
        lines.append(f'{indent}  <FONT name="{regular}" typeface="{face}" pitch="{SCRIPT_FONT_PITCH}"/>')
        lines.append(f'{indent}  <FONT name="{bold}" typeface="{face}" pitch="{SCRIPT_FONT_PITCH}" boldlevel="700"/>')
    lines.append(f"{indent}</FONTLIST>")
    return "\n".join(lines)


def langfonts_xml(language, indent="      "):
    """The LANGFONT remaps of a language whose script needs its own face."""
    if language not in SCRIPT_FONTS:
        raise KeyError(f"no script fonts for {language}")
    _, regular, bold = SCRIPT_FONTS[language]
    return "\n".join(f'{indent}<LANGFONT fontsearch="{fid}" fontreplace="{bold if weight == 700 else regular}"/>'
                     for fid, (_, weight, pitch, _) in FONTS.items() if pitch < 32)


# Window and control sizes used by more than one picture.
WINDOW = (1000, 640)
CHAMFER = 8
