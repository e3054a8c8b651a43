"""What the project's skins share: the section table with its parents, and the pictures every
skin draws, from a palette of 0xRRGGBB colours."""

import draw
import raster
from skinmodel import Picture, Section

# The 62 sections, in order, each with the section whose pictures it shares (or "").
SECTIONS = [
    ("GLOBALINFO", ""), ("MENULINE", ""), ("SPLITTER", ""), ("TOOLBAR", ""), ("PANEL", ""), ("PAGECONTROL", ""),
    ("PAGECONTROLBOTTOM", "PAGECONTROL"), ("PAGECONTROLLEFT", "PAGECONTROL"), ("PAGECONTROLRIGHT", "PAGECONTROL"),
    ("SCROLLBAR1H", ""), ("SCROLLBAR2H", "SCROLLBAR1H"), ("SCROLLBAR1V", ""), ("SCROLLBAR2V", "SCROLLBAR1V"),
    ("SKINCOMBOBOX", "COMBOBOX"), ("COMBOBOX", ""), ("SKINEDIT", "EDIT"), ("MENUITEM", ""), ("SCROLLBTNBOTTOM", ""),
    ("SCROLLBTNLEFT", ""), ("SCROLLBTNRIGHT", ""), ("SCROLLBTNTOP", ""), ("SCROLLSLIDERH", ""), ("SCROLLSLIDERV", ""),
    ("SPEEDBUTTON_SMALL", ""), ("TABCONTROL", ""), ("TABCONTROLBOTTOM", "TABCONTROL"),
    ("TABCONTROLLEFT", "TABCONTROL"), ("TABCONTROLRIGHT", "TABCONTROL"), ("DIVIDER", ""), ("GROUPBOX", ""),
    ("MAINMENU", ""), ("FORM", ""), ("FORMTITLE", ""), ("DIALOG", ""), ("PROGRESSH", ""), ("GAUGE", ""),
    ("PROGRESSV", ""), ("EDIT", ""), ("TABTOP", ""), ("TABBOTTOM", ""), ("TABRIGHT", ""), ("TABLEFT", ""),
    ("DRAGBAR", ""), ("STATUSBAR", ""), ("BAR", ""), ("BARPANEL", ""), ("PANEL_LOW", ""), ("WEBBUTTON", ""),
    ("BARTITLE", ""), ("BUTTON", ""), ("BUTTON_BIG", ""), ("CHECKBOX", ""), ("RADIOBUTTON", ""), ("TRACKBAR", ""),
    ("TOOLBUTTON", ""), ("SPEEDBUTTON", ""), ("EXTRALINE", ""), ("GRIPH", ""), ("HINT", ""), ("ROUNDTBN", ""),
    ("BUTTON_HUGE", ""), ("", ""),
]

# The look of each section: which colours of the palette it takes.
KIND = {
    "GLOBALINFO": "face", "BUTTON": "button", "BUTTON_BIG": "button", "BUTTON_HUGE": "button",
    "SPEEDBUTTON": "button", "SPEEDBUTTON_SMALL": "button", "TOOLBUTTON": "button", "ROUNDTBN": "button",
    "COMBOBOX": "edit", "EDIT": "edit", "MENUITEM": "menu", "MAINMENU": "face", "MENULINE": "face",
    "FORMTITLE": "title", "DRAGBAR": "title", "BARTITLE": "bartitle", "EXTRALINE": "title", "HINT": "hint",
    "WEBBUTTON": "link", "TABTOP": "tab", "TABBOTTOM": "tab", "TABLEFT": "tab", "TABRIGHT": "tab",
    "SCROLLBTNTOP": "button", "SCROLLBTNBOTTOM": "button", "SCROLLBTNLEFT": "button", "SCROLLBTNRIGHT": "button",
    "SCROLLSLIDERH": "thumb", "SCROLLSLIDERV": "thumb", "SCROLLBAR1H": "track", "SCROLLBAR1V": "track",
    "BAR": "bar", "BARPANEL": "edit", "PANEL_LOW": "low", "PROGRESSH": "edit", "PROGRESSV": "edit",
    "GAUGE": "edit", "CHECKBOX": "check", "RADIOBUTTON": "check", "COLHEADER": "button",
}

COLOURS = {  # kind: (face, text, hot face, hot text) as palette names
    "face": ("face", "text", "face", "text"),
    "button": ("button", "text", "hot", "hottext"),
    "edit": ("window", "windowtext", "window", "windowtext"),
    "menu": ("menu", "text", "accent", "accenttext"),
    "title": ("title", "titletext", "title", "titletext"),
    "bartitle": ("title", "titletext", "accent", "accenttext"),
    "hint": ("hint", "text", "hint", "text"),
    "link": ("face", "link", "face", "link"),
    "tab": ("face", "text", "hot", "hottext"),
    "thumb": ("thumb", "text", "hot", "hottext"),
    "track": ("track", "text", "track", "text"),
    "bar": ("bar", "text", "bar", "text"),
    "low": ("low", "text", "low", "text"),
    "check": ("face", "text", "face", "text"),
}


def sections(pal, overrides=None, extra=()):
    """The section table from the palette; overrides adds keys per section name."""
    overrides = overrides or {}
    result = []
    for name, parent in list(SECTIONS[:-1]) + list(extra) + [SECTIONS[-1]]:
        values = {}
        if not parent:
            face, text, hot, hottext = (pal[k] for k in COLOURS[KIND.get(name, "face")])
            values = {"COLOR": face, "FONTCOLOR": text, "HOTCOLOR": hot, "HOTFONTCOLOR": hottext}
        if name in PLAIN_TEXT:
            values.update(TRANSPARENCY=100, HOTTRANSPARENCY=100)
        values.update(overrides.get(name, {}))
        result.append(Section(name, parent, **values))
    return result


# Check boxes and radio buttons are their glyph beside plain text: no face and no frame of
# their own, so that they never read as buttons.
PLAIN_TEXT = ("CHECKBOX", "RADIOBUTTON")


def states(pal, kind):
    """Normal, hot and pressed looks of a frame."""
    border, accent = pal["border"], pal["accentborder"]
    if kind == "button":
        return [dict(face=pal["button"], face2=pal["button2"], border=border, line2=pal["buttonline"]),
                dict(face=pal["hot"], face2=pal["hot2"], border=accent, line2=pal["buttonline"]),
                dict(face=pal["pressed"], face2=pal["pressed"], border=accent)]
    if kind == "edit":
        return [dict(face=pal["window"], border=border), dict(face=pal["window"], border=accent),
                dict(face=pal["window"], border=accent)]
    if kind == "tab":
        return [dict(face=pal["face"], border=border), dict(face=pal["hot"], border=accent),
                dict(face=pal["window"], border=border)]
    if kind == "thumb":
        return [dict(face=pal["thumb"], border=border), dict(face=pal["hot"], border=accent),
                dict(face=pal["pressed"], border=accent)]
    if kind == "menu":
        return [dict(face=pal["menu"], border=pal["menu"]), dict(face=pal["accent"], border=pal["accent"]),
                dict(face=pal["accent"], border=pal["accent"])]
    if kind in ("title", "bartitle"):
        hot = pal["accent"] if kind == "bartitle" else pal["title"]
        return [dict(face=pal["title"], border=pal["title"]), dict(face=hot, border=hot),
                dict(face=hot, border=hot)]
    face = pal.get(kind, pal["face"])
    return [dict(face=face, border=border)] * 3


def glyph_states(pal):
    return [dict(face=pal["window"], border=pal["boxborder"], mark=pal["mark"], grey=pal["grey"], light=pal["light"]),
            dict(face=pal["hot"], border=pal["accentborder"], mark=pal["mark"], grey=pal["grey"], light=pal["light"]),
            dict(face=pal["pressed"], border=pal["accentborder"], mark=pal["mark"], grey=pal["grey"],
                 light=pal["light"])]


def caption_states(pal):
    return [dict(face=pal["title"], mark=pal["titletext"]), dict(face=pal["title"], mark=pal["captionhot"]),
            dict(face=pal["title"], mark=pal["captionhot"])]


# Frames: section, width, height, corner radius, look.
BORDERS = [
    ("SCROLLBTNTOP", 15, 15, 2, "button"), ("SCROLLBTNBOTTOM", 15, 15, 2, "button"),
    ("SCROLLBTNLEFT", 15, 15, 2, "button"), ("SCROLLBTNRIGHT", 15, 15, 2, "button"),
    ("SCROLLSLIDERH", 15, 15, 3, "thumb"), ("SCROLLSLIDERV", 15, 15, 3, "thumb"),
    ("SCROLLBAR1H", 15, 15, 0, "track"), ("SCROLLBAR1V", 15, 15, 0, "track"),
    ("TABTOP", 20, 18, 3, "tab"), ("TABBOTTOM", 20, 18, 3, "tab"), ("TABLEFT", 18, 20, 3, "tab"),
    ("TABRIGHT", 18, 20, 3, "tab"), ("PAGECONTROL", 12, 12, 0, "window"), ("TABCONTROL", 12, 12, 0, "window"),
    ("BUTTON", 24, 22, 3, "button"), ("BUTTON_BIG", 30, 26, 4, "button"), ("SPEEDBUTTON", 24, 22, 3, "button"),
    ("SPEEDBUTTON_SMALL", 18, 18, 2, "button"), ("TOOLBUTTON", 22, 22, 3, "button"),
    ("ROUNDTBN", 22, 22, 11, "button"), ("EDIT", 16, 16, 2, "edit"), ("COMBOBOX", 16, 16, 2, "edit"),
    ("PANEL", 12, 12, 0, "face"), ("PANEL_LOW", 12, 12, 0, "low"), ("GROUPBOX", 16, 16, 3, "face"),
    ("TOOLBAR", 12, 12, 0, "face"), ("STATUSBAR", 12, 12, 0, "face"), ("BAR", 12, 12, 0, "bar"),
    ("BARPANEL", 12, 12, 0, "window"), ("BARTITLE", 18, 18, 3, "bartitle"), ("DRAGBAR", 12, 12, 0, "title"),
    ("HINT", 12, 12, 2, "hint"), ("DIALOG", 24, 24, 4, "face"), ("FORM", 24, 24, 4, "face"),
    ("FORMTITLE", 24, 24, 4, "title"), ("MAINMENU", 12, 12, 0, "face"), ("MENUITEM", 12, 12, 2, "menu"),
    ("MENULINE", 12, 12, 0, "face"), ("EXTRALINE", 12, 12, 0, "title"), ("SPLITTER", 12, 12, 0, "face"),
    ("PROGRESSH", 12, 12, 2, "edit"), ("PROGRESSV", 12, 12, 2, "edit"), ("GAUGE", 12, 12, 2, "edit"),
    ("CHECKBOX", 12, 12, 2, "face"), ("RADIOBUTTON", 12, 12, 2, "face"), ("GRIPH", 12, 12, 0, "face"),
    ("BUTTON_HUGE", 48, 40, 6, "button"),
]


def pictures(pal, glyph_form="^", forms=None, divider=True):
    """Every picture of a skin; forms maps (section, property) to Picture keyword changes;
    divider adds the divider's line (the stored skin keeps its fixed set without it)."""
    forms = forms or {}
    gs = glyph_states(pal)
    out = []

    def add(section, prop, image, count, masktype=1, form=None, **kw):
        settings = dict(form=form or ("^" if section != "GLOBALINFO" else glyph_form))
        settings.update(kw)
        settings.update(forms.get((section, prop), {}))
        out.append(Picture(section, prop, image, count, masktype, **settings))

    for prop, mark in (("BOXCHECKED", "checked"), ("BOXUNCHECKED", "unchecked"), ("BOXGRAYED", "grayed")):
        add("GLOBALINFO", prop, draw.glyph((13, 13), gs, draw.check_box(13, mark)), 3)
    for prop, checked in (("RADIOCHECKED", True), ("RADIOUNCHECKED", False)):
        add("GLOBALINFO", prop, draw.glyph((13, 13), gs, draw.radio_box(13, checked)), 3)
    for prop, mark in (("SMALLCHECKED", "checked"), ("SMALLUNCHECKED", "unchecked"), ("SMALLGRAYED", "grayed")):
        add("GLOBALINFO", prop, draw.glyph((9, 9), gs, draw.check_box(9, mark)), 3)
    cs = caption_states(pal)
    for prop, kind in (("BICONCLOSE", "close"), ("BICONHELP", "help"), ("BICONMAX", "max"), ("BICONMIN", "min"),
                       ("BICONNORM", "restore")):
        add("GLOBALINFO", prop, draw.glyph((16, 14), cs, draw.caption_glyph(kind)), 3)
    title_button = [dict(face=pal["title"], border=pal["title"]), dict(face=pal["captionface"], border=pal["captionface"]),
                    dict(face=pal["accent"], border=pal["accent"])]
    add("GLOBALINFO", "TITLEBUTTON", draw.frame(18, 16, 3, title_button), 3)
    add("GLOBALINFO", "GRIPIMAGE", draw.glyph((12, 12), gs[:1], draw.size_grip), 1)

    for section, w, h, radius, kind in BORDERS:
        if section in PLAIN_TEXT:
            add(section, "BORDERSMASK", draw.glyph((w, h), states(pal, kind), draw.nothing), 3, border=1)
            continue
        add(section, "BORDERSMASK", draw.frame(w, h, radius, states(pal, kind)), 3, border=1 if radius == 0 else 0)
    for section, direction in (("SCROLLBTNTOP", "up"), ("SCROLLBTNBOTTOM", "down"), ("SCROLLBTNLEFT", "left"),
                               ("SCROLLBTNRIGHT", "right"), ("COMBOBOX", "down")):
        add(section, "GLYPHMASK", draw.glyph((9, 9), gs, draw.arrow(direction)), 3)
    add("SCROLLSLIDERH", "GLYPHMASK", draw.glyph((9, 9), gs, draw.grip_lines(False)), 3)
    add("SCROLLSLIDERV", "GLYPHMASK", draw.glyph((9, 9), gs, draw.grip_lines(True)), 3)
    add("TRACKBAR", "SLIDERCHANNEL", draw.frame(16, 6, 2, states(pal, "edit")[:1]), 1)
    thumbs = [dict(st, mark=pal["mark"]) for st in states(pal, "thumb")]
    add("TRACKBAR", "SLIDERMASK", draw.glyph((11, 19), thumbs, draw.slider_thumb(False)), 3)
    add("TRACKBAR", "SLIDERVMASK", draw.glyph((19, 11), thumbs, draw.slider_thumb(True)), 3)
    add("TRACKBAR", "TICKHORZ", draw.glyph((1, 4), gs[:1], draw.tick), 1)
    add("TRACKBAR", "TICKVERT", draw.glyph((4, 1), gs[:1], draw.tick), 1)
    if divider:  # a file of its own, so that the master bitmap stays the stored skin's
        add("DIVIDER", "BORDERSMASK", draw.glyph((2, 12), gs[:1], draw.divider_line), 1, border=1, form="!",
            file="DIVIDER.BMP")
    return out


# The list views' column header, which the stored skin's fixed sections lack: a section, and its
# frame in the button's looks.
COLUMN_HEADER = ("COLHEADER", "")


def column_header(pal):
    return Picture("COLHEADER", "BORDERSMASK", draw.frame(16, 16, 0, states(pal, "button")), 3, 1, form="^",
                   border=1)


def texture(pal, key, size, seed, spread=10):
    return raster.noise_texture(size, size, raster.rgb(pal[key]), spread, seed)


def contrast(a, b):
    """The contrast ratio of two 0xRRGGBB colours."""
    def lum(c):
        def ch(v):
            v /= 255.0
            return v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4
        r, g, b = raster.rgb(c)
        return 0.2126 * ch(r) + 0.7152 * ch(g) + 0.0722 * ch(b)
    hi, lo = sorted((lum(a), lum(b)), reverse=True)
    return (hi + 0.05) / (lo + 0.05)


def check_palette(name, pal):
    """Check and radio boxes stand out from the list or window face they lie on (3:1, as any
    control's outline should)."""
    for face in ("window", "face"):
        if contrast(pal["boxborder"], pal[face]) < 3.0:
            raise ValueError("%s: the box outline does not stand out from %s" % (name, face))


def check_contrast(skin):
    for s in skin.sections:
        v = skin.resolved(s.name)
        for face, text in (("COLOR", "FONTCOLOR"), ("HOTCOLOR", "HOTFONTCOLOR")):
            if contrast(v[face], v[text]) < 4.5:
                raise ValueError("%s %s: %s on %s is not legible" % (skin.name, s.name, text, face))
