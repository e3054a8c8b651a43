"""Neutral: a light, flat look. Grey faces, black text, a blue-grey title band with white
captions, one blue accent for hot. Stored in the program as "Neutral (internal)" and shipped
as the folder "Neutral"."""

from skinmodel import Picture, Skin
from skins import common

PALETTE = {
    "face": 0xE6E6E6, "text": 0x000000, "button": 0xF2F2F2, "button2": 0xF2F2F2, "buttonline": 0xFFFFFF,
    "border": 0xA3A3A3, "hot": 0xCCE4F7, "hot2": 0xCCE4F7, "hottext": 0x000000, "pressed": 0xB5D3EE,
    "accent": 0x2F6AA8, "accenttext": 0xFFFFFF, "accentborder": 0x2F6AA8, "window": 0xFFFFFF,
    "windowtext": 0x000000, "menu": 0xF7F7F7, "title": 0x4E6378, "titletext": 0xFFFFFF, "captionhot": 0xFFFFFF,
    "captionface": 0x62798F, "hint": 0xFFFFE1, "link": 0x1F4F8A, "thumb": 0xC6C6C6, "track": 0xEDEDED,
    "bar": 0xDDE3EA, "low": 0xDADADA, "mark": 0x303030, "grey": 0x9A9A9A, "light": 0xFFFFFF,
    "boxborder": 0x7A7A7A,
}

OVERRIDES = {
    # TCLEFT, the second font colour: the shadowed titles' text.
    "GLOBALINFO": {"HOTCOLOR": PALETTE["hot"], "BEVEL": 0, "TCLEFT": PALETTE["title"]},
    "BUTTON": {"SHOWFOCUS": "TRUE"},
    "BUTTON_BIG": {"SHOWFOCUS": "TRUE"},
    "BUTTON_HUGE": {"SHOWFOCUS": "TRUE"},
    "EDIT": {"BORDERCOLOR1": PALETTE["border"], "BORDERCOLOR2": PALETTE["accent"]},
    "SKINEDIT": {"COLOR": "?", "FONTCOLOR": "?"},
    "FORMTITLE": {"TCBOTTOM": 0x3A4A5A},
}


STORED_NAME = "Neutral (internal)"


def skin(name=STORED_NAME):
    forms = {("BUTTON_HUGE", "BORDERSMASK"): dict(form="!", file="BUTTONHUGE.BMP")}
    pictures = common.pictures(PALETTE, "^", forms, divider=name != STORED_NAME)
    form_pattern = Picture("FORM", "PATTERN", common.texture(PALETTE, "face", 32, 7, 6), 1, 0, form="#")
    pictures.insert(pictures.index(next(p for p in pictures if p.section == "FORM")) + 1, form_pattern)
    return Skin(name, "4.8", "Vorlet", "Light and flat", (0x000000, 1, 1, 50),
                common.sections(PALETTE, OVERRIDES), pictures)
