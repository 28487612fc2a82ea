"""Drawing helpers shared by the artwork generator: a supersampled canvas, colours, fonts."""
import contextlib

from PIL import Image, ImageDraw, ImageFont

# Every picture is drawn at SS times its size and scaled down, which smooths all edges.
SS = 4
# Pictures come out at SCALE times their size in pixels: 2 for high-density screens, where the
# same coordinates (in logical pixels) give a picture with twice the detail.
SCALE = 1


@contextlib.contextmanager
def scaled(factor):
    """Draws every canvas made inside at factor times its size."""
    global SCALE
    before, SCALE = SCALE, factor
    try:
        yield
    finally:
        SCALE = before


def unit():
    """Canvas pixels per logical pixel."""
    return SS * SCALE

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"
FONT_FILES = {
    "regular": "DejaVuSans.ttf",
    "bold": "DejaVuSans-Bold.ttf",
    "condensed-bold": "DejaVuSansCondensed-Bold.ttf",
}
_fonts = {}


def font(kind, px):
    """The font at px pixels on the final picture (scaled for the canvas)."""
    key = (kind, px, unit())
    if key not in _fonts:
        _fonts[key] = ImageFont.truetype(FONT_DIR + FONT_FILES[kind], round(px * unit()))
    return _fonts[key]


def text_width(kind, px, text):
    return font(kind, px).getlength(text) / unit()


def hex_rgb(value):
    value = value.lstrip("#")
    return tuple(int(value[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    """Colour between a (t = 0) and b (t = 1)."""
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def lighten(c, t):
    return mix(c, (255, 255, 255), t)


def darken(c, t):
    return mix(c, (0, 0, 0), t)


def rgba(c, alpha=255):
    return tuple(c[:3]) + (alpha,)


class Canvas:
    """An RGBA picture of w x h pixels drawn on a canvas SS times larger."""

    def __init__(self, w, h, fill=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.scale = SCALE
        self.img = Image.new("RGBA", (w * unit(), h * unit()), rgba(fill) if len(fill) == 3 else fill)
        self.d = ImageDraw.Draw(self.img)

    @staticmethod
    def _box(box):
        x0, y0, x1, y1 = box
        u = unit()
        return [x0 * u, y0 * u, x1 * u - 1, y1 * u - 1]

    @staticmethod
    def _pts(points):
        return [(x * unit(), y * unit()) for x, y in points]

    def _on(self, *colours):
        """The draw object for these colours: translucent ink goes through a layer that is then
        blended in, since drawing straight onto RGBA pixels would replace them."""
        if any(c is not None and len(c) == 4 and c[3] < 255 for c in colours):
            layer = Image.new("RGBA", self.img.size, (0, 0, 0, 0))
            return layer, ImageDraw.Draw(layer)
        return None, self.d

    def _done(self, layer):
        if layer is not None:
            self.img.alpha_composite(layer)

    def rect(self, box, fill=None, outline=None, width=1):
        layer, d = self._on(fill, outline)
        d.rectangle(self._box(box), fill=self._c(fill), outline=self._c(outline), width=round(width * unit()))
        self._done(layer)

    def rrect(self, box, radius, fill=None, outline=None, width=1):
        layer, d = self._on(fill, outline)
        d.rounded_rectangle(self._box(box), radius * unit(), fill=self._c(fill), outline=self._c(outline),
                            width=round(width * unit()))
        self._done(layer)

    def ellipse(self, box, fill=None, outline=None, width=1):
        layer, d = self._on(fill, outline)
        d.ellipse(self._box(box), fill=self._c(fill), outline=self._c(outline), width=round(width * unit()))
        self._done(layer)

    def circle(self, cx, cy, r, fill=None, outline=None, width=1):
        self.ellipse((cx - r, cy - r, cx + r, cy + r), fill, outline, width)

    def polygon(self, points, fill=None, outline=None):
        layer, d = self._on(fill, outline)
        d.polygon(self._pts(points), fill=self._c(fill), outline=self._c(outline))
        self._done(layer)

    def line(self, points, fill, width=1):
        layer, d = self._on(fill)
        d.line(self._pts(points), fill=self._c(fill), width=round(width * unit()), joint="curve")
        # Round caps so thick strokes end softly.
        r = width * unit() / 2
        for x, y in self._pts([points[0], points[-1]]):
            d.ellipse([x - r, y - r, x + r, y + r], fill=self._c(fill))
        self._done(layer)

    def arc(self, box, start, end, fill, width=1):
        layer, d = self._on(fill)
        d.arc(self._box(box), start, end, fill=self._c(fill), width=round(width * unit()))
        self._done(layer)

    def text(self, xy, s, kind, px, fill, anchor="mm"):
        layer, d = self._on(fill)
        d.text((xy[0] * unit(), xy[1] * unit()), s, font=font(kind, px), fill=self._c(fill), anchor=anchor)
        self._done(layer)

    def gradient(self, box, radius, top, bottom):
        """A rounded box filled with a vertical gradient from top to bottom colour."""
        x0, y0, x1, y1 = self._box(box)
        w, h = x1 - x0 + 1, y1 - y0 + 1
        band = Image.new("RGBA", (1, h))
        for y in range(h):
            band.putpixel((0, y), rgba(mix(top, bottom, y / max(1, h - 1))))
        band = band.resize((w, h))
        mask = Image.new("L", (w, h), 0)
        ImageDraw.Draw(mask).rounded_rectangle([0, 0, w - 1, h - 1], radius * unit(), fill=255)
        self.img.paste(band, (x0, y0), mask)

    def paste(self, other, xy):
        """Composes another canvas (at the same scale) at xy."""
        self.img.alpha_composite(other.img, (round(xy[0] * unit()), round(xy[1] * unit())))

    @staticmethod
    def _c(c):
        if c is None:
            return None
        return rgba(c) if len(c) == 3 else c

    def image(self):
        return self.img.resize((self.w * self.scale, self.h * self.scale), Image.BOX)
