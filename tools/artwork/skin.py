"""The main window's skin: background, edges, title, frames, panels, mascot and buttons.

The window is a light body under a black header with an orange stripe. The edge strips and
the corner piece repeat the body and draw the window's outline on the right and at the
bottom, where the window's size changes with the mode and the help panel."""
from PIL import Image

import robot
from draw import Canvas, darken, hex_rgb, lighten, mix, text_width

HEADER = (0, 0, 0)          # the help check box is drawn light blue on black: it sits here
HEADER_HEIGHT = 54
STRIPE = hex_rgb("#F5A623")
STRIPE_HEIGHT = 4
BODY = hex_rgb("#DCEBF7")
OUTLINE = hex_rgb("#2C4A6E")
CARD = (255, 255, 255)
CARD_EDGE = hex_rgb("#9DBAD6")
CAPTION = (255, 255, 255)

# The window's outline is two pixels wide on the left, right and bottom.
OUTLINE_WIDTH = 2
# Where the right edge strip starts in both modes (its records' top).
RIGHT_EDGE_TOP = 0
# The beginner window (534 wide, 547 high with the help panel) is taller than the strip
# (485 high); the background draws its right outline below the strip.
BEGINNER_RIGHT_OUTLINE = (534 - OUTLINE_WIDTH, 485, 527)
# Rows of the background that end the window when the help panel is on: the bottom edge strip
# stops one row short of the window's bottom there (advanced 495, beginner 547 high).
HELP_BOTTOM_ROWS = (494, 546)
# The lowest rows are cut away by the window's rounded corner left of this column.
ROUNDED_CORNER = 16

PALETTE_COLOUR = hex_rgb("#E67E22")
LIST_COLOUR = hex_rgb("#2E86DE")
SENSOR_COLOUR = hex_rgb("#27AE60")
COLUMN_COLOUR = hex_rgb("#8E44AD")
BAND = 32  # caption band of a frame


def background():
    """Slot 1, 801 x 577, shared by both modes."""
    w, h = 801, 577
    img = Image.new("RGB", (w, h), BODY)
    px = img.load()
    for y in range(HEADER_HEIGHT):
        for x in range(w):
            px[x, y] = HEADER
    for y in range(HEADER_HEIGHT, HEADER_HEIGHT + STRIPE_HEIGHT):
        for x in range(w):
            px[x, y] = STRIPE
    for y in range(HEADER_HEIGHT + STRIPE_HEIGHT, h):
        for x in range(OUTLINE_WIDTH):
            px[x, y] = OUTLINE
    x0, y0, y1 = BEGINNER_RIGHT_OUTLINE
    for y in range(y0, y1):
        for x in range(x0, x0 + OUTLINE_WIDTH):
            px[x, y] = OUTLINE
    for y in HELP_BOTTOM_ROWS:
        for x in range(ROUNDED_CORNER, w):
            px[x, y] = OUTLINE
    return img


def _edge_rows(y):
    """The colour of a right-edge column cell at window row y, away from the outline."""
    if y < HEADER_HEIGHT:
        return HEADER
    if y < HEADER_HEIGHT + STRIPE_HEIGHT:
        return STRIPE
    return BODY


def right_edge():
    """Slot 3, 19 x 485: the window's right side from the top down."""
    w, h = 19, 485
    img = Image.new("RGBA", (w, h))
    px = img.load()
    for y in range(h):
        row = _edge_rows(RIGHT_EDGE_TOP + y)
        for x in range(w):
            px[x, y] = row + (255,)
        if RIGHT_EDGE_TOP + y >= HEADER_HEIGHT + STRIPE_HEIGHT:
            for x in range(w - OUTLINE_WIDTH, w):
                px[x, y] = OUTLINE + (255,)
    return img


def bottom_edge():
    """Slot 2, 782 x 18: the window's bottom, moved by the help panel. It starts at column 2
    (after the left outline), so its left end also draws the outline of the window's bottom
    left corner, placed like the corner piece's."""
    w, h = 782, 18
    c = Canvas(w, h, OUTLINE)
    c.rect((0, 0, w, h - OUTLINE_WIDTH), fill=BODY)
    # The corner's circle centre (window column 25, 25 rows above the bottom with the help
    # panel on) in the strip's coordinates; the inner edge is an ellipse as in corner().
    cx, cy, r = 25 - 2, 19 - 25, 25
    rx, ry = r - OUTLINE_WIDTH - 0.5, r - 2 * OUTLINE_WIDTH - 0.5
    c.rect((0, 0, cx, h), fill=OUTLINE)
    c.ellipse((cx - rx, cy - ry, cx + rx, cy + ry), fill=BODY)
    c.rect((cx, 0, w, h - OUTLINE_WIDTH), fill=BODY)
    return c.image()


def corner():
    """Slot 4, 23 x 19: the bottom right corner. The window's rounded corner (radius 25) ends
    one row below this piece when the help panel is on and at its row 18 when it is off, so
    the outline is drawn two rows deeper at the bottom: it then meets the bottom strip's
    outline in both states."""
    c = Canvas(23, 19, BODY)
    # Centre of the corner's circle in the piece's coordinates (help panel on).
    cx, cy, r = 23 - 25, 20 - 25, 25
    rx, ry = r - OUTLINE_WIDTH - 0.5, r - 2 * OUTLINE_WIDTH - 0.5
    c.rect((0, 0, 23, 19), fill=OUTLINE)
    c.ellipse((cx - rx, cy - ry, cx + rx, cy + ry), fill=BODY)
    return c.image()


def title(tagline):
    """Slot 5, 268 x 25, transparent, on the black header; the tagline in the user's language."""
    c = Canvas(268, 25)
    robot.draw_head_icon(c, 0, 0, 24)
    letters = [(255, 201, 60), (46, 204, 113), (52, 152, 219), (155, 89, 182), (230, 126, 34),
               (231, 76, 60), (26, 188, 156)]
    x = 31
    for ch, col in zip("Rovalis", letters):
        c.text((x, 21.5), ch, "bold", 21, col, anchor="ls")
        x += text_width("bold", 21, ch) + 0.5
    c.text((x + 9, 20.5), tagline, "regular", 11, (170, 182, 196), anchor="ls")
    return c.image()


def badge():
    """Slot 6, 32 x 32, transparent: a robot head (the slot stays hidden in this build)."""
    c = Canvas(32, 32)
    robot.draw_head_icon(c, 2, 2, 28)
    return c.image()


def frame(w, h, colour, caption, body=CARD, caption_left=None):
    """A rounded card with a coloured caption band; the controls lie inside."""
    c = Canvas(w, h)
    r = 10
    c.rrect((0, 0, w, h), r, fill=colour)
    c.rrect((2, BAND, w - 2, h - 2), r - 2, fill=body)
    c.rect((2, BAND, w - 2, BAND + r), fill=body)
    c.gradient((2, 2, w - 2, BAND), r - 2, lighten(colour, 0.18), colour)
    c.rect((2, BAND - 3, w - 2, BAND), fill=colour)
    if caption_left is None:
        c.text((w / 2, BAND / 2 + 1), caption, "bold", 13, CAPTION)
    else:
        c.text((caption_left, BAND / 2 + 1), caption, "bold", 13, CAPTION, anchor="lm")
    return c.image()


def palette_frame(caption):
    """Slot 7, 138 x 308: around the black palette box."""
    return frame(138, 308, PALETTE_COLOUR, caption, body=(0, 0, 0))


def step_list_frame(w, caption):
    """Slot 8, beginner 241 x 268, advanced 297 x 268."""
    return frame(w, 268, LIST_COLOUR, caption)


def sensor_frame(caption):
    """Slot 10 (advanced only), 211 x 268; the "+" tile sits at the band's left."""
    return frame(211, 268, SENSOR_COLOUR, caption, caption_left=46)


def column_frame(w, h):
    """Slot 11: the right-hand column with the port box on a light top and the mascot."""
    c = Canvas(w, h)
    r = 10
    c.rrect((0, 0, w, h), r, fill=COLUMN_COLOUR)
    c.rrect((2, 2, w - 2, h - 2), r - 2, fill=CARD)
    c.rrect((2, 2, w - 2, 74), r - 2, fill=lighten(COLUMN_COLOUR, 0.84))
    c.rect((2, 60, w - 2, 74), fill=lighten(COLUMN_COLOUR, 0.84))
    c.rect((2, 74, w - 2, 76), fill=lighten(COLUMN_COLOUR, 0.55))
    return c.image()


def edit_panel(w, h):
    """Slot 9: the tray under the step list that holds the edit buttons."""
    c = Canvas(w, h)
    c.rrect((0, 0, w, h), 9, fill=hex_rgb("#C3D8EC"), outline=CARD_EDGE, width=1.5)
    c.rrect((3, 3, w - 3, h - 3), 7, outline=(255, 255, 255, 120), width=1)
    return c.image()


def mascot(arms):
    """Slots 12 and 13, 100 x 160, transparent."""
    c = Canvas(100, 160)
    robot.draw_front(c, 4, 14, 92, 140, arms=arms, blink=(arms == "up"))
    return c.image()


# ---------------------------------------------------------------- buttons

COMMAND_COLOURS = {
    "Go": hex_rgb("#27AE60"), "Clear": hex_rgb("#E67E22"), "Test": hex_rgb("#8E44AD"),
    "Open": hex_rgb("#2E86DE"), "Save": hex_rgb("#16A085"), "Quit": hex_rgb("#E74C3C"),
}
EDIT_COLOUR = hex_rgb("#4A6FA5")
LOOKS = ("normal", "highlight", "pressed", "cover")
GLOW = hex_rgb("#FFD23F")
COVER_TOP, COVER_BOTTOM = hex_rgb("#DCE1E7"), hex_rgb("#C5CCD4")
COVER_INK = hex_rgb("#8E99A5")


def _icon(c, name, cx, cy, ink, base):
    """Small white pictograms of the six commands, 14 pixels across."""
    if name == "Go":
        c.polygon([(cx - 5, cy - 7), (cx + 7, cy), (cx - 5, cy + 7)], ink)
    elif name == "Clear":  # an eraser
        c.polygon([(cx - 8, cy + 2), (cx - 1, cy - 6), (cx + 8, cy + 1), (cx + 1, cy + 8)], ink)
        c.polygon([(cx - 8, cy + 2), (cx - 4.5, cy - 2), (cx + 4.5, cy + 5), (cx + 1, cy + 8)],
                  mix(ink, base, 0.45))
    elif name == "Test":  # a dial with its needle
        c.arc((cx - 8, cy - 7, cx + 8, cy + 9), 180, 360, ink, 2.2)
        c.line([(cx, cy + 1), (cx + 5, cy - 4)], ink, 2)
        c.circle(cx, cy + 1, 2, fill=ink)
    elif name == "Open":  # a folder
        c.rrect((cx - 8, cy - 6, cx - 1, cy - 2), 1.2, fill=ink)
        c.rrect((cx - 8, cy - 4, cx + 8, cy + 7), 1.6, fill=ink)
        c.polygon([(cx - 6, cy - 1), (cx + 9, cy - 1), (cx + 7, cy + 7), (cx - 8, cy + 7)],
                  mix(ink, base, 0.25))
    elif name == "Save":  # a disk
        c.rrect((cx - 7, cy - 7, cx + 7, cy + 7), 1.8, fill=ink)
        c.rect((cx - 4, cy - 7, cx + 4, cy - 2), fill=mix(ink, base, 0.6))
        c.rrect((cx - 4.5, cy + 1, cx + 4.5, cy + 7), 1, fill=mix(ink, base, 0.3))
    elif name == "Quit":  # a power sign
        c.arc((cx - 7, cy - 6, cx + 7, cy + 8), -50, 230, ink, 2.2)
        c.line([(cx, cy - 7), (cx, cy + 0.5)], ink, 2.2)


def button(name, caption, size, look, command):
    w, h = size
    base = COMMAND_COLOURS.get(name, EDIT_COLOUR)
    c = Canvas(w, h)
    r = 9 if command else 7
    shift = 1 if look == "pressed" else 0
    if look == "cover":
        top, bottom, edge, ink = COVER_TOP, COVER_BOTTOM, hex_rgb("#A9B3BE"), COVER_INK
    elif look == "highlight":
        top, bottom, edge, ink = lighten(base, 0.45), lighten(base, 0.12), GLOW, (255, 255, 255)
    elif look == "pressed":
        top, bottom, edge, ink = darken(base, 0.28), darken(base, 0.08), darken(base, 0.45), (255, 255, 255)
    else:
        top, bottom, edge, ink = lighten(base, 0.3), base, darken(base, 0.3), (255, 255, 255)
    # A soft drop shadow, except when pressed (the button sits down on the surface).
    if look != "pressed":
        c.rrect((1, 2, w, h), r, fill=(0, 0, 0, 45))
    c.gradient((0, 0, w - 1, h - 2), r, top, bottom)
    width = 2.2 if look == "highlight" else 1.2
    c.rrect((0, 0, w - 1, h - 2), r, outline=edge, width=width)
    if look in ("normal", "highlight"):
        # A gloss on the upper half.
        c.rrect((3, 2.5, w - 4, (h - 2) * 0.45), r - 3, fill=(255, 255, 255, 48))
    shadow = None if look == "cover" else (0, 0, 0, 90)
    if command:
        _icon(c, name, w / 2 + shift, 12 + shift, ink, bottom)
        ty = 28.5 + shift
        if shadow:
            c.text((w / 2 + shift + 0.6, ty + 0.7), caption, "bold", 11, shadow)
        c.text((w / 2 + shift, ty), caption, "bold", 11, ink)
    else:
        ty = (h - 2) / 2 + 0.5 + shift
        if shadow:
            c.text((w / 2 + shift + 0.6, ty + 0.7), caption, "condensed-bold", 11.5, shadow)
        c.text((w / 2 + shift, ty), caption, "condensed-bold", 11.5, ink)
    return c.image()


def plus_tile(size=23):
    """The "+" tile of the Advanced mode, for the sensor set panel."""
    c = Canvas(size, size)
    u = size / 23
    c.gradient((0, 0, size, size), 5 * u, lighten(SENSOR_COLOUR, 0.3), SENSOR_COLOUR)
    c.rrect((0, 0, size, size), 5 * u, outline=darken(SENSOR_COLOUR, 0.3), width=1.2 * u)
    c.line([(size / 2, 5.5 * u), (size / 2, size - 5.5 * u)], (255, 255, 255), 3.2 * u)
    c.line([(5.5 * u, size / 2), (size - 5.5 * u, size / 2)], (255, 255, 255), 3.2 * u)
    return c.image()
