"""The painters of skin pictures: frames with rounded, anti-aliased corners, check and radio
boxes, caption-button glyphs, arrows, grips and ticks. Each returns an image strip of frames
side by side (normal, hot, pressed), over its mask row when masked."""

import raster
from raster import Layer, rounded_rect, ring, circle, segment, polygon, union


def _shade(top, bottom, y0, y1):
    """A vertical blend from top to bottom between rows y0 and y1."""
    def shade(x, y):
        t = 0.0 if y1 <= y0 else min(1.0, max(0.0, (y + 0.5 - y0) / (y1 - y0)))
        return tuple(a + (b - a) * t for a, b in zip(raster.rgb(top), raster.rgb(bottom)))
    return shade


def frame(w, h, radius, states, line=1.0, masked=True):
    """A rounded frame per state: a border line of colour state["border"] around a face of
    state["face"] (shaded towards state["face2"] when given)."""
    layers = []
    for st in states:
        layer = Layer(w, h)
        outer = rounded_rect(0, 0, w, h, radius)
        inner = rounded_rect(line, line, w - line, h - line, max(0.0, radius - line))
        face2 = st.get("face2", st["face"])
        layer.paint(inner, None, _shade(st["face"], face2, line, h - line))
        layer.paint(ring(outer, inner), raster.rgb(st["border"]))
        if st.get("line2") is not None:  # a light inner line along the top edge
            layer.paint(segment(radius + line, line + 0.5, w - radius - line, line + 0.5, 1.0), raster.rgb(st["line2"]))
        layers.append(layer)
    return raster.masked_strip(layers) if masked else raster.plain_strip(layers)


def glyph(size, states, painter, masked=True):
    """A glyph per state; painter(layer, state) draws it on a transparent layer."""
    w, h = size
    layers = []
    for st in states:
        layer = Layer(w, h)
        painter(layer, st)
        layers.append(layer)
    return raster.masked_strip(layers) if masked else raster.plain_strip(layers)


def nothing(layer, st):
    """Leaves the layer transparent: a picture that shows only what lies under it."""


def _box(layer, st, size, round_box):
    r = size / 2.0 if round_box else 2.0
    outer = rounded_rect(0, 0, size, size, r)
    inner = rounded_rect(1, 1, size - 1, size - 1, max(0.0, r - 1))
    layer.paint(inner, raster.rgb(st["face"]))
    layer.paint(ring(outer, inner), raster.rgb(st["border"]))


def check_box(size, mark):
    """mark: "checked", "unchecked" or "grayed"."""
    def paint(layer, st):
        _box(layer, st, size, False)
        s = size / 13.0
        if mark == "checked":
            layer.paint(union(segment(3.2 * s, 6.6 * s, 5.4 * s, 9.0 * s, 1.8 * s),
                              segment(5.4 * s, 9.0 * s, 9.8 * s, 3.8 * s, 1.8 * s)), raster.rgb(st["mark"]))
        elif mark == "grayed":
            layer.paint(rounded_rect(3.5 * s, 3.5 * s, size - 3.5 * s, size - 3.5 * s, 1.0), raster.rgb(st["grey"]))
    return paint


def radio_box(size, checked):
    def paint(layer, st):
        _box(layer, st, size, True)
        if checked:
            layer.paint(circle(size / 2.0, size / 2.0, size * 0.2), raster.rgb(st["mark"]))
    return paint


def caption_glyph(kind):
    """Close, minimise, maximise, restore and help, drawn in state["mark"] on a w x h glyph."""
    def paint(layer, st):
        c = raster.rgb(st["mark"])
        w, h = layer.width, layer.height
        cx, cy = w / 2.0, h / 2.0
        if kind == "close":
            layer.paint(union(segment(cx - 3.5, cy - 3.5, cx + 3.5, cy + 3.5, 1.6),
                              segment(cx - 3.5, cy + 3.5, cx + 3.5, cy - 3.5, 1.6)), c)
        elif kind == "min":
            layer.paint(segment(cx - 4, cy + 3.5, cx + 4, cy + 3.5, 1.8), c)
        elif kind == "max":
            outer = rounded_rect(cx - 4.5, cy - 4.5, cx + 4.5, cy + 4.5, 0.5)
            layer.paint(ring(outer, rounded_rect(cx - 3.3, cy - 2.5, cx + 3.3, cy + 3.3, 0)), c)
        elif kind == "restore":
            back = rounded_rect(cx - 2.5, cy - 4.5, cx + 4.5, cy + 2.5, 0)
            layer.paint(ring(back, rounded_rect(cx - 1.5, cy - 2.8, cx + 3.5, cy + 1.5, 0)), c)
            front = rounded_rect(cx - 4.5, cy - 1.5, cx + 2.5, cy + 4.5, 0)
            layer.paint(rounded_rect(cx - 3.5, cy + 0.2, cx + 1.5, cy + 3.5, 0), raster.rgb(st["face"]))
            layer.paint(ring(front, rounded_rect(cx - 3.5, cy + 0.2, cx + 1.5, cy + 3.5, 0)), c)
        else:  # help: a question mark from strokes along an arc
            import math
            pts = [(cx + 2.8 * math.cos(a), cy - 2.2 + 2.5 * math.sin(a))
                   for a in [math.pi * (1.0 + i / 6.0) for i in range(0, 9)]]
            strokes = [segment(pts[i][0], pts[i][1], pts[i + 1][0], pts[i + 1][1], 1.6) for i in range(len(pts) - 1)]
            strokes.append(segment(pts[-1][0], pts[-1][1], cx, cy + 1.6, 1.6))
            layer.paint(union(*strokes), c)
            layer.paint(circle(cx, cy + 4.2, 1.0), c)
    return paint


def arrow(direction):
    """A filled triangle pointing up, down, left or right."""
    def paint(layer, st):
        w, h = layer.width, layer.height
        cx, cy = w / 2.0, h / 2.0
        a = min(w, h) * 0.32
        pts = {"up": [(cx - a, cy + a / 2), (cx + a, cy + a / 2), (cx, cy - a / 2)],
               "down": [(cx - a, cy - a / 2), (cx + a, cy - a / 2), (cx, cy + a / 2)],
               "left": [(cx + a / 2, cy - a), (cx + a / 2, cy + a), (cx - a / 2, cy)],
               "right": [(cx - a / 2, cy - a), (cx - a / 2, cy + a), (cx + a / 2, cy)]}[direction]
        layer.paint(polygon(pts), raster.rgb(st["mark"]))
    return paint


def grip_lines(vertical):
    """Three short lines across a scroll slider."""
    def paint(layer, st):
        w, h = layer.width, layer.height
        strokes = []
        for i in (-2.5, 0, 2.5):
            if vertical:
                strokes.append(segment(w / 2 - 3, h / 2 + i, w / 2 + 3, h / 2 + i, 1.0))
            else:
                strokes.append(segment(w / 2 + i, h / 2 - 3, w / 2 + i, h / 2 + 3, 1.0))
        layer.paint(union(*strokes), raster.rgb(st["mark"]))
    return paint


def size_grip(layer, st):
    """Dots along the diagonal of the lower right corner."""
    w, h = layer.width, layer.height
    for row in range(3):
        for col in range(3 - row):
            x = w - 2.5 - col * 4
            y = h - 2.5 - row * 4
            layer.paint(circle(x + 1, y + 1, 1.1), raster.rgb(st["light"]))
            layer.paint(circle(x, y, 1.1), raster.rgb(st["mark"]))


def divider_line(layer, st):
    """An etched vertical line: a dark column beside a light one."""
    layer.paint(rounded_rect(0, 0, 1, layer.height, 0), raster.rgb(st["border"]))
    layer.paint(rounded_rect(1, 0, 2, layer.height, 0), raster.rgb(st["light"]))


def tick(layer, st):
    layer.paint(rounded_rect(0, 0, layer.width, layer.height, 0), raster.rgb(st["mark"]))


def slider_thumb(vertical):
    def paint(layer, st):
        w, h = layer.width, layer.height
        outer = rounded_rect(0, 0, w, h, 2.5)
        inner = rounded_rect(1, 1, w - 1, h - 1, 1.5)
        layer.paint(inner, raster.rgb(st["face"]))
        layer.paint(ring(outer, inner), raster.rgb(st["border"]))
        grip_lines(not vertical)(layer, st)
    return paint
