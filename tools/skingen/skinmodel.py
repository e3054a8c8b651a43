"""A skin as data: its sections with their values and parents, its pictures with the form each
takes in Options.dat, and the writers of a skin folder and of a stored-skin text."""

import os
import subprocess

import raster

# The keys of a section, in the order the loader reads them, with the loader's defaults.
KEYS = [
    ("COLOR", 0xFFFFFF), ("BEVEL", 0), ("SHADOWBLUR", 6), ("SHADOWOFFSET", 3), ("SHADOWCOLOR", 0),
    ("SHADOWTRANSPARENCY", 50), ("SHADOWENABLED", "FALSE"), ("RESERVEDBOOLEAN", "FALSE"),
    ("FONTCOLOR", 0), ("TCLEFT", -1), ("TCTOP", -1), ("TCRIGHT", -1), ("TCBOTTOM", -1),
    ("HOTFONTCOLOR", 0), ("HOTTCLEFT", -1), ("HOTTCTOP", -1), ("HOTTCRIGHT", -1), ("HOTTCBOTTOM", -1),
    ("TRANSPARENCY", 0), ("GRADIENTPERCENT", 0), ("IMAGEPERCENT", 0), ("GRADIENTDATA", " "),
    ("SHOWFOCUS", "FALSE"), ("FADINGENABLED", "FALSE"), ("FADINGINTERVALIN", 5), ("FADINGINTERVALOUT", 5),
    ("FADINGITERATIONS", 5), ("HOTCOLOR", 0xFFFFFF), ("HOTTRANSPARENCY", 0), ("HOTBEVEL", 0),
    ("HOTGRADIENTPERCENT", 0), ("HOTGRADIENTDATA", ""), ("HOTIMAGEPERCENT", 0), ("BORDERCOLOR1", 0),
    ("BORDERCOLOR2", 0),
]
DEFAULTS = dict(KEYS)
COLOUR_KEYS = {"COLOR", "SHADOWCOLOR", "FONTCOLOR", "TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM", "HOTFONTCOLOR",
               "HOTTCLEFT", "HOTTCTOP", "HOTTCRIGHT", "HOTTCBOTTOM", "HOTCOLOR", "BORDERCOLOR1", "BORDERCOLOR2"}


def tcolor(value):
    """0xRRGGBB as the program's colour number 0x00BBGGRR; -1 stays -1."""
    if value == -1:
        return -1
    r, g, b = raster.rgb(value)
    return r | g << 8 | b << 16


def gradient(*stops):
    """GRADIENTDATA text from (colour1, colour2, percent, mode) stops, colours as 0xRRGGBB."""
    return ";".join("%d;%d;%d;%d;0" % (tcolor(a), tcolor(b), p, m) for a, b, p, m in stops)


class Section:
    def __init__(self, name, parent="", **values):
        self.name = name
        self.parent = parent
        self.values = values  # keys as in Options.dat; "?" asks the parent


class Picture:
    """One skin image. form: "^", "~", "@", "#", "!" or "plain"; "^", "~", "@" and "#" lie in
    the master bitmap, "!" and "plain" in a file of their own (bits 24 or 8)."""

    def __init__(self, section, prop, image, count=1, masktype=0, form="^", border=0, stretch=0,
                 file=None, bits=24):
        self.section = section
        self.prop = prop
        self.image = image
        self.count = count
        self.masktype = masktype
        self.form = form
        self.border = border
        self.stretch = stretch
        self.file = file
        self.bits = bits
        self.rect = None  # (left, top, right, bottom) in the master bitmap

    def in_master(self):
        return self.form in ("^", "~", "@", "#")


class Pattern:
    """A JPEG picture named by a section key."""

    def __init__(self, section, prop, file, image):
        self.section = section
        self.prop = prop
        self.file = file
        self.image = image


class Skin:
    def __init__(self, name, version, author, description, shadow, sections, pictures, patterns=()):
        self.name = name
        self.version = version
        self.author = author
        self.description = description
        self.shadow = shadow  # (colour, offset, blur, transparency)
        self.sections = sections
        self.pictures = pictures
        self.patterns = list(patterns)
        self.master = pack_master([p for p in pictures if p.in_master()])

    def section(self, name):
        for s in self.sections:
            if s.name == name:
                return s
        raise KeyError(name)

    def resolved(self, name):
        """Every key of a section as the loader reads it from the folder."""
        s = self.section(name)
        values = {}
        for key, default in KEYS:
            v = s.values.get(key, "?")
            if (v == "?" or v == -1) and key != "SHADOWCOLOR":
                v = self.resolved(s.parent)[key] if s.parent else default
            elif v == "?":
                v = default
            values[key] = v
        return values


def pack_master(pictures, width=512):
    """Places the pictures left to right in rows; returns the master image (fuchsia between)."""
    x = y = row = 0
    right = 0
    for p in pictures:
        if x and x + p.image.width > width:
            x, y, row = 0, y + row + 2, 0
        p.rect = (x, y, x + p.image.width, y + p.image.height)
        right = max(right, x + p.image.width)
        x += p.image.width + 2
        row = max(row, p.image.height)
    master = raster.Image(right, y + row, raster.FUCHSIA)
    for p in pictures:
        master.blit(p.image, p.rect[0], p.rect[1])
    return master


def value_text(key, value):
    if key in COLOUR_KEYS and isinstance(value, int):
        c = tcolor(value)
        return "-1" if c == -1 else "$%08X" % c
    return str(value)


def picture_value(p):
    if p.form == "plain":
        return p.file
    if p.form == "!":
        return "!%s!%d!%d!0" % (p.file, p.count, p.masktype)
    left, top, right, bottom = p.rect
    if p.form == "^":
        return "^%04d,%04d,%04d,%04d,0000,0000,0000,0000,%d,%d,%d,%d" % (
            left, top, right, bottom, p.count, p.masktype, p.stretch, p.border)
    if p.form == "~":
        return "~%04d,%04d,%04d,%04d,%02d,%d" % (left, top, right, bottom, p.stretch, p.masktype)
    if p.form == "@":
        return "@%04d,%04d,%04d,%04d,%d,%d" % (left, top, right, bottom, p.count, p.masktype)
    return "# (%d,%d,%d,%d) (%d,%d,%d,%d)" % (left, top, right, bottom, p.count, p.masktype, p.border, p.stretch)


def jpeg(image, quality=88):
    """The image as a JPEG through the host's cjpeg, with fixed options."""
    result = subprocess.run(["cjpeg", "-quality", str(quality), "-sample", "2x2", "-dct", "int", "-baseline"],
                            input=raster.ppm(image), stdout=subprocess.PIPE, check=True)
    return result.stdout


def write_bytes(path, data):
    with open(path, "wb") as f:
        f.write(data)


def write_folder(skin, folder):
    """Options.dat, master.bmp, the pictures with files of their own and the JPEGs."""
    os.makedirs(folder, exist_ok=True)
    lines = ["; %s: drawn by tools/skingen" % skin.name]
    for s in skin.sections:
        if not s.name:
            continue
        lines.append("[%s]" % s.name)
        if s.name == "GLOBALINFO":
            colour, offset, blur, transparency = skin.shadow
            lines += ["VERSION=%s" % skin.version, "AUTHOR=%s" % skin.author, "DESCRIPTION=%s" % skin.description,
                      "SHADOW1COLOR=%d" % tcolor(colour), "SHADOW1OFFSET=%d" % offset, "SHADOW1BLUR=%d" % blur,
                      "SHADOW1TRANSPARENCY=%d" % transparency, "MASTERBITMAP=master.bmp"]
        if s.parent:
            lines.append("PARENTCLASS=%s" % s.parent)
        for key, _ in KEYS:
            if key in s.values:
                lines.append("%s=%s" % (key, value_text(key, s.values[key])))
        for p in skin.pictures:
            if p.section == s.name:
                lines.append("%s=%s" % (p.prop, picture_value(p)))
        for p in skin.patterns:
            if p.section == s.name:
                lines.append("%s=%s" % (p.prop, p.file))
        lines.append("")
    write_bytes(os.path.join(folder, "Options.dat"), "\r\n".join(lines).encode("ascii"))
    write_bytes(os.path.join(folder, "master.bmp"), raster.bmp24(skin.master))
    for p in skin.pictures:
        if not p.in_master():
            data = raster.bmp8(p.image) if p.bits == 8 else raster.bmp24(p.image)
            write_bytes(os.path.join(folder, p.file), data)
    for p in skin.patterns:
        write_bytes(os.path.join(folder, p.file), jpeg(p.image))


# The stored skin: property names in the streaming order of each item.
GENERAL_PROPERTIES = [
    ("SectionName", None), ("ParentClass", None), ("Color", "COLOR"), ("Bevel", "BEVEL"),
    ("ShadowBlur", "SHADOWBLUR"), ("ShadowColor", "SHADOWCOLOR"), ("ShadowDontUse", None),
    ("ShadowEnabled", "SHADOWENABLED"), ("ReservedBoolean", "RESERVEDBOOLEAN"), ("ShadowOffset", "SHADOWOFFSET"),
    ("ShadowTransparency", "SHADOWTRANSPARENCY"), ("FontColor", None), ("HotFontColor", None),
    ("Transparency", "TRANSPARENCY"), ("GradientPercent", "GRADIENTPERCENT"), ("GradientData", "GRADIENTDATA"),
    ("ImagePercent", "IMAGEPERCENT"), ("ShowFocus", "SHOWFOCUS"), ("FadingEnabled", "FADINGENABLED"),
    ("FadingIntervalIn", "FADINGINTERVALIN"), ("FadingIntervalOut", "FADINGINTERVALOUT"),
    ("FadingIterations", "FADINGITERATIONS"), ("HotColor", "HOTCOLOR"), ("HotTransparency", "HOTTRANSPARENCY"),
    ("HotBevel", "HOTBEVEL"), ("HotGradientPercent", "HOTGRADIENTPERCENT"), ("HotGradientData", "HOTGRADIENTDATA"),
    ("HotImagePercent", "HOTIMAGEPERCENT"), ("BorderColor1", "BORDERCOLOR1"), ("BorderColor2", "BORDERCOLOR2"),
]


def stored_value(key, value):
    if key in COLOUR_KEYS:
        return str(tcolor(value))
    if value in ("TRUE", "FALSE"):
        return "True" if value == "TRUE" else "False"
    return str(value)


def stored_text(skin, prefix):
    """The [StoredSkin], [General] and [Image] blocks of a skin whose pictures are resources
    named <prefix>_MASTER and <prefix>_<file name without extension>."""
    colour, offset, blur, transparency = skin.shadow
    lines = ["[StoredSkin]", "Name=%s" % skin.name, "MasterBitmap=%s_MASTER" % prefix,
             "Shadow1Color=%d" % tcolor(colour), "Shadow1Offset=%d" % offset, "Shadow1Blur=%d" % blur,
             "Shadow1Transparency=%d" % transparency, "Version=%s" % skin.version, "Author=%s" % skin.author,
             "Description=%s" % skin.description, ""]
    for s in skin.sections:
        lines.append("[General]")
        values = skin.resolved(s.name)
        for prop, key in GENERAL_PROPERTIES:
            if prop == "SectionName":
                lines.append("SectionName=%s" % s.name)
            elif prop == "ParentClass":
                if s.parent:
                    lines.append("ParentClass=%s" % s.parent)
            elif prop == "ShadowDontUse":
                lines.append("ShadowDontUse=False")
            elif prop in ("FontColor", "HotFontColor"):
                keys = ["FONTCOLOR", "TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM"]
                if prop == "HotFontColor":
                    keys = ["HOT" + k for k in keys]
                lines.append("%s=%s" % (prop, " ".join(str(tcolor(values[k])) for k in keys)))
            else:
                lines.append("%s=%s" % (prop, stored_value(key, values[key])))
        lines.append("")
    for p in skin.pictures:
        lines.append("[Image]")
        lines.append("SectionName=%s" % p.section)
        if not p.in_master():
            lines.append("Image=%s_%s" % (prefix, os.path.splitext(p.file)[0].upper()))
            lines.append("Name=%s" % p.file)
        lines.append("PropertyName=%s" % p.prop)
        left, top, right, bottom = p.rect if p.in_master() else (0, 0, 0, 0)
        img_type = 1 if p.prop in ("PATTERN", "HOTPATTERN") else 0
        lines += ["Left=%d" % left, "Top=%d" % top, "Right=%d" % right, "Bottom=%d" % bottom,
                  "ImageCount=%d" % p.count, "MaskType=%d" % p.masktype, "BorderWidth=%d" % p.border,
                  "StretchMode=%d" % p.stretch, "ImgType=%d" % img_type, "WL=0", "WR=0", "WT=0", "WB=0", ""]
    return "\r\n".join(lines)


def preview(skin):
    """Each picture enlarged three times, its frames outlined, one under the other."""
    scale = 3
    pics = skin.pictures + [Picture(p.section, p.prop, p.image) for p in skin.patterns if p.image.width <= 128]
    width = max(p.image.width for p in pics) * scale + 8
    height = sum(p.image.height * scale + 8 for p in pics)
    out = raster.Image(width, height, (40, 40, 40))
    y = 4
    for p in pics:
        big = p.image.scaled(scale)
        out.blit(big, 4, y)
        frames = max(p.count, 1)
        rows = p.masktype + 1
        fw, fh = big.width // frames, big.height // rows
        for i in range(frames + 1):
            for j in range(big.height):
                x = 4 + min(i * fw, big.width - 1)
                out.set(x, y + j, (255, 220, 0))
        for r in range(rows + 1):
            for i in range(big.width):
                out.set(4 + i, y + min(r * fh, big.height - 1), (255, 220, 0))
        y += big.height + 8
    return raster.png(out)
