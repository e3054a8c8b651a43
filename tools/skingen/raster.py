"""Pictures drawn from code: RGB images, anti-aliased shapes as coverage, masked frames, noise
textures, and the writers of BMP (24-bit and 8-bit palette), PPM and PNG files.

Everything is deterministic: the same calls give the same bytes on every run."""

import random
import struct
import zlib

FUCHSIA = (255, 0, 255)
SUB = 4  # supersampling steps per pixel side


def rgb(value):
    """A colour written as 0xRRGGBB."""
    return ((value >> 16) & 255, (value >> 8) & 255, value & 255)


class Image:
    def __init__(self, width, height, fill=(0, 0, 0)):
        self.width = width
        self.height = height
        self.px = [fill] * (width * height)

    def get(self, x, y):
        return self.px[y * self.width + x]

    def set(self, x, y, colour):
        self.px[y * self.width + x] = colour

    def fill(self, x, y, w, h, colour):
        for j in range(y, y + h):
            for i in range(x, x + w):
                self.px[j * self.width + i] = colour

    def blit(self, src, x, y):
        for j in range(src.height):
            row = j * src.width
            self.px[(y + j) * self.width + x:(y + j) * self.width + x + src.width] = src.px[row:row + src.width]

    def crop(self, x, y, w, h):
        out = Image(w, h)
        for j in range(h):
            out.px[j * w:(j + 1) * w] = self.px[(y + j) * self.width + x:(y + j) * self.width + x + w]
        return out

    def scaled(self, factor):
        out = Image(self.width * factor, self.height * factor)
        for y in range(out.height):
            for x in range(out.width):
                out.px[y * out.width + x] = self.px[(y // factor) * self.width + x // factor]
        return out


# Shapes: functions (x, y) -> True inside, over continuous coordinates, with a bounding box.

class Shape:
    def __init__(self, inside, box, solid=None):
        self.inside = inside
        self.box = box          # (x0, y0, x1, y1) in pixels, exclusive end
        self.solid = solid      # (x, y) -> True when the whole pixel is surely inside

    def coverage(self, x, y):
        if self.solid and self.solid(x, y):
            return 1.0
        hits = 0
        for j in range(SUB):
            for i in range(SUB):
                if self.inside(x + (i + 0.5) / SUB, y + (j + 0.5) / SUB):
                    hits += 1
        return hits / (SUB * SUB)


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    def solid(x, y):
        return (x0 + r <= x and x + 1 <= x1 - r and y0 <= y and y + 1 <= y1) or \
               (y0 + r <= y and y + 1 <= y1 - r and x0 <= x and x + 1 <= x1)
    return Shape(inside, (int(x0), int(y0), int(x1 + 0.999), int(y1 + 0.999)), solid)


def ring(outer, inner):
    return Shape(lambda x, y: outer.inside(x, y) and not inner.inside(x, y), outer.box)


def circle(cx, cy, r):
    return Shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r,
                 (int(cx - r), int(cy - r), int(cx + r + 1), int(cy + r + 1)))


def segment(ax, ay, bx, by, width):
    """A straight stroke from a to b, width wide, with round ends."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy or 1e-9
    half = width / 2.0

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        px, py = ax + t * dx - x, ay + t * dy - y
        return px * px + py * py <= half * half
    return Shape(inside, (int(min(ax, bx) - half - 1), int(min(ay, by) - half - 1),
                          int(max(ax, bx) + half + 2), int(max(ay, by) + half + 2)))


def polygon(points):
    def inside(x, y):
        result = False
        n = len(points)
        for i in range(n):
            (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
            if (ya > y) != (yb > y) and x < (xb - xa) * (y - ya) / (yb - ya) + xa:
                result = not result
        return result
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return Shape(inside, (int(min(xs)), int(min(ys)), int(max(xs) + 1.999), int(max(ys) + 1.999)))


def union(*shapes):
    return Shape(lambda x, y: any(s.inside(x, y) for s in shapes),
                 (min(s.box[0] for s in shapes), min(s.box[1] for s in shapes),
                  max(s.box[2] for s in shapes), max(s.box[3] for s in shapes)))


class Layer:
    """A coverage picture of one frame: colours with alpha, composed layer over layer."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.colour = [(0.0, 0.0, 0.0)] * (width * height)  # premultiplied
        self.alpha = [0.0] * (width * height)

    def paint(self, shape, colour, shade=None):
        """Paints the shape in the colour, or in shade(x, y) -> colour per pixel."""
        x0, y0, x1, y1 = shape.box
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                a = shape.coverage(x, y)
                if a <= 0:
                    continue
                c = shade(x, y) if shade else colour
                k = y * self.width + x
                pr, pg, pb = self.colour[k]
                self.colour[k] = (c[0] * a + pr * (1 - a), c[1] * a + pg * (1 - a), c[2] * a + pb * (1 - a))
                self.alpha[k] = a + self.alpha[k] * (1 - a)

    def image(self):
        """The frame as seen: fuchsia where nothing was painted."""
        out = Image(self.width, self.height, FUCHSIA)
        for k, a in enumerate(self.alpha):
            q = round(a * 255)
            if q > 0:
                c = self.colour[k]
                out.px[k] = tuple(min(255, max(0, round(v / a))) for v in c)
        return out

    def mask(self):
        """The mask weights: 0 shows the picture, 255 keeps what lies under it."""
        out = Image(self.width, self.height)
        for k, a in enumerate(self.alpha):
            m = 255 - round(a * 255)
            out.px[k] = (m, m, m)
        return out


def masked_strip(layers):
    """Frames side by side over their masks (MaskType 1)."""
    w, h = layers[0].width, layers[0].height
    out = Image(w * len(layers), h * 2)
    for i, layer in enumerate(layers):
        out.blit(layer.image(), i * w, 0)
        out.blit(layer.mask(), i * w, h)
    return out


def plain_strip(layers):
    """Frames side by side, fuchsia where transparent (MaskType 0)."""
    w, h = layers[0].width, layers[0].height
    out = Image(w * len(layers), h)
    for i, layer in enumerate(layers):
        out.blit(layer.image(), i * w, 0)
    return out


def noise_texture(width, height, base, spread, seed):
    """A texture of the base colour with seeded noise, smoothed so it tiles."""
    rnd = random.Random(seed)
    raw = [rnd.uniform(-1.0, 1.0) for _ in range(width * height)]
    out = Image(width, height)
    for y in range(height):
        for x in range(width):
            total = 0.0
            for dy in (-1, 0, 1):
                for dx in (-1, 0, 1):
                    total += raw[((y + dy) % height) * width + (x + dx) % width]
            v = total / 9.0 * spread
            out.set(x, y, tuple(min(255, max(0, round(c + v))) for c in base))
    return out


# Writers.

def bmp24(image):
    pad = (4 - image.width * 3 % 4) % 4
    rows = bytearray()
    for y in range(image.height - 1, -1, -1):
        for x in range(image.width):
            r, g, b = image.get(x, y)
            rows += bytes((b, g, r))
        rows += b"\0" * pad
    return _bmp(image.width, image.height, 24, b"", 0, bytes(rows))


def bmp8(image):
    """An 8-bit palette bitmap; the image must hold at most 256 colours."""
    palette = sorted(set(image.px))
    if len(palette) > 256:
        raise ValueError("more than 256 colours for an 8-bit bitmap")
    index = {c: i for i, c in enumerate(palette)}
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    pad = (4 - image.width % 4) % 4
    rows = bytearray()
    for y in range(image.height - 1, -1, -1):
        rows += bytes(index[image.get(x, y)] for x in range(image.width))
        rows += b"\0" * pad
    return _bmp(image.width, image.height, 8, table, len(palette), bytes(rows))


def _bmp(width, height, bits, table, colours, pixels):
    offset = 14 + 40 + len(table)
    return (b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) +
            struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), 2835, 2835, colours, 0) +
            table + pixels)


def ppm(image):
    return b"P6\n%d %d\n255\n" % (image.width, image.height) + bytes(c for p in image.px for c in p)


def png(image):
    raw = bytearray()
    for y in range(image.height):
        raw.append(0)
        for x in range(image.width):
            raw += bytes(image.get(x, y))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", image.width, image.height, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + \
        chunk(b"IEND", b"")
