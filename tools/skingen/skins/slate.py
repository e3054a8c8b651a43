"""Slate: dark faces, light text and a teal accent. It takes every road of the skin format:
the six picture forms, an 8-bit palette bitmap, a large JPEG pattern, a small JPEG tile that
becomes a texture, gradients, a transparent section and fading buttons."""

import raster
from skinmodel import Pattern, Picture, Skin, gradient
from skins import common

PALETTE = {
    "face": 0x2B3036, "text": 0xE8EAED, "button": 0x3A4149, "button2": 0x30363D, "buttonline": 0x4A525B,
    "border": 0x14181C, "hot": 0x147A78, "hot2": 0x0F6664, "hottext": 0xFFFFFF, "pressed": 0x0D5856,
    "accent": 0x147A78, "accenttext": 0xFFFFFF, "accentborder": 0x2BC4C0, "window": 0x1F2328,
    "windowtext": 0xE8EAED, "menu": 0x262B30, "title": 0x1B1F23, "titletext": 0xE8EAED, "captionhot": 0x2BC4C0,
    "captionface": 0x2E353C, "hint": 0x3A4149, "link": 0x5FD3CF, "thumb": 0x4A525B, "track": 0x23282D,
    "bar": 0x24292E, "low": 0x20252A, "mark": 0x2BC4C0, "grey": 0x6B747D, "light": 0x3A4149,
    "boxborder": 0x7D8690,
}

BUTTON_LOOK = {
    "GRADIENTPERCENT": 100, "GRADIENTDATA": gradient((0x3A4149, 0x30363D, 100, 0)),
    "HOTGRADIENTPERCENT": 100, "HOTGRADIENTDATA": gradient((0x147A78, 0x0F6664, 60, 0), (0x0F6664, 0x0D5856, 40, 0)),
    "FADINGENABLED": "TRUE", "FADINGINTERVALIN": 10, "FADINGINTERVALOUT": 15, "FADINGITERATIONS": 6,
    "SHOWFOCUS": "TRUE",
}

OVERRIDES = {
    # TCLEFT, the second font colour: the shadowed titles' text.
    "GLOBALINFO": {"HOTCOLOR": PALETTE["hot"], "HOTFONTCOLOR": PALETTE["hottext"], "TCLEFT": PALETTE["text"]},
    "BUTTON": BUTTON_LOOK, "BUTTON_BIG": BUTTON_LOOK, "BUTTON_HUGE": BUTTON_LOOK, "SPEEDBUTTON": BUTTON_LOOK,
    "TOOLBUTTON": BUTTON_LOOK,
    "GROUPBOX": {"TRANSPARENCY": 100, "HOTTRANSPARENCY": 100},
    "FORM": {"IMAGEPERCENT": 25, "BEVEL": 1},
    "TOOLBAR": {"IMAGEPERCENT": 20},
    "BAR": {"IMAGEPERCENT": 30},
    "FORMTITLE": {"GRADIENTPERCENT": 100, "GRADIENTDATA": gradient((0x262C32, 0x1B1F23, 100, 0))},
    "EDIT": {"BORDERCOLOR1": PALETTE["border"], "BORDERCOLOR2": PALETTE["accentborder"]},
}

# Sections the stored skin does not have: the tab sheet, the combo box button and the column
# header.
EXTRA = [("TABSHEET", ""), ("COMBOBTN", ""), common.COLUMN_HEADER]


def skin():
    forms = {
        ("BUTTON_HUGE", "BORDERSMASK"): dict(form="!", file="BUTTONHUGE.BMP"),
        ("GAUGE", "BORDERSMASK"): dict(form="plain", file="GAUGE.BMP", bits=8),
        ("DIALOG", "BORDERSMASK"): dict(form="#", stretch=1),
    }
    pictures = common.pictures(PALETTE, "@", forms)
    pictures.append(Picture("BAR", "PATTERN", common.texture(PALETTE, "bar", 32, 11, 8), 1, 0, form="~", stretch=0))
    pictures.append(Picture("COMBOBTN", "BORDERSMASK",
                            next(p for p in pictures if p.section == "BUTTON").image, 3, 1, form="^"))
    pictures.append(common.column_header(PALETTE))
    form_texture = raster.noise_texture(320, 320, raster.rgb(PALETTE["face"]), 12, 23)
    tile = raster.noise_texture(64, 64, raster.rgb(PALETTE["face"]), 10, 29)
    patterns = [Pattern("FORM", "PATTERN", "FORM.JPG", form_texture), Pattern("TOOLBAR", "PATTERN", "TILE.JPG", tile)]
    sections = common.sections(PALETTE, OVERRIDES, EXTRA)
    return Skin("Slate", "1.0", "Vorlet", "Dark faces with a teal accent", (0x000000, 2, 3, 60), sections,
                pictures, patterns)
