"""The program's own pictures: line icons at 16, 22 and 32 pixels, each in its own colour, for
the image lists il16, il22 and suIL, the header, the tool title panels, and the program icon.
Every icon is designed on a 16-unit grid and drawn at any size with anti-aliased strokes."""

import math
import struct

import raster
from raster import Layer, circle, polygon, ring, rounded_rect, segment, union

BACKDROP = (240, 240, 240)  # what edge pixels are blended with in keyed (fuchsia) pictures


class Pen:
    """Strokes and fills on a layer in 16-unit coordinates."""

    def __init__(self, layer, colour):
        self.layer = layer
        self.k = layer.width / 16.0
        self.colour = raster.rgb(colour)
        self.width = max(1.0, 1.3 * self.k)

    def line(self, *pts, colour=None, width=None):
        w = (width or 1.3) * self.k if width else self.width
        shapes = [segment(pts[i][0] * self.k, pts[i][1] * self.k, pts[i + 1][0] * self.k, pts[i + 1][1] * self.k, w)
                  for i in range(len(pts) - 1)]
        self.layer.paint(union(*shapes), raster.rgb(colour) if colour is not None else self.colour)

    def box(self, x0, y0, x1, y1, r=1.0, colour=None, fill=None):
        k = self.k
        outer = rounded_rect(x0 * k, y0 * k, x1 * k, y1 * k, r * k)
        inner = rounded_rect(x0 * k + self.width, y0 * k + self.width, x1 * k - self.width, y1 * k - self.width,
                             max(0.0, r * k - self.width))
        if fill is not None:
            self.layer.paint(inner, raster.rgb(fill))
        self.layer.paint(ring(outer, inner), raster.rgb(colour) if colour is not None else self.colour)

    def fill(self, pts, colour=None):
        self.layer.paint(polygon([(x * self.k, y * self.k) for x, y in pts]),
                         raster.rgb(colour) if colour is not None else self.colour)

    def dot(self, x, y, r, colour=None):
        self.layer.paint(circle(x * self.k, y * self.k, r * self.k), raster.rgb(colour) if colour is not None else self.colour)

    def arc(self, cx, cy, r, a0, a1, colour=None, steps=12):
        pts = [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * i / steps)),
                cy + r * math.sin(math.radians(a0 + (a1 - a0) * i / steps))) for i in range(steps + 1)]
        self.line(*pts, colour=colour)


# The designs: name -> (colour, painter(pen)).

def _drive(p, extra=None):
    p.box(1.5, 5, 14.5, 11.5, 1.5, fill=0xF4F6F8)
    p.dot(12, 8.3, 0.9, 0x2E9E4F)
    p.line((3.5, 8.3), (8.5, 8.3))
    if extra:
        extra(p)


def _folder(p, fill=0xFCE9B8):
    p.fill([(1.5, 4), (6, 4), (7.5, 5.5), (14.5, 5.5), (14.5, 13), (1.5, 13)], fill)
    p.line((1.5, 4), (6, 4), (7.5, 5.5), (14.5, 5.5), (14.5, 13), (1.5, 13), (1.5, 4))


def _document(p, fill=0xFFFFFF, x=3.5, y=1.5):
    p.fill([(x, y), (x + 6, y), (x + 9, y + 3), (x + 9, y + 13), (x, y + 13)], fill)
    p.line((x, y), (x + 6, y), (x + 9, y + 3), (x + 9, y + 13), (x, y + 13), (x, y))
    p.line((x + 6, y), (x + 6, y + 3), (x + 9, y + 3))


def _gear(p):
    k = p.k
    teeth = []
    for i in range(8):
        a = math.radians(i * 45)
        teeth.append(segment((8 + 4.2 * math.cos(a)) * k, (8 + 4.2 * math.sin(a)) * k,
                             (8 + 6.3 * math.cos(a)) * k, (8 + 6.3 * math.sin(a)) * k, 2.2 * k))
    p.layer.paint(union(circle(8 * k, 8 * k, 4.8 * k), *teeth), p.colour)
    p.dot(8, 8, 2.0, 0xFFFFFF)


def _broom(p):
    p.line((12.5, 1.5), (7.5, 8.5), width=1.6)
    p.fill([(6, 7), (10, 10), (7, 14.5), (1.5, 12)], 0xE8B04A)
    p.line((6, 7), (10, 10), (7, 14.5), (1.5, 12), (6, 7))
    p.line((4.5, 11), (3.5, 13), colour=0x8A5A10)


def _trash(p):
    p.line((3, 4), (13, 4))
    p.line((6.5, 4), (6.5, 2.5), (9.5, 2.5), (9.5, 4))
    p.fill([(4.2, 5.2), (11.8, 5.2), (11, 14.5), (5, 14.5)], 0xE9EEF2)
    p.line((4.2, 5.2), (5, 14.5), (11, 14.5), (11.8, 5.2))
    p.line((7, 7), (7, 12.5))
    p.line((9, 7), (9, 12.5))


def _duplicates(p):
    _document(p, 0xE3EEFB, 1.5, 1.5)
    _document(p, 0xFFFFFF, 5.5, 2.5)


def _power(p):
    p.arc(8, 8.8, 5.5, -60, 240, steps=16)
    p.line((8, 1.8), (8, 8))


def _package(p):
    p.box(2, 5, 14, 14, 1, fill=0xF3E3C3)
    p.line((2, 8), (14, 8))
    p.line((8, 1), (8, 6.5))
    p.fill([(5.5, 3.5), (10.5, 3.5), (8, 1)])


def _shortcut(p):
    p.box(1.5, 1.5, 14.5, 14.5, 2, fill=0xFFFFFF)
    p.line((5, 11), (5, 8), (7, 6), (11, 6))
    p.fill([(10, 3.5), (13, 6), (10, 8.5)])


def _attributes(p):
    _document(p)
    for y in (6, 8.5, 11):
        p.line((5.5, y), (6.5, y), colour=0x2E9E4F)
        p.line((8, y), (10.5, y), colour=0x7A8590)


def _wiper(p):
    _document(p, 0xFFFFFF, 1.5, 1.5)
    p.fill([(8, 10), (12, 6), (15, 9), (11, 13)], 0xF08080)
    p.line((8, 10), (12, 6), (15, 9), (11, 13), (8, 10))


def _pie(p):
    p.dot(8, 8, 6.5)
    p.dot(8, 8, 5.2, 0xFFFFFF)
    p.fill([(8, 8)] + [(8 + 5.2 * math.cos(math.radians(a)), 8 + 5.2 * math.sin(math.radians(a)))
                       for a in range(-90, 1, 10)])


def _files_and_folders(p):
    _folder(p)
    _document(p, 0xFFFFFF, 7, 6.5)


def _registry(p):
    for x, y, c in ((2, 8, 0x3C7DD9), (8, 8, 0xD9703C), (5, 2.5, 0x2E9E4F)):
        p.box(x, y, x + 6, y + 6, 0.8, colour=c, fill=0xFFFFFF)


def _window(p):
    p.box(1.5, 2.5, 14.5, 13.5, 1.5, fill=0xFFFFFF)
    p.fill([(1.5, 2.5), (14.5, 2.5), (14.5, 5.5), (1.5, 5.5)])


def _refresh(p):
    p.arc(8, 8, 5, -30, 250, steps=16)
    p.fill([(13.5, 1.8), (13.8, 7.2), (8.8, 5.5)])


def _plus(p):
    p.line((8, 3), (8, 13), width=2)
    p.line((3, 8), (13, 8), width=2)


def _cross(p):
    p.line((3.5, 3.5), (12.5, 12.5), width=2)
    p.line((3.5, 12.5), (12.5, 3.5), width=2)


def _play(p):
    p.fill([(4, 2.5), (13, 8), (4, 13.5)])


def _pencil(p):
    p.fill([(3, 10.5), (10.5, 3), (13, 5.5), (5.5, 13)], 0xF2C14E)
    p.line((3, 10.5), (10.5, 3), (13, 5.5), (5.5, 13), (3, 10.5))
    p.fill([(3, 10.5), (5.5, 13), (2, 14)])


def _copy(p):
    p.box(1.5, 1.5, 10, 10, 1, fill=0xFFFFFF)
    p.box(6, 6, 14.5, 14.5, 1, fill=0xFFFFFF)


def _scissors(p):
    p.dot(4.5, 12, 2.3)
    p.dot(4.5, 12, 1.1, 0xFFFFFF)
    p.dot(11.5, 12, 2.3)
    p.dot(11.5, 12, 1.1, 0xFFFFFF)
    p.line((5.5, 10), (11, 2), colour=0x6B747D)
    p.line((10.5, 10), (5, 2), colour=0x6B747D)


def _paste(p):
    p.box(2.5, 3, 13.5, 14.5, 1, fill=0xF3E3C3)
    p.box(5.5, 1.5, 10.5, 4.5, 0.8, fill=0xFFFFFF)
    for y in (7.5, 10):
        p.line((5, y), (11, y), colour=0x7A8590)


def _options(p):
    for y, x in ((4, 10), (8, 5), (12, 9)):
        p.line((2, y), (14, y), colour=0x7A8590)
        p.dot(x, y, 1.8)


def _search(p):
    p.dot(6.5, 6.5, 4.6)
    p.dot(6.5, 6.5, 3.3, 0xFFFFFF)
    p.line((9.8, 9.8), (14, 14), width=2.2)


def _stop(p):
    p.box(3, 3, 13, 13, 2, fill=0xF5C6C6)


def _cd(p):
    p.dot(8, 8, 6.5)
    p.dot(8, 8, 5.3, 0xF4F6F8)
    p.dot(8, 8, 1.8)
    p.arc(8, 8, 3.6, 200, 250, colour=0x9BB4D0, steps=4)


def _remote(p):
    _drive(p, lambda q: (q.line((8, 11.5), (8, 14.5)), q.line((3, 14.5), (13, 14.5))))


def _removable(p):
    p.box(3.5, 3, 12.5, 14, 1.5, fill=0xF4F6F8)
    p.line((6, 3), (6, 6.5), (10, 6.5), (10, 3))


def _special_folder(p):
    _folder(p)
    p.fill([(10.5, 7), (11.4, 9.1), (13.6, 9.2), (11.9, 10.6), (12.5, 12.8), (10.5, 11.6), (8.5, 12.8),
            (9.1, 10.6), (7.4, 9.2), (9.6, 9.1)], 0xE8A317)


def _info(p):
    p.dot(8, 8, 6.5)
    p.dot(8, 8, 5.3, 0xFFFFFF)
    p.line((8, 7.3), (8, 11.5), width=1.8)
    p.dot(8, 5, 1.0)


def _help(p):
    p.arc(8, 6, 3, 180, 390, steps=12)
    p.line((8 + 3 * math.cos(math.radians(30)), 6 + 3 * math.sin(math.radians(30))), (8, 10))
    p.dot(8, 13, 1.0)


def _exit(p):
    p.line((9, 2.5), (3, 2.5), (3, 13.5), (9, 13.5))
    p.line((6.5, 8), (14, 8))
    p.fill([(11.5, 5), (14.5, 8), (11.5, 11)])


def _settings(p):
    _gear(p)


def _logo(p):
    p.dot(8, 8, 7, 0x2F6AA8)
    p.dot(8, 8, 5.6, 0xFFFFFF)
    p.dot(8, 8, 1.6, 0x2F6AA8)
    p.line((10, 14.5), (14.5, 10), colour=0x2E9E4F, width=2.2)
    p.fill([(10.5, 5.5), (11.2, 3.6), (12, 5.5), (13.8, 6.2), (12, 7), (11.2, 8.8), (10.5, 7), (8.6, 6.2)], 0xE8A317)


DESIGNS = {
    "logo": (0x2F6AA8, _logo), "refresh": (0x2E9E4F, _refresh), "add": (0x2E9E4F, _plus),
    "delete": (0xC83A3A, _cross), "cleaners": (0x8A5A10, _broom), "run": (0x2E9E4F, _play),
    "files": (0xB07A10, _files_and_folders), "system": (0x5A6B7C, _gear), "edit": (0x6B5A10, _pencil),
    "copy": (0x3C7DD9, _copy), "cut": (0xC83A3A, _scissors), "paste": (0x8A5A10, _paste),
    "options": (0x3C7DD9, _options), "search": (0x3C5A8A, _search), "stop": (0xC83A3A, _stop),
    "remote": (0x4A6A8A, _remote), "folder": (0xB07A10, _folder), "drive": (0x4A5A6A, _drive),
    "cd": (0x6A4A9A, _cd), "removable": (0x3C7DD9, _removable), "trash": (0x5A6B7C, _trash),
    "duplicates": (0x3C7DD9, _duplicates), "startup": (0x2E9E4F, _power), "uninstall": (0xB0602A, _package),
    "shortcut": (0x3C7DD9, _shortcut), "attributes": (0x2E6B4F, _attributes), "wiper": (0xC83A3A, _wiper),
    "size": (0x6A4A9A, _pie), "registry": (0x3C7DD9, _registry), "software": (0x3C5A8A, _window),
    "special": (0xB07A10, _special_folder), "document": (0x7A8590, _document), "info": (0x3C7DD9, _info),
    "help": (0x3C7DD9, _help), "exit": (0xC83A3A, _exit), "settings": (0x5A6B7C, _settings),
}

# il16, by index; indexes that nothing names yet hold the plain document.
IL16 = {0: "logo", 1: "refresh", 2: "add", 3: "delete", 4: "cleaners", 5: "run", 6: "files", 7: "system",
        8: "edit", 9: "copy", 10: "cut", 11: "paste", 12: "options", 13: "search", 14: "stop", 15: "remote",
        16: "folder", 17: "drive", 18: "cd", 19: "removable", 20: "trash", 21: "duplicates", 22: "startup",
        23: "uninstall", 24: "shortcut", 25: "attributes", 26: "wiper", 27: "size", 28: "info", 29: "help",
        30: "exit", 31: "settings", 42: "registry", 43: "software", 45: "special"}
IL16_COUNT = 46
# il22: the navigation buttons, in the order the three frames ask for them.
IL22 = ["cleaners", "trash", "duplicates", "startup", "uninstall", "shortcut", "attributes", "wiper", "size"]
# The title panels of the tool panels (32 pixels).
TITLES = {"DC": "cleaners", "OC": "trash", "DF": "duplicates", "SU": "startup", "UI": "uninstall",
          "SD": "shortcut", "AM": "attributes", "FW": "wiper"}


def layer(name, size):
    colour, painter = DESIGNS[name]
    lay = Layer(size, size)
    painter(Pen(lay, colour))
    return lay


def keyed(lay):
    """The icon on fuchsia: faint edge pixels drop out, the others are blended with BACKDROP."""
    out = raster.Image(lay.width, lay.height, raster.FUCHSIA)
    for k, a in enumerate(lay.alpha):
        if a < 0.3:
            continue
        c = [v / a for v in lay.colour[k]]
        out.px[k] = tuple(min(255, max(0, round(c[i] * a + BACKDROP[i] * (1 - a)))) for i in range(3))
    return out


def strip(names, size):
    out = raster.Image(size * len(names), size, raster.FUCHSIA)
    for i, name in enumerate(names):
        out.blit(keyed(layer(name, size)), i * size, 0)
    return out


def ico(name, sizes=(16, 32, 48)):
    """An icon file with 32-bit images (alpha) at the sizes."""
    images = []
    for size in sizes:
        lay = layer(name, size)
        xor = bytearray()
        for y in range(size - 1, -1, -1):
            for x in range(size):
                k = y * size + x
                a = lay.alpha[k]
                c = [round(v / a) if a > 0 else 0 for v in lay.colour[k]]
                xor += bytes((min(255, c[2]), min(255, c[1]), min(255, c[0]), round(a * 255)))
        and_mask = b"\0" * (((size + 31) // 32) * 4 * size)
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
        images.append(header + bytes(xor) + and_mask)
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def write(folder, write_bytes):
    import os
    os.makedirs(folder, exist_ok=True)
    il16 = [IL16.get(i, "document") for i in range(IL16_COUNT)]
    write_bytes(os.path.join(folder, "il16.bmp"), raster.bmp24(strip(il16, 16)))
    write_bytes(os.path.join(folder, "il22.bmp"), raster.bmp24(strip(IL22, 22)))
    write_bytes(os.path.join(folder, "suil.bmp"), raster.bmp24(strip(["software"], 16)))
    write_bytes(os.path.join(folder, "header.bmp"), raster.bmp24(strip(["logo"], 32)))
    for panel, name in TITLES.items():
        write_bytes(os.path.join(folder, "title_%s.bmp" % panel.lower()), raster.bmp24(strip([name], 32)))
    write_bytes(os.path.join(folder, "vorlet.ico"), ico("logo"))
    preview = raster.Image(46 * 18, 18 + 24 + 34, (255, 255, 255))
    preview.blit(strip(il16, 16), 0, 0)
    preview.blit(strip(IL22, 22), 0, 18)
    preview.blit(strip(["logo"] + list(TITLES.values()), 32), 0, 42)
    return raster.png(preview.scaled(2))
