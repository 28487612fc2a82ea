#!/usr/bin/python3
"""Draws every picture of the program and writes resources/pictures/ and resources/pictures.qrc.

    /usr/bin/python3 tools/make_artwork.py            pictures, resource file and previews
    /usr/bin/python3 tools/make_artwork.py --preview  only the previews in docs/
    /usr/bin/python3 tools/make_artwork.py --check    compare with the committed pictures; exit 1
                                                      when they are out of date

Needs Python 3 with Pillow and the DejaVu fonts (Debian packages python3-pil and
fonts-dejavu-core). The build never runs this script: its output is committed.

    /usr/bin/python3 tools/make_artwork.py --check-fit  only check that every caption fits its
                                                      picture in every language; exit 1 if not

Resources written (prefix, alias):
  /BMP/181             slot 1, the background (801 x 577)
  /GIF/182../GIF/245   slots 2..65 (no 190: slot 10 exists only in the Advanced mode);
                       the palette tiles 194..201 are animated GIFs, the rest PNG stills
  /GIF/278..280        Advanced variants of slots 8, 9 and 10
  /<lang>/GIF/<n>      the pictures with words (title, frame captions, buttons), one set per
                       text set in resources/texts/<lang>.tsv; the program looks there first
  /PIC/<name>          pictures of the test window, the progress window and the "+" tile, and
                       the nine-slice cards and buttons of the secondary windows
  <alias>@2x           every picture again at twice its size, for high-density screens (the
                       background as PNG); the program takes these when the screen's device
                       pixel ratio is above 1
Previews: docs/preview-beginner.png, docs/preview-advanced.png, docs/preview-test-window.png,
docs/preview-tiles.png, docs/preview-buttons.png.
"""
import io
import sys

from PIL import Image

sys.dont_write_bytecode = True
from pathlib import Path

TOOLS = Path(__file__).resolve().parent
sys.path.insert(0, str(TOOLS / "artwork"))
sys.path.insert(0, str(TOOLS))

import captions  # noqa: E402
import draw  # noqa: E402
import make_layouts  # noqa: E402
import preview  # noqa: E402
import skin  # noqa: E402
import testwin  # noqa: E402
import tiles  # noqa: E402
import windows  # noqa: E402

ROOT = TOOLS.parent
OUT = ROOT / "resources" / "pictures"
QRC = ROOT / "resources" / "pictures.qrc"
DOCS = ROOT / "docs"

BUTTONS = captions.BUTTONS
# The language whose pictures the previews in docs/ show.
PREVIEW_LANGUAGE = "es"


def png_bytes(img):
    buf = io.BytesIO()
    img.save(buf, format="PNG", optimize=True)
    return buf.getvalue()


def bmp_bytes(img):
    """An 8-bit BMP: the background has few colours."""
    buf = io.BytesIO()
    img.convert("RGB").quantize(colors=256, dither=0).save(buf, format="BMP")
    return buf.getvalue()


def pictures():
    """Returns [(prefix, alias, file name, bytes, image for previews)]: every picture at its
    size, then every picture at twice its size with "@2x" after its alias and file name."""
    plain = _pictures_at(1)
    with draw.scaled(2):
        sharp = _pictures_at(2)
    return plain + sharp


def _upscaled(img, scale):
    """A picture drawn pixel by pixel (not on a canvas) at the wanted scale: its areas are flat
    colours, so doubling each pixel loses nothing."""
    return img if scale == 1 else img.resize((img.width * scale, img.height * scale), Image.NEAREST)


def _pictures_at(scale):
    out = []
    suffix = "" if scale == 1 else "@2x"

    def add(prefix, alias, name, img, data=None, folder=""):
        if data is None or (scale > 1 and data[:2] == b"BM"):
            data = png_bytes(img)
        ext = "gif" if data[:3] == b"GIF" else "bmp" if data[:2] == b"BM" else "png"
        file_name = f"{alias}-{name}{suffix}.{ext}" if prefix != "/PIC" else f"{name}{suffix}.{ext}"
        out.append((prefix, str(alias) + suffix, folder + file_name, data, img))

    bg = _upscaled(skin.background(), scale)
    add("/BMP", 181, "background", bg, bmp_bytes(bg))
    add("/GIF", 182, "bottom-edge", skin.bottom_edge())
    add("/GIF", 183, "right-edge", _upscaled(skin.right_edge(), scale))
    add("/GIF", 184, "corner", skin.corner())
    add("/GIF", 186, "badge", skin.badge())
    add("/GIF", 189, "edit-panel", skin.edit_panel(241, 75))
    add("/GIF", 191, "right-column-frame", skin.column_frame(111, 308))
    add("/GIF", 192, "mascot", skin.mascot("wave"))
    add("/GIF", 193, "mascot-cheering", skin.mascot("up"))
    for slot, (kind, _) in tiles.TILES.items():
        frames = tiles.frames_of(slot)
        add("/GIF", slot + 180, "tile-" + kind.lower(), frames, tiles.gif_bytes(frames))
    add("/GIF", 279, "edit-panel-advanced", skin.edit_panel(513, 40))
    for lang in captions.languages():
        text = captions.read_texts(lang)
        for alias, name, img in worded_pictures(text):
            add(f"/{lang}/GIF", alias, name, img, folder=f"{lang}/")
    # Pictures of other windows.
    add("/PIC", "test_robot", "test_robot", testwin.test_robot())
    for side in ("left", "right"):
        add("/PIC", f"whisker_{side}_rest", f"whisker_{side}_rest", testwin.whisker(side, False))
        add("/PIC", f"whisker_{side}_pressed", f"whisker_{side}_pressed", testwin.whisker(side, True))
    add("/PIC", "warning", "warning", testwin.warning())
    add("/PIC", "sensor_set_tile", "sensor_set_tile", skin.plus_tile())
    for alias, img in windows.pieces():
        add("/PIC", alias, alias, img)
    return out


def check_sharp(items):
    """Every picture has its twin at exactly twice its size."""
    sizes = {(p, a): (img[0] if isinstance(img, list) else img).size for p, a, _, _, img in items}
    errors = []
    for (prefix, alias), (w, h) in sizes.items():
        if alias.endswith("@2x"):
            continue
        twin = sizes.get((prefix, alias + "@2x"))
        if twin != (w * 2, h * 2):
            errors.append(f"{prefix}/{alias}: {w} x {h}, its @2x picture {twin}")
    return errors


def worded_pictures(text):
    """The pictures with words of one language: [(alias, name, image)]."""
    out = [(185, "title", skin.title(text[captions.TAGLINE])),
           (187, "palette-frame", skin.palette_frame(text[captions.PALETTE])),
           (188, "step-list-frame", skin.step_list_frame(241, text[captions.STEP_LIST])),
           (278, "step-list-frame-advanced", skin.step_list_frame(297, text[captions.STEP_LIST])),
           (280, "sensor-frame-advanced", skin.sensor_frame(text[captions.SENSOR_LIST]))]
    for name, number, first, size in BUTTONS:
        for i, look in enumerate(skin.LOOKS):
            img = skin.button(name, text[number], size, look, command=size[0] == 75)
            out.append((first + i + 180, f"{name.lower()}-{look}", img))
    return out


def qrc_text(items):
    lines = ['<!DOCTYPE RCC><RCC version="1.0">',
             "<!-- Generated by tools/make_artwork.py; do not edit. -->"]
    prefixes = ["/BMP", "/GIF"] + sorted({p for p, *_ in items if p.count("/") == 2}) + ["/PIC"]
    for prefix in prefixes:
        lines.append(f'<qresource prefix="{prefix}">')
        for p, alias, file_name, _, _ in items:
            if p == prefix:
                lines.append(f'  <file alias="{alias}">pictures/{file_name}</file>')
        lines.append("</qresource>")
    lines += ["</RCC>", ""]
    return "\n".join(lines)


def readme_text():
    lines = ["# Pictures", "",
             "Generated by `tools/make_artwork.py`; do not edit by hand. Resource aliases are in",
             "`resources/pictures.qrc`: `/BMP/181` and `/GIF/182`..`/GIF/245` are the main window's",
             "picture slots 1..65 (slot s is picture s + 180; Advanced variants 278..280 for slots",
             "8..10); the palette tiles `/GIF/194`..`/GIF/201` are animated GIFs, the other `/GIF`",
             "entries are PNG stills. The pictures with words (title band 185, frames 187, 188, 278,",
             "280 and the buttons 202..245) are drawn once per text set from its texts, into `<lang>/`",
             "with the aliases `/<lang>/GIF/<n>`; the program takes the active language's first.", "",
             "Every picture also comes at twice its size, with `@2x` after its alias and file name",
             "(`/GIF/194@2x`, `/es/GIF/222@2x`, `/PIC/warning@2x`; the background as PNG): the",
             "program shows these on screens whose device pixel ratio is above 1.", "",
             "## Other windows (`/PIC`)", "",
             "| alias | size | use |", "|---|---|---|",
             "| `test_robot` | 190 x 330 | test window: the robot from above, front up; fills `BotPanel` |",
             "| `whisker_left_rest`, `whisker_left_pressed` | 70 x 104 | `LeftWhisker1`, `LeftWhisker2` |",
             "| `whisker_right_rest`, `whisker_right_pressed` | 70 x 104 | `RightWhisker1`, `RightWhisker2` |",
             "| `warning` | 32 x 32 | progress window: `WarningImage` |",
             "| `sensor_set_tile` | 23 x 23 | main window, Advanced mode: the \"+\" tile (`SensorActionPanel`) |",
             f"| `card_<colour>` | {windows.CARD_SIZE[0]} x {windows.CARD_SIZE[1]} | secondary windows: a rounded card, nine-slice |",
             f"| `banded_card_<colour>` | {windows.BANDED_SIZE[0]} x {windows.BANDED_SIZE[1]} | a card with a caption band ({skin.BAND} high), nine-slice |",
             f"| `button_<colour>_<look>` | {windows.BUTTON_SIZE[0]} x {windows.BUTTON_SIZE[1]} | a picture button: normal, highlight, pressed, cover (disabled) |",
             "",
             f"Nine-slice pieces keep a border of {windows.SLICE} pixels as drawn and stretch the rest.",
             "Card colours: " + ", ".join(windows.CARD_COLOURS) + "; button colours: "
             + ", ".join(windows.BUTTON_COLOURS) + ".",
             "", "## Places inside the test window's `BotPanel` (left, top, width, height)", "",
             "| piece | place |", "|---|---|"]
    for name, rect in testwin.PLACES.items():
        lines.append(f"| `{name}` | {rect[0]}, {rect[1]}, {rect[2]} x {rect[3]} |")
    lines += ["", "## Test window controls without a layout record (window coordinates)", "",
              "They sit in the servo panels (records 80, 81); each check box lies left of its",
              "label (records 82, 83).", "", "| control | place |", "|---|---|"]
    for name, rect in testwin.CONTROL_PLACES.items():
        lines.append(f"| `{name}` | {rect[0]}, {rect[1]}, {rect[2]} x {rect[3]} |")
    lines += ["", "The infrared detectors are filled shapes drawn by the window over the dark housings of",
              "`test_robot`; the whisker pictures are transparent outside the wire.", ""]
    return "\n".join(lines)


def check_sizes(records, items):
    """Every slot's picture has its record's size in both modes and every language, unless the
    record stretches it."""
    errors = []
    for lang in captions.languages():
        by_alias = {(p, a): img for p, a, _, _, img in items}
        by_alias.update({(p[len(lang) + 1:], a): img for p, a, _, _, img in items if p.startswith(f"/{lang}/")})
        errors += [f"{lang}: {e}" for e in _check_sizes_of(records, by_alias)]
    return errors


def _check_sizes_of(records, by_alias):
    errors = []
    for advanced in (False, True):
        for slot in range(1, 66):
            n = make_layouts.effective(records, slot, advanced)
            if n is None:
                continue
            _, (tag, left, top, w, h, stretch, transparent, visible) = records[n]
            prefix = "/BMP" if slot == 1 else "/GIF"
            img = by_alias.get((prefix, str(slot + 270))) if advanced else None
            img = img or by_alias.get((prefix, str(slot + 180)))
            if img is None:
                errors.append(f"slot {slot} (record {n}) has no picture")
                continue
            size = (img[0] if isinstance(img, list) else img).size
            if not stretch and size != (w, h):
                errors.append(f"slot {slot}: picture {size[0]} x {size[1]}, record {n} {w} x {h}")
    return errors


def main(argv):
    fit = captions.fit_errors({lang: captions.read_texts(lang) for lang in captions.languages()})
    for e in fit:
        print("artwork:", e, file=sys.stderr)
    if fit or "--check-fit" in argv:
        return 1 if fit else 0
    items = pictures()
    records = make_layouts.read_table()
    errors = check_sizes(records, items) + check_sharp(items)
    for e in errors:
        print("artwork:", e, file=sys.stderr)
    if errors:
        return 1
    if "--check" in argv:
        wanted = {OUT / f: data for _, _, f, data, _ in items}
        wanted[QRC] = qrc_text(items).encode()
        wanted[OUT / "README.md"] = readme_text().encode()
        stale = [p for p, data in wanted.items() if not p.exists() or p.read_bytes() != data]
        stale += [p for p in OUT.rglob("*") if p.is_file() and p not in wanted]
        for p in stale:
            print("artwork: out of date:", p.relative_to(ROOT), file=sys.stderr)
        return 1 if stale else 0
    if "--preview" not in argv:
        OUT.mkdir(parents=True, exist_ok=True)
        keep = {OUT / file_name for _, _, file_name, _, _ in items} | {OUT / "README.md"}
        for p in OUT.rglob("*"):
            if p.is_file() and p not in keep:
                p.unlink()
        for _, _, file_name, data, _ in items:
            (OUT / file_name).parent.mkdir(parents=True, exist_ok=True)
            (OUT / file_name).write_bytes(data)
        (OUT / "README.md").write_text(readme_text(), encoding="utf-8")
        QRC.write_text(qrc_text(items), encoding="utf-8")
        print(f"artwork: wrote {len(items)} pictures")
    DOCS.mkdir(exist_ok=True)
    by_alias = {(p, a): img for p, a, _, _, img in items}
    # The previews show one language's pictures under the plain prefix.
    shown = f"/{PREVIEW_LANGUAGE}"
    by_alias.update({(p[len(shown):], a): img for (p, a), img in list(by_alias.items()) if p.startswith(shown + "/")})
    for advanced, name in ((False, "beginner"), (True, "advanced")):
        preview.main_window(records, by_alias, advanced).save(DOCS / f"preview-{name}.png")
    preview.test_window(records, by_alias, testwin.CONTROL_PLACES, testwin.PLACES).save(DOCS / "preview-test-window.png")
    preview.tile_sheet(by_alias).save(DOCS / "preview-tiles.png")
    preview.button_sheet(by_alias, BUTTONS).save(DOCS / "preview-buttons.png")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
