"""The five edit-button glyphs of the combo edits (resources "SF", "SR", "SD", "SE", "SC"): each
picture holds three frames side by side (normal, hot, pressed) in its upper half, $FF00FF where a
frame leaves the pixel free, over their masks in the lower half (0 shows the frame's pixel, 255
keeps what lies under it). The pressed frame is the hot one moved down and right by a pixel."""

import os

import raster
from raster import Layer, circle, polygon, rounded_rect, segment, union

FRAME_HEIGHT = 17
NORMAL = (72, 72, 80)
HOT = (30, 90, 200)


def _document(w, h):
    x0, y0, x1, y1 = w / 2 - 5, 2, w / 2 + 5, 15
    outline = union(segment(x0, y0, x1 - 3, y0, 1.2), segment(x1 - 3, y0, x1, y0 + 3, 1.2),
                    segment(x1, y0 + 3, x1, y1, 1.2), segment(x1, y1, x0, y1, 1.2), segment(x0, y1, x0, y0, 1.2))
    lines = union(*[segment(x0 + 2.5, y, x1 - 2.5, y, 1.0) for y in (7.5, 10, 12.5)])
    return [(outline, 1.0), (lines, 0.6)]


def _folder(w, h):
    x0, x1 = w / 2 - 7, w / 2 + 7
    tab = polygon([(x0, 3), (x0 + 5, 3), (x0 + 6.5, 5), (x0, 5)])
    body = rounded_rect(x0, 5, x1, 14, 1.0)
    flap = polygon([(x0 + 2.5, 8), (x1 + 1, 8), (x1 - 1.5, 14), (x0, 14)])
    return [(union(tab, body), 0.65), (flap, 1.0)]


def _date(w, h):
    x0, x1 = w / 2 - 6, w / 2 + 6
    frame = union(segment(x0, 4, x1, 4, 1.2), segment(x1, 4, x1, 15, 1.2), segment(x1, 15, x0, 15, 1.2),
                  segment(x0, 15, x0, 4, 1.2), polygon([(x0, 4), (x1, 4), (x1, 7), (x0, 7)]))
    rings = union(segment(x0 + 3, 2, x0 + 3, 5, 1.4), segment(x1 - 3, 2, x1 - 3, 5, 1.4))
    days = union(*[polygon([(x, y), (x + 2, y), (x + 2, y + 2), (x, y + 2)])
                   for x in (x0 + 2, x0 + 5, x0 + 8) for y in (8.5, 11.5)])
    return [(frame, 1.0), (rings, 1.0), (days, 0.6)]


def _ellipsis(w, h):
    return [(union(*[circle(w / 2 + dx, 11, 1.5) for dx in (-5, 0, 5)]), 1.0)]


def _calculator(w, h):
    x0, x1 = w / 2 - 5.5, w / 2 + 5.5
    body = union(segment(x0, 2, x1, 2, 1.2), segment(x1, 2, x1, 15, 1.2), segment(x1, 15, x0, 15, 1.2),
                 segment(x0, 15, x0, 2, 1.2))
    display = polygon([(x0 + 2, 4), (x1 - 2, 4), (x1 - 2, 6.5), (x0 + 2, 6.5)])
    keys = union(*[polygon([(x, y), (x + 1.8, y), (x + 1.8, y + 1.8), (x, y + 1.8)])
                   for x in (x0 + 2, x0 + 4.6, x0 + 7.2) for y in (8.2, 11)])
    return [(body, 1.0), (display, 0.6), (keys, 0.8)]


# resource name -> (file, frame width, design)
GLYPHS = {
    "SF": ("sf.bmp", 20, _document),
    "SR": ("sr.bmp", 20, _folder),
    "SD": ("sd.bmp", 16, _date),
    "SE": ("se.bmp", 18, _ellipsis),
    "SC": ("sc.bmp", 19, _calculator),
}


def _shade(colour, weight):
    """The colour lightened towards white for a weight below 1."""
    return tuple(round(c * weight + 235 * (1 - weight)) for c in colour)


def _frame(design, w, colour, shift):
    layer = Layer(w, FRAME_HEIGHT)
    for shape, weight in design(w, FRAME_HEIGHT):
        moved = raster.Shape(lambda x, y, s=shape: s.inside(x - shift, y - shift),
                             (shape.box[0] + shift, shape.box[1] + shift, shape.box[2] + shift + 1,
                              shape.box[3] + shift + 1))
        layer.paint(moved, _shade(colour, weight))
    return layer


def picture(name):
    _, w, design = GLYPHS[name]
    out = raster.Image(3 * w, 2 * FRAME_HEIGHT, raster.FUCHSIA)
    for i, (colour, shift) in enumerate(((NORMAL, 0), (HOT, 0), (HOT, 1))):
        layer = _frame(design, w, colour, shift)
        out.blit(layer.image(), i * w, 0)
        out.blit(layer.mask(), i * w, FRAME_HEIGHT)
    return out


def write(folder, write_bytes):
    os.makedirs(folder, exist_ok=True)
    for name, (file, _, _) in GLYPHS.items():
        write_bytes(os.path.join(folder, file), raster.bmp24(picture(name)))
