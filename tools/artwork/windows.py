"""Pieces of the secondary windows (progress, test, viewer, virtual robot) in the main
window's look: rounded cards and picture buttons. They carry no words (the windows draw their
captions over them), so one set serves every language. Each piece is a nine-slice picture: the
window keeps its corners and stretches the edges and the middle to any size; SLICE gives the
width of the border that stays as drawn."""
from draw import Canvas, darken, hex_rgb, lighten
from skin import (BAND, CARD, COLUMN_COLOUR, COMMAND_COLOURS, COVER_BOTTOM, COVER_TOP, GLOW, LIST_COLOUR,
                  PALETTE_COLOUR, SENSOR_COLOUR)

# Border of a nine-slice piece that is drawn as it is (logical pixels).
SLICE = 12
CARD_SIZE = (48, 48)
BANDED_SIZE = (48, BAND + 2 * SLICE)
BUTTON_SIZE = (48, 36)
BUTTON_LOOKS = ("normal", "highlight", "pressed", "cover")

# Colour families: the cards and buttons of the windows use the main window's frame and
# command colours.
CARD_COLOURS = {"blue": LIST_COLOUR, "green": SENSOR_COLOUR, "purple": COLUMN_COLOUR, "orange": PALETTE_COLOUR}
BUTTON_COLOURS = {"green": COMMAND_COLOURS["Go"], "orange": COMMAND_COLOURS["Clear"],
                  "purple": COMMAND_COLOURS["Test"], "blue": COMMAND_COLOURS["Open"],
                  "red": COMMAND_COLOURS["Quit"]}


def card(colour):
    """A white card with a rounded outline in the frame colour."""
    w, h = CARD_SIZE
    c = Canvas(w, h)
    c.rrect((0, 0, w, h), 10, fill=colour)
    c.rrect((2, 2, w - 2, h - 2), 8, fill=CARD)
    return c.image()


def banded_card(colour):
    """A card with the main window's caption band on top (BAND high, gradient as the frames)."""
    w, h = BANDED_SIZE
    c = Canvas(w, h)
    r = 10
    c.rrect((0, 0, w, h), r, fill=colour)
    c.rrect((2, BAND, w - 2, h - 2), r - 2, fill=CARD)
    c.rect((2, BAND, w - 2, BAND + r), fill=CARD)
    c.gradient((2, 2, w - 2, BAND), r - 2, lighten(colour, 0.18), colour)
    c.rect((2, BAND - 3, w - 2, BAND), fill=colour)
    return c.image()


def button(colour, look):
    """A command button as on the main window, without icon and caption."""
    w, h = BUTTON_SIZE
    c = Canvas(w, h)
    r = 9
    if look == "cover":
        top, bottom, edge = COVER_TOP, COVER_BOTTOM, hex_rgb("#A9B3BE")
    elif look == "highlight":
        top, bottom, edge = lighten(colour, 0.45), lighten(colour, 0.12), GLOW
    elif look == "pressed":
        top, bottom, edge = darken(colour, 0.28), darken(colour, 0.08), darken(colour, 0.45)
    else:
        top, bottom, edge = lighten(colour, 0.3), colour, darken(colour, 0.3)
    if look != "pressed":
        c.rrect((1, 2, w, h), r, fill=(0, 0, 0, 45))
    c.gradient((0, 0, w - 1, h - 2), r, top, bottom)
    c.rrect((0, 0, w - 1, h - 2), r, outline=edge, width=2.2 if look == "highlight" else 1.2)
    if look in ("normal", "highlight"):
        c.rrect((3, 2.5, w - 4, (h - 2) * 0.45), r - 3, fill=(255, 255, 255, 48))
    return c.image()


def pieces():
    """[(alias, image)] of every piece, aliases as the windows ask for them."""
    out = []
    for name, colour in CARD_COLOURS.items():
        out.append((f"card_{name}", card(colour)))
        out.append((f"banded_card_{name}", banded_card(colour)))
    for name, colour in BUTTON_COLOURS.items():
        for look in BUTTON_LOOKS:
            out.append((f"button_{name}_{look}", button(colour, look)))
    return out
