#!/usr/bin/python3
"""Writes the binary layout records from tools/layouts.tsv and checks the layout.

Run from anywhere: /usr/bin/python3 tools/make_layouts.py [--check]
  (no option)  validate, then write resources/layouts/<n>.rec and resources/layouts.qrc
  --check      validate and compare with the committed files; exit 1 when they differ

Needs only Python 3. The caption width check uses Pillow (Debian package python3-pil) and
the DejaVu fonts when they are present and is skipped otherwise. The build itself never
runs this script: its output is committed.
"""
import struct
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
TABLE = ROOT / "tools" / "layouts.tsv"
OUT_DIR = ROOT / "resources" / "layouts"
QRC = ROOT / "resources" / "layouts.qrc"

ADVANCED_OFFSET = 90

# The records this build carries, no more and no fewer.
BEGINNER_RECORDS = set(range(1, 10)) | set(range(11, 71)) | set(range(73, 90))
ADVANCED_RECORDS = ({93, 94, 96} | set(range(98, 104)) | set(range(112, 163))
                    | {164, 165, 178})
ALL_RECORDS = BEGINNER_RECORDS | ADVANCED_RECORDS

# Values the window code and the program's behaviour depend on; they must not drift.
# record: (left, top, width, height[, tag, stretch, transparent, visible])
PINNED = {
    1: (0, 0, 801, 577, 0, 1, 0, 1),
    73: (19, 103, 128, 263),
    74: (16, 482, 500, 49),
    75: (0, 0, 534, 527),
    76: (0, 0, 454, 480),
    88: (159, 103, 231, 226),
    89: (4, 24, 193, 198),
    161: (460, 103, 201, 226),
    162: (471, 70, 23, 23),
    164: (16, 444, 771, 34),
    165: (0, 0, 807, 527),
    178: (158, 103, 287, 226),
}
SLOT_SIZES = {2: (782, 18), 3: (19, 485), 4: (23, 19), 5: (268, 25)}

# Buttons: (name, tag, first slot, beginner position, advanced position, size, starts enabled)
BUTTONS = [
    ("Delete", 7, 22, (161, 381), (245, 346), (65, 28), False),
    ("Copy", 8, 26, (161, 346), (311, 346), (65, 28), False),
    ("Cut", 9, 30, (241, 346), (377, 346), (65, 28), False),
    ("Paste", 10, 34, (322, 346), (443, 346), (65, 28), False),
    ("Undo", 11, 38, (322, 381), (509, 346), (65, 28), False),
    ("Go", 1, 42, (19, 429), (124, 392), (75, 39), False),
    ("Clear", 2, 46, (103, 429), (220, 392), (75, 39), False),
    ("Test", 3, 50, (187, 429), (316, 392), (75, 39), True),
    ("Open", 4, 54, (271, 429), (412, 392), (75, 39), True),
    ("Save", 5, 58, (355, 429), (508, 392), (75, 39), False),
    ("Quit", 6, 62, (439, 429), (604, 392), (75, 39), True),
]
# Palette tiles: slot -> (kind tag, position in the palette box)
TILES = {14: (0, (5, 12)), 15: (1, (69, 12)), 16: (2, (5, 76)), 17: (3, (69, 76)),
         18: (4, (5, 140)), 19: (5, (69, 140)), 20: (7, (5, 204)), 21: (6, (69, 204))}

# Slots that may lie under or across anything: the background and the window edges.
BACKDROP_SLOTS = {1, 2, 3, 4}
# Main-window controls by record; 89 and the tiles have other parents and are checked apart.
MAIN_CONTROLS = [66, 67, 68, 69, 70, 71, 72, 73, 74, 88]
TEST_CONTROLS = list(range(77, 88))
# Controls the window hides in a mode.
HIDDEN_CONTROLS = {"beginner": {71, 72}, "advanced": {70}}
# The help memo lies on the window's bottom edge strip by design.
HELP_MEMO = 74

# Captions that must fit their control: record -> (text, bold, extra width for a check box)
CAPTIONS = {
    66: ("Ayuda habilitada", True, 20),
    67: ("Puerto serie", False, 0),
    68: ("del PC", False, 0),
    70: ("Sensores habilitados", False, 20),
    78: ("Ancho de pulso", False, 0),
    79: ("Ancho de pulso", False, 0),
    84: ("Ejecutar prueba", False, 16),
    85: ("Establecer valores por defecto", False, 16),
    86: ("Calibrar los servos", False, 16),
    87: ("Cancelar", False, 16),
}
# Two-line captions (word-wrapped labels): record -> text
WRAPPED_CAPTIONS = {82: "Servo izquierdo habilitado", 83: "Servo derecho habilitado"}


class LayoutError(Exception):
    pass


def is_picture_record(n):
    return 1 <= n <= 65 or 91 <= n <= 155


def read_table(path=TABLE):
    """Returns {record: (name, fields)} with fields as in the binary record."""
    records = {}
    for line_no, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        line = line.split("#", 1)[0].strip()
        if not line:
            continue
        parts = line.split()
        try:
            n = int(parts[0])
            values = [int(v) for v in parts[2:]]
        except ValueError as e:
            raise LayoutError(f"line {line_no}: {e}")
        if n in records:
            raise LayoutError(f"line {line_no}: record {n} appears twice")
        if is_picture_record(n):
            if len(values) != 8:
                raise LayoutError(f"line {line_no}: picture record {n} needs 8 numbers")
            left, top, width, height, tag, stretch, transparent, visible = values
            fields = (tag, left, top, width, height, stretch, transparent, visible)
        else:
            if len(values) != 4:
                raise LayoutError(f"line {line_no}: control record {n} needs 4 numbers")
            fields = tuple(values)
        for v in fields:
            if not 0 <= v <= 0xFFFF:
                raise LayoutError(f"line {line_no}: value {v} does not fit 16 bits")
        records[n] = (parts[1], fields)
    return records


def encode(n, fields):
    return struct.pack("<%dH" % len(fields), *fields)


def rect_of(n, fields):
    """(left, top, right, bottom), right and bottom exclusive."""
    if is_picture_record(n):
        _, left, top, width, height = fields[:5]
    else:
        left, top, width, height = fields
    return (left, top, left + width, top + height)


def overlaps(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def contains(outer, inner):
    return (outer[0] <= inner[0] and outer[1] <= inner[1]
            and inner[2] <= outer[2] and inner[3] <= outer[3])


def effective(records, n, advanced):
    """The record the loader uses for slot/control n in a mode, or None."""
    if advanced and n + ADVANCED_OFFSET in records:
        return n + ADVANCED_OFFSET
    return n if n in records else None


def check_record_set(records, errors):
    missing = sorted(ALL_RECORDS - set(records))
    extra = sorted(set(records) - ALL_RECORDS)
    if missing:
        errors.append(f"records missing: {missing}")
    if extra:
        errors.append(f"records this build does not carry: {extra}")


def check_pinned(records, errors):
    for n, want in PINNED.items():
        if n not in records:
            continue
        fields = records[n][1]
        got = fields[1:5] + (fields[0],) + fields[5:] if is_picture_record(n) else fields
        if tuple(got[:len(want)]) != want:
            errors.append(f"record {n} is {got}, must be {want}")
    for slot, size in SLOT_SIZES.items():
        for n in (slot, slot + ADVANCED_OFFSET):
            if n in records and records[n][1][3:5] != size:
                errors.append(f"record {n}: slot {slot} must be {size[0]} x {size[1]}")
    for name, tag, first, pos_b, pos_a, size, enabled in BUTTONS:
        edit = tag >= 7
        for look in range(4):
            slot = first + look
            want_tag = tag if (look < 2 or edit) else 0
            want_visible = 1 if look == 0 or (look == 3 and not enabled) else 0
            for n, pos in ((slot, pos_b), (slot + ADVANCED_OFFSET, pos_a)):
                fields = records.get(n, (None, None))[1]
                if fields is None:
                    continue
                want = (want_tag,) + pos + size
                if fields[:5] != want:
                    errors.append(f"record {n} ({name} look {look}) is {fields[:5]}, must be {want}")
                if fields[7] != want_visible:
                    errors.append(f"record {n} ({name} look {look}): visible must be {want_visible}")
    for slot, (tag, pos) in TILES.items():
        fields = records.get(slot, (None, None))[1]
        if fields is not None and fields[:5] != (tag,) + pos + (54, 54):
            errors.append(f"record {slot}: palette tile must be tag {tag} at {pos}, 54 x 54")
        if slot + ADVANCED_OFFSET in records:
            errors.append(f"record {slot + ADVANCED_OFFSET}: palette tiles have no Advanced layout")


def check_flags(records, errors):
    for n, (name, fields) in records.items():
        if is_picture_record(n):
            for label, v in zip(("stretch", "transparent", "visible"), fields[5:]):
                if v not in (0, 1):
                    errors.append(f"record {n} ({name}): {label} must be 0 or 1")
        rect = rect_of(n, fields)
        if rect[2] <= rect[0] or rect[3] <= rect[1]:
            errors.append(f"record {n} ({name}) has no area")


def mode_layout(records, advanced):
    """Visible picture slots and shown controls of the main window in one mode."""
    mode = "advanced" if advanced else "beginner"
    pictures = {}
    for slot in range(1, 66):
        n = effective(records, slot, advanced)
        if n is None or slot in TILES:
            continue
        fields = records[n][1]
        if fields[7] == 1 or 22 <= slot <= 65:  # button looks share one place
            pictures[slot] = (n, rect_of(n, fields))
    controls = {}
    for c in MAIN_CONTROLS:
        n = effective(records, c, advanced)
        if n is None or c in HIDDEN_CONTROLS[mode]:
            continue
        controls[c] = (n, rect_of(n, records[n][1]))
    return pictures, controls


def button_of(slot):
    return (slot - 22) // 4 if 22 <= slot <= 65 else None


def check_main_window(records, advanced, errors):
    mode = "Advanced" if advanced else "Beginner"
    window = rect_of(75, records[effective(records, 75, advanced)][1])
    # With the help panel on, the window grows to end 15 pixels below the help memo.
    go = rect_of(42, records[effective(records, 42, advanced)][1])
    memo_height = records[effective(records, HELP_MEMO, advanced)][1][3]
    window = window[:3] + (max(window[3], go[3] + 15 + memo_height + 15),)
    pictures, controls = mode_layout(records, advanced)

    for c, (n, r) in controls.items():
        if not contains(window, r):
            errors.append(f"{mode}: control record {n} leaves the window")
    for slot, (n, r) in pictures.items():
        if slot not in BACKDROP_SLOTS and not contains(window, r):
            errors.append(f"{mode}: picture record {n} leaves the window")

    items = sorted(controls.items())
    for i, (c1, (n1, r1)) in enumerate(items):
        for c2, (n2, r2) in items[i + 1:]:
            if overlaps(r1, r2) and HELP_MEMO not in (c1, c2):
                errors.append(f"{mode}: controls {n1} and {n2} overlap")
    # The help memo shares its place with nothing but the bottom edge strip.
    memo = controls.get(HELP_MEMO)
    if memo:
        for c, (n, r) in controls.items():
            if c != HELP_MEMO and overlaps(memo[1], r):
                errors.append(f"{mode}: control {n} overlaps the help memo")

    # A picture under a control must hold the whole control (a frame), or stay clear of it.
    for slot, (pn, pr) in pictures.items():
        if slot in BACKDROP_SLOTS:
            continue
        for c, (cn, cr) in controls.items():
            if overlaps(pr, cr) and not contains(pr, cr):
                errors.append(f"{mode}: picture record {pn} cuts control record {cn}")

    # Pictures: apart, or nested (a frame around its content), or looks of one button.
    slots = sorted(s for s in pictures if s not in BACKDROP_SLOTS)
    for i, s1 in enumerate(slots):
        for s2 in slots[i + 1:]:
            (n1, r1), (n2, r2) = pictures[s1], pictures[s2]
            if not overlaps(r1, r2) or contains(r1, r2) or contains(r2, r1):
                continue
            if button_of(s1) is not None and button_of(s1) == button_of(s2):
                continue
            errors.append(f"{mode}: picture records {n1} and {n2} overlap")

    # The palette tiles stay inside the palette box.
    box = rect_of(73, records[73][1])
    box_local = (0, 0, box[2] - box[0], box[3] - box[1])
    for slot in TILES:
        if slot in records and not contains(box_local, rect_of(slot, records[slot][1])):
            errors.append(f"palette tile {slot} leaves the palette box")
    # The set grids stay inside the tab control.
    if advanced:
        tabs = rect_of(161, records[161][1])
        grid = rect_of(89, records[89][1])
        if not contains((0, 0, tabs[2] - tabs[0], tabs[3] - tabs[1]), grid):
            errors.append("the sensor set grid leaves the tab control")


def check_test_window(records, errors):
    window = rect_of(76, records[76][1])
    rects = {n: rect_of(n, records[n][1]) for n in TEST_CONTROLS if n in records}
    for n, r in rects.items():
        if not contains(window, r):
            errors.append(f"test window: record {n} leaves the window")
    keys = sorted(rects)
    for i, a in enumerate(keys):
        for b in keys[i + 1:]:
            if overlaps(rects[a], rects[b]):
                errors.append(f"test window: records {a} and {b} overlap")
    for n in range(166, 178):
        if n in records:
            errors.append(f"record {n}: the test window has one layout for both modes")


def check_captions(records, errors):
    try:
        from PIL import ImageFont
        regular = ImageFont.truetype("DejaVuSans.ttf", 11)
        bold = ImageFont.truetype("DejaVuSans-Bold.ttf", 11)
    except (ImportError, OSError):
        return False
    for base, (text, is_bold, extra) in CAPTIONS.items():
        for n in (base, base + ADVANCED_OFFSET):
            if n in records and base not in HIDDEN_CONTROLS["advanced" if n > 90 else "beginner"]:
                font = bold if is_bold else regular
                need = font.getlength(text) + extra
                if need > records[n][1][2]:
                    errors.append(f"record {n}: \"{text}\" needs {need:.0f} pixels")
    for n, text in WRAPPED_CAPTIONS.items():
        width, height = records[n][1][2:4]
        longest = max(regular.getlength(w) for w in text.split())
        lines, line = 1, ""
        for word in text.split():
            trial = (line + " " + word).strip()
            if regular.getlength(trial) > width:
                lines, line = lines + 1, word
            else:
                line = trial
        if longest > width or lines * 15 > height:
            errors.append(f"record {n}: \"{text}\" does not fit in {width} x {height}")
    return True


def validate(records):
    errors = []
    check_record_set(records, errors)
    check_pinned(records, errors)
    check_flags(records, errors)
    if not errors:
        check_main_window(records, False, errors)
        check_main_window(records, True, errors)
        check_test_window(records, errors)
        check_captions(records, errors)
    return errors


def qrc_text(records):
    lines = ['<!DOCTYPE RCC><RCC version="1.0">',
             "<!-- Generated by tools/make_layouts.py from tools/layouts.tsv; do not edit. -->",
             '<qresource prefix="/DATA">']
    for n in sorted(records):
        lines.append(f'  <file alias="{n}">layouts/{n}.rec</file>')
    lines += ["</qresource>", "</RCC>", ""]
    return "\n".join(lines)


def outputs(records):
    files = {OUT_DIR / f"{n}.rec": encode(n, f) for n, (_, f) in records.items()}
    files[QRC] = qrc_text(records).encode()
    return files


def main(argv):
    records = read_table()
    errors = validate(records)
    for e in errors:
        print("layout:", e, file=sys.stderr)
    if errors:
        return 1
    files = outputs(records)
    if "--check" in argv:
        stale = [p for p, data in files.items() if not p.exists() or p.read_bytes() != data]
        known = {p.name for p in files}
        stray = [p for p in OUT_DIR.glob("*.rec") if p.name not in known]
        for p in stale + stray:
            print("layout: out of date:", p.relative_to(ROOT), file=sys.stderr)
        return 1 if stale or stray else 0
    OUT_DIR.mkdir(parents=True, exist_ok=True)
    for p in OUT_DIR.glob("*.rec"):
        if p not in files:
            p.unlink()
    for p, data in files.items():
        p.write_bytes(data)
    print(f"layout: wrote {len(records)} records")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
