"""The skin's XML files as the program reads them, made from skin/xml/:

- every *.xml there, with `<?skin fonts?>` replaced by the shared FONTLIST
  (a fontid sees only the fonts of its own file), `<?skin langfonts NAME?>`
  by the font remaps of a language whose script needs its own face,
  `<?skin vscroll?>` by the list scroll-bar pictures, and each colour token
  `"@name"` by its name in the program's colour table;
- the small popups of popups.txt (warnings, name and number entries), each
  made from one template.
"""
import os
import re

from tokens import fontlist_xml, langfonts_xml, table_name

VSCROLL = ('<VSCROLL bdrwidth="0"><VSBMP_TOP>sb_end.bmp</VSBMP_TOP><VSBMP_BOT>sb_end.bmp</VSBMP_BOT>'
           '<VSBMP_AUP>sb_up.bmp</VSBMP_AUP><VSBMP_ADN>sb_down.bmp</VSBMP_ADN>'
           '<VSBMP_SPN>sb_span.bmp</VSBMP_SPN><VSBMP_TMB>sb_thumb.bmp</VSBMP_TMB></VSCROLL>')


def expand(text, where="skin"):
    text = text.replace("<?skin fonts?>", fontlist_xml())
    text = text.replace("<?skin vscroll?>", VSCROLL)

    def langfonts(m):
        try:
            return langfonts_xml(m.group(1))
        except KeyError as e:
            raise SystemExit(f"{where}: {e}")
    text = re.sub(r"[ \t]*<\?skin langfonts (\w+)\?>", langfonts, text)

    def token(m):
        try:
            return '="' + table_name(m.group(1)) + '"'
        except KeyError as e:
            raise SystemExit(f"{where}: {e}")
    return re.sub(r'="@([a-z0-9]+)"', token, text)


POPUP_SIZE = {"warn": (440, 200), "name": (440, 220), "number": (440, 220)}


def _button(name, kind, x, y, caption):
    states = (("SBMN", "n"), ("SBMO", "o"), ("SBMD", "d"), ("SBMDS", "ds"))
    text = {"btn": ("@t1", "@t1", "@acc", "@tdis"), "acc": ("@onacc",) * 3 + ("@tdis",)}[kind]
    pics = "".join(f'<{e} fontclr="{c}">{kind}_104x32_{s}.bmp</{e}>' for (e, s), c in zip(states, text))
    return (f'    <BUTTON name="{name}" caption="{caption}" justify="C" fontid="FONT_ARIAL12_BUTTON">\n'
            f'      {pics}\n      <RECT left="{x}" top="{y}" right="104" bottom="32"/>\n    </BUTTON>\n')


def small_popup(kind, accent, title, message, ok, cancel):
    w, h = POPUP_SIZE[kind]
    bg = f"popup{'del' if accent == 'err' else ''}_{w}x{h}.bmp"
    y = h - 24 - 32
    buttons = _button("BUTTON_POPUP_OK", "acc", w - 24 - 104, y, ok)
    if cancel != "-":
        buttons += _button("BUTTON_POPUP_CANCEL", "btn", w - 24 - 104 - 8 - 104, y, cancel)
    edit = ""
    if kind in ("name", "number"):
        ident, limit = ("EDITCTRL_POPUP_NAMEENTRY", 20) if kind == "name" else ("EDITCTRL_POPUP_NUMENTRY", 5)
        edit = (f'  <EDITCTRLLIST>\n    <EDITCTRL name="{ident}" max="{limit}" fontid="FONT_ARIAL14" bdrwidth="1" '
                f'fontclr="@t1" fontclrhi="@t1" backclr="@bg" backclrhi="@bg" bdrclr="@acc" disbbackclr="@bg" '
                f'disbbdrclr="@s2" disbfontclr="@tdis"><RECT left="25" top="93" right="{w - 50}" bottom="30"/>'
                f'</EDITCTRL>\n  </EDITCTRLLIST>\n')
    msg_h = 24 if edit else h - 60 - 72
    multiline = "" if edit else ' multiline="1"'
    return f'''<?xml version="1.0" encoding="UTF-8"?>
<!-- Made by the skin generator from skin/xml/popups.txt. -->
<GUIPANEL>
  <BACKGROUND>{bg}</BACKGROUND>
  <MASK>popup_{w}x{h}_m.bmp</MASK>
<?skin fonts?>
  <BUTTONLIST>
{buttons}  </BUTTONLIST>
  <TEXTLIST>
    <TEXTITEM name="TEXT_WARNDLG_HEADING" textkey="{title}" fontid="FONT_ARIAL16B" fontclr="@t1"><RECT left="19" top="12" right="{w - 43}" bottom="24"/></TEXTITEM>
    <TEXTITEM name="TEXT_WARNDLG_MESSAGE" textkey="{message}" fontid="FONT_ARIAL14" fontclr="@t1"{multiline}><RECT left="{19 if edit else 24}" top="62" right="{w - 43 if edit else w - 48}" bottom="{msg_h}"/></TEXTITEM>
  </TEXTLIST>
{edit}</GUIPANEL>
'''


def read_popup_table(path):
    rows = []
    with open(path, encoding="utf-8") as f:
        for n, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            cells = line.split("\t")
            if len(cells) != 7 or cells[1] not in POPUP_SIZE or cells[2] not in ("acc", "err"):
                raise SystemExit(f"{path}:{n}: expected 7 tab-separated cells (file kind accent title message ok cancel)")
            rows.append(cells)
    return rows


def skin_pages(xml_dir):
    """{file name: XML text as the program reads it}."""
    pages = {}
    for name in sorted(os.listdir(xml_dir)):
        if name.endswith(".xml"):
            with open(os.path.join(xml_dir, name), encoding="utf-8") as f:
                pages[name] = expand(f.read(), name)
    for cells in read_popup_table(os.path.join(xml_dir, "popups.txt")):
        if cells[0] in pages:
            raise SystemExit(f"popups.txt: {cells[0]} is also a file of its own")
        pages[cells[0]] = expand(small_popup(*cells[1:]), cells[0])
    return pages
