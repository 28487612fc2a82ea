"""The words drawn into the pictures, taken from the text sets (resources/texts/<lang>.tsv),
and the check that each caption fits its picture in every language."""
from pathlib import Path

from draw import text_width

TEXTS = Path(__file__).resolve().parents[2] / "resources" / "texts"

# Text numbers of the words in pictures.
PALETTE = 370       # the palette frame's caption
STEP_LIST = 512     # the step list frame's caption
SENSOR_LIST = 513   # the sensor frame's caption (Advanced mode)
TAGLINE = 514       # the words beside the name in the title band

# (name, caption text, first slot, size); the four looks follow in slot order.
BUTTONS = [
    ("Delete", 501, 22, (65, 28)), ("Copy", 502, 26, (65, 28)),
    ("Cut", 503, 30, (65, 28)), ("Paste", 504, 34, (65, 28)),
    ("Undo", 505, 38, (65, 28)),
    ("Go", 506, 42, (75, 39)), ("Clear", 507, 46, (75, 39)),
    ("Test", 508, 50, (75, 39)), ("Open", 509, 54, (75, 39)),
    ("Save", 510, 58, (75, 39)), ("Quit", 511, 62, (75, 39)),
]

# Where each caption is drawn: (text number, font, size, room in pixels).
FRAME_MARGIN = 10   # the rounded corners of a frame's band, for a centred caption
BAND_RIM = 4        # a caption that starts at the left may run up to the band's rim
BUTTON_MARGIN = 3   # the rim of a button on each side
TITLE_WIDTH = 268
SENSOR_CAPTION_LEFT = 46


def tagline_left():
    """Where the title band's tagline starts: after the icon and the name, as skin.title draws."""
    return 31 + sum(text_width("bold", 21, ch) + 0.5 for ch in "Rovalis") + 9


def languages():
    """The languages that have a text set, e.g. ["en", "es"]."""
    return sorted(p.stem for p in TEXTS.glob("*.tsv"))


def read_texts(lang):
    """{number: text} of one language; same rules as the program's reader."""
    texts = {}
    for line in (TEXTS / f"{lang}.tsv").read_text(encoding="utf-8").splitlines():
        if not line or line.startswith("#"):
            continue
        open_, close = line.find('"'), line.rfind('"')
        if open_ < 0 or close <= open_:
            continue
        try:
            texts[int(line[:open_].strip())] = line[open_ + 1:close]
        except ValueError:
            continue
    return texts


def caption_places():
    """[(what, text number, font, size, room)] for every caption drawn into a picture."""
    places = [("palette frame", PALETTE, "bold", 13, 138 - 2 * FRAME_MARGIN),
              ("step list frame", STEP_LIST, "bold", 13, 241 - 2 * FRAME_MARGIN),
              ("sensor frame", SENSOR_LIST, "bold", 13, 211 - SENSOR_CAPTION_LEFT - BAND_RIM),
              ("title band", TAGLINE, "regular", 11, TITLE_WIDTH - tagline_left())]
    for name, number, _, (w, _) in BUTTONS:
        font = "bold" if w == 75 else "condensed-bold"
        size = 11 if w == 75 else 11.5
        places.append((f"{name} button", number, font, size, w - 2 * BUTTON_MARGIN))
    return places


def fit_errors(texts_by_language):
    """Messages for every caption missing from a language or wider than its room."""
    errors = []
    for lang, texts in sorted(texts_by_language.items()):
        for what, number, font, size, room in caption_places():
            caption = texts.get(number)
            if not caption:
                errors.append(f"{lang}: text {number} ({what}) is missing")
                continue
            width = text_width(font, size, caption)
            if width > room:
                errors.append(f"{lang}: {what} caption \"{caption}\" is {width:.1f} px wide, room {room:.1f} px")
    return errors
