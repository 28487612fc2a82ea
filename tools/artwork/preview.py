"""Composite previews of the windows from the layout records and the pictures, with simple
stand-ins for the ordinary controls (grids, check boxes, port box, help memo), so the look can
be judged without building the program."""
import textwrap

from PIL import Image, ImageDraw, ImageFont

from draw import FONT_DIR

DESKTOP = (96, 110, 126)
MARGIN = 24
ADV = 90

HELP_430 = ("Conecte el robot al puerto serie del ordenador y seleccione el puerto COM apropiado. "
            "Después seleccione y arrastre las acciones que desee que haga el robot. Pulse Ejecutar "
            "para que se realicen dichas acciones.")


def _font(px, bold=False):
    return ImageFont.truetype(FONT_DIR + ("DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"), px)


def _still(img):
    return img[0] if isinstance(img, list) else img


def _record(records, n, advanced):
    if advanced and n + ADV in records:
        return records[n + ADV][1]
    return records[n][1] if n in records else None


def _picture_for(pics, slot, advanced):
    if slot == 1:
        return pics.get(("/BMP", "181"))
    if advanced and ("/GIF", str(slot + 270)) in pics:
        return pics[("/GIF", str(slot + 270))]
    return pics.get(("/GIF", str(slot + 180)))


def _place(canvas, img, x, y, size=None):
    img = _still(img).convert("RGBA")
    if size and img.size != size:
        img = img.resize(size, Image.LANCZOS)
    canvas.alpha_composite(img, (x, y))


def _check_box(d, x, y, checked, text, ink, font, box_fill=(255, 255, 255)):
    d.rectangle([x, y, x + 12, y + 12], fill=box_fill, outline=(110, 110, 110))
    if checked:
        d.line([(x + 3, y + 6), (x + 5, y + 9), (x + 10, y + 3)], fill=(20, 20, 20), width=2)
    d.text((x + 18, y + 6), text, font=font, fill=ink, anchor="lm")


def _grid(d, rect, headers, widths):
    x0, y0, x1, y1 = rect
    d.rectangle([x0, y0, x1 - 1, y1 - 1], fill=(255, 255, 255), outline=(128, 128, 128))
    font = _font(11)
    row = 27
    x = x0
    for i, (text, w) in enumerate(zip(headers, widths)):
        d.rectangle([x, y0, x + w, y0 + row], fill=(128, 128, 128), outline=(192, 192, 192))
        d.text((x + w / 2, y0 + row / 2), text, font=font, fill=(255, 255, 255), anchor="mm")
        x += w + 1
    d.rectangle([x0, y0 + row + 1, x0 + widths[0], y0 + 2 * row + 1], fill=(128, 128, 128),
                outline=(192, 192, 192))
    d.text((x0 + widths[0] / 2, y0 + row * 1.5 + 1), "1", font=font, fill=(255, 255, 255), anchor="mm")
    # Vertical scroll bar.
    d.rectangle([x1 - 16, y0 + 1, x1 - 2, y1 - 2], fill=(228, 228, 228))


def _grid_columns(font, headers, client_width):
    widths = [int(font.getlength(h)) + 12 for h in headers]
    avail = client_width - (len(headers) - 3) - 16 - 1
    if avail > sum(widths):
        widths[1] += avail - sum(widths)
    return widths


def main_window(records, pics, advanced):
    win = _record(records, 75, advanced)
    go = _record(records, 42, advanced)
    memo = _record(records, 74, advanced)
    width = win[2]
    g_bottom = go[2] + go[4]
    height = g_bottom + 15 + memo[3] + 15  # with the help panel on
    canvas = Image.new("RGBA", (width, height), (192, 192, 192, 255))
    for slot in range(1, 66):
        rec = _record(records, slot, advanced)
        pic = _picture_for(pics, slot, advanced)
        if rec is None or pic is None or 14 <= slot <= 21:
            continue
        tag, left, top, w, h, stretch, transparent, visible = rec
        if slot == 2:
            top = height - h - 1
        if slot == 4:
            top = height - h - 1
        if visible:
            _place(canvas, pic, left, top, (w, h) if stretch else None)
    d = ImageDraw.Draw(canvas)
    small, bold = _font(11), _font(11, True)
    # Help check box: light blue bold text on black.
    x, y, w, h = _record(records, 66, advanced)
    d.rectangle([x, y, x + w - 1, y + h - 1], fill=(0, 0, 0))
    _check_box(d, x + 2, y + 4, True, "Ayuda habilitada", (140, 200, 255), bold)
    for n, text in ((67, "Puerto serie"), (68, "del PC")):
        x, y, w, h = _record(records, n, advanced)
        d.text((x + w / 2, y + h / 2), text, font=small, fill=(0, 0, 0), anchor="mm")
    x, y, w, h = _record(records, 69, advanced)
    d.rectangle([x, y, x + w - 1, y + h - 1], fill=(255, 255, 255), outline=(120, 120, 120))
    d.text((x + 6, y + h / 2), "AUTO", font=small, fill=(0, 0, 0), anchor="lm")
    d.polygon([(x + w - 14, y + 9), (x + w - 6, y + 9), (x + w - 10, y + 14)], fill=(60, 60, 60))
    if not advanced:
        x, y, w, h = _record(records, 70, advanced)
        _check_box(d, x + 2, y + 4, False, "Sensores habilitados", (0, 0, 0), small)
    # Palette box with the first frames of the tiles.
    bx, by, bw, bh = _record(records, 73, advanced)
    d.rectangle([bx, by, bx + bw - 1, by + bh - 1], fill=(0, 0, 0))
    for slot in range(14, 22):
        rec = _record(records, slot, advanced)
        _place(canvas, _picture_for(pics, slot, advanced), bx + rec[1], by + rec[2])
    # Main grid.
    x, y, w, h = _record(records, 88, advanced)
    headers = ["Nº Paso", "Acciones"] + (["Ambos", "Izq.", "Der."] if advanced else [])
    _grid(d, (x, y, x + w, y + h), headers, _grid_columns(small, headers, w))
    if advanced:
        x, y, w, h = _record(records, 161, advanced)
        d.rectangle([x, y + 20, x + w - 1, y + h - 1], fill=(240, 240, 240), outline=(160, 160, 160))
        for i, tab in enumerate(("Todos", "Set1", "Set2", "Set3", "Set4")):
            tx = x + 2 + i * 39
            d.rectangle([tx, y + (0 if i == 0 else 2), tx + 38, y + 21],
                        fill=(240, 240, 240) if i == 0 else (222, 222, 222), outline=(160, 160, 160))
            d.text((tx + 19, y + 11), tab, font=small, fill=(0, 0, 0), anchor="mm")
        gx, gy, gw, gh = records[89][1]
        _grid(d, (x + gx, y + gy, x + gx + gw, y + gy + gh), ["Nº Paso", "Acciones"],
              _grid_columns(small, ["Nº Paso", "Acciones"], gw))
        x, y, w, h = _record(records, 162, advanced)
        _place(canvas, pics[("/PIC", "sensor_set_tile")], x, y, (w, h))
    # Help memo.
    x, y, w, h = memo
    d.rectangle([x, y, x + w - 1, y + h - 1], fill=(255, 255, 255), outline=(150, 150, 150))
    chars = max(20, int(w / 6.2))
    for i, line in enumerate(textwrap.wrap(HELP_430, chars)[: max(1, (h - 4) // 13)]):
        d.text((x + 4, y + 3 + i * 13), line, font=_font(10), fill=(0, 0, 0))
    # The window's rounded region (corner ellipse 50 x 50 after the help toggle).
    mask = Image.new("L", canvas.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, width - 1, height - 1], 25, fill=255)
    out = Image.new("RGBA", (width + 2 * MARGIN, height + 2 * MARGIN), DESKTOP + (255,))
    out.paste(canvas, (MARGIN, MARGIN), mask)
    return out.convert("RGB")


def test_window(records, pics, places, bot_places):
    _, _, width, height = records[76][1]
    canvas = Image.new("RGBA", (width, height), (236, 236, 236, 255))
    d = ImageDraw.Draw(canvas)
    small = _font(11)

    def rect(n):
        x, y, w, h = records[n][1]
        return x, y, w, h

    x, y, w, h = rect(77)
    d.rectangle([x, y, x + w - 1, y + h - 1], fill=(250, 250, 250), outline=(170, 170, 170))
    _place(canvas, pics[("/PIC", "test_robot")], x, y)
    _place(canvas, pics[("/PIC", "whisker_left_rest")], x + 4, y + 8)
    _place(canvas, pics[("/PIC", "whisker_right_pressed")], x + 116, y + 8)
    for side, colour in (("Left", (0, 0, 0)), ("Right", (255, 0, 0))):
        lx, ly, lw, lh = bot_places[side + "IrSensorLens (ellipse)"]
        d.ellipse([x + lx, y + ly, x + lx + lw - 1, y + ly + lh - 1], fill=colour)
        sx, sy, sw, sh = bot_places[side + "IrSensor (rectangle)"]
        d.rectangle([x + sx, y + sy, x + sx + sw - 1, y + sy + sh - 1], fill=colour)
    d.text((x + w / 2, y + 314), "Atrás", font=small, fill=(0, 0, 0), anchor="mm")
    for n in (78, 79):
        x, y, w, h = rect(n)
        d.text((x + w / 2, y + h / 2), "Ancho de pulso", font=small, fill=(0, 0, 0), anchor="mm")
    for n in (80, 81):
        x, y, w, h = rect(n)
        d.rectangle([x, y, x + w - 1, y + h - 1], outline=(170, 170, 170))
    for side in ("L", "R"):
        x, y, w, h = places[side + "ServoSpinEdit"]
        d.rectangle([x, y, x + w - 1, y + h - 1], fill=(255, 255, 255), outline=(120, 120, 120))
        d.text((x + 5, y + h / 2), "750", font=small, fill=(0, 0, 0), anchor="lm")
        x, y, w, h = places[("Left" if side == "L" else "Right") + "TireSpeed"]
        d.rectangle([x, y, x + w - 1, y + h - 1], fill=(225, 225, 225), outline=(150, 150, 150))
        d.rectangle([x + 1, y + h // 2 - 7, x + w - 2, y + h // 2 + 7], fill=(190, 190, 190))
        x, y, w, h = places[("Left" if side == "L" else "Right") + "CheckBox"]
        _check_box(d, x + 1, y + 1, True, "", (0, 0, 0), small)
    for n, text in ((82, "Servo izquierdo habilitado"), (83, "Servo derecho habilitado")):
        x, y, w, h = rect(n)
        for i, line in enumerate(textwrap.wrap(text, 16)):
            d.text((x + w / 2, y + 9 + i * 15), line, font=small, fill=(0, 0, 0), anchor="mm")
    for n, text in ((84, "Ejecutar prueba"), (85, "Establecer valores por defecto"),
                    (86, "Calibrar los servos"), (87, "Cancelar")):
        x, y, w, h = rect(n)
        d.rounded_rectangle([x, y, x + w - 1, y + h - 1], 4, fill=(250, 250, 250), outline=(130, 130, 130))
        d.text((x + w / 2, y + h / 2), text, font=small, fill=(0, 0, 0), anchor="mm")
    out = Image.new("RGB", (width + 2 * MARGIN, height + 2 * MARGIN), DESKTOP)
    out.paste(canvas, (MARGIN, MARGIN))
    return out


def tile_sheet(pics):
    """Every frame of the eight tiles, one tile per row, on black and on white."""
    rows = [pics[("/GIF", str(s))] for s in range(194, 202)]
    n = len(rows[0])
    out = Image.new("RGB", (8 + n * 58 + 70, 8 + 8 * 58), (0, 0, 0))
    for r, frames in enumerate(rows):
        for i, f in enumerate(frames):
            out.paste(f, (8 + i * 58, 8 + r * 58), f)
        white = Image.new("RGB", (62, 58), (255, 255, 255))
        white.paste(frames[0].resize((27, 27), Image.LANCZOS), (4, 15), frames[0].resize((27, 27), Image.LANCZOS))
        out.paste(white, (8 + n * 58, 8 + r * 58 - 2))
    return out


def button_sheet(pics, buttons):
    out = Image.new("RGB", (4 * 85 + 10, len(buttons) * 46 + 10), (220, 235, 247))
    for r, (_, _, first, size) in enumerate(buttons):
        for look in range(4):
            img = pics[("/GIF", str(first + look + 180))]
            out.paste(img, (10 + look * 85, 10 + r * 46), img)
    return out
