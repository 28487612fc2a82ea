"""The eight animated palette tiles (54 x 54): the robot showing each kind of step.

Frame 0 is the still that the step slots and the drag window show, so every first frame has
the robot in the middle of its move with the direction marked."""
import io
import math

from PIL import Image, ImageDraw

import robot
from draw import Canvas, darken, lighten, unit

SIZE = 54
FRAMES = 16
FRAME_MS = 90  # the palette plays a hovered tile at double speed

GREEN = (39, 174, 96)
RED = (231, 76, 60)
BLUE = (41, 128, 185)
PURPLE = (142, 68, 173)
ORANGE = (230, 126, 34)
TEAL = (22, 160, 133)

# slot: (kind name, colour); the order of the palette box
TILES = {
    14: ("Forward", GREEN),
    15: ("Backward", RED),
    16: ("TurnLeft", BLUE),
    17: ("TurnRight", BLUE),
    18: ("RotateLeft", PURPLE),
    19: ("RotateRight", PURPLE),
    20: ("GoToStep", TEAL),
    21: ("StopAndWait", ORANGE),
}

RADIUS = 9


def _arrow_head(c, tip, angle, size, colour):
    """A filled triangle with its tip at tip, pointing along angle (degrees, 0 = up, clockwise)."""
    a = math.radians(angle)
    dx, dy = math.sin(a), -math.cos(a)
    px, py = -dy, dx
    base = (tip[0] - dx * size, tip[1] - dy * size)
    c.polygon([tip, (base[0] + px * size * 0.62, base[1] + py * size * 0.62),
               (base[0] - px * size * 0.62, base[1] - py * size * 0.62)], colour)


def _dashed_arc(c, centre, radius, a0, a1, colour, width=2.2, dashes=7):
    """A dashed arc from angle a0 to a1 (degrees, screen angles: 0 = right, counter-clockwise)."""
    step = (a1 - a0) / (dashes * 2 - 1)
    for k in range(dashes):
        s, e = a0 + step * 2 * k, a0 + step * (2 * k + 1)
        pts = [(centre[0] + radius * math.cos(math.radians(a)), centre[1] - radius * math.sin(math.radians(a)))
               for a in [s + (e - s) * i / 4 for i in range(5)]]
        c.line(pts, colour, width)


def _background(colour):
    c = Canvas(SIZE, SIZE)
    c.gradient((0, 0, SIZE, SIZE), RADIUS, lighten(colour, 0.82), lighten(colour, 0.62))
    return c


def _border(c, colour):
    c.rrect((0, 0, SIZE, SIZE), RADIUS, outline=darken(colour, 0.1), width=2.4)


def _clip_to_tile(layer):
    """Keeps only what lies inside the tile's inner area."""
    mask = Image.new("L", layer.img.size, 0)
    u = unit()
    ImageDraw.Draw(mask).rounded_rectangle([2 * u, 2 * u, (SIZE - 2) * u - 1, (SIZE - 2) * u - 1],
                                           (RADIUS - 2) * u, fill=255)
    a = layer.img.getchannel("A")
    layer.img.putalpha(Image.composite(a, Image.new("L", a.size, 0), mask))


def _robot_layer(cx, cy, heading, scale=1.0, arrow=None, colour=None):
    layer = Canvas(SIZE, SIZE)
    robot.draw_top(layer, cx, cy, heading, scale)
    if arrow is not None:
        # An arrow just ahead of (or behind) the robot along its heading.
        sign = 1 if arrow == "ahead" else -1
        a = math.radians(heading)
        dist = 14.5 * scale + 5.5
        tip = (cx + math.sin(a) * dist * sign, cy - math.cos(a) * dist * sign)
        _arrow_head(layer, tip, heading if sign > 0 else heading + 180, 7.5 * scale + 1, darken(colour, 0.15))
    _clip_to_tile(layer)
    return layer


def _phase(frame):
    """Where the move is at this frame, 0..1, with frame 0 in the middle of the move."""
    return (frame / FRAMES + 0.5) % 1.0


def forward(frame, colour):
    c = _background(colour)
    for y in (12, 27, 42):  # road marks streaming past
        c.line([(6, y - 3), (6, y + 3)], lighten(colour, 0.35), 2)
        c.line([(48, y - 3), (48, y + 3)], lighten(colour, 0.35), 2)
    p = _phase(frame)
    c.paste(_robot_layer(27, 49 - 44 * p, 0, arrow="ahead", colour=colour), (0, 0))
    _border(c, colour)
    return c.image()


def backward(frame, colour):
    c = _background(colour)
    for y in (12, 27, 42):
        c.line([(6, y - 3), (6, y + 3)], lighten(colour, 0.35), 2)
        c.line([(48, y - 3), (48, y + 3)], lighten(colour, 0.35), 2)
    p = _phase(frame)
    c.paste(_robot_layer(27, 5 + 44 * p, 0, arrow="behind", colour=colour), (0, 0))
    _border(c, colour)
    return c.image()


def veer(frame, colour, mirror):
    """A gentle curve to the left (or, mirrored, to the right) while driving forward."""
    c = _background(colour)
    centre, radius = (4.0, 48.0), 30.0

    def mx(x):
        return SIZE - x if mirror else x

    # The curve the robot follows, dashed, with its arrow head.
    trail = Canvas(SIZE, SIZE)
    pts_centre = (mx(centre[0]), centre[1])
    if mirror:
        _dashed_arc(trail, pts_centre, radius, 180 - 100, 180 + 5, lighten(colour, 0.3))
    else:
        _dashed_arc(trail, pts_centre, radius, -5, 100, lighten(colour, 0.3))
    c.paste(trail, (0, 0))
    theta = -15 + 125 * _phase(frame)  # degrees along the arc, 47.5 in frame 0
    x = centre[0] + radius * math.cos(math.radians(theta))
    y = centre[1] - radius * math.sin(math.radians(theta))
    heading = -theta
    if mirror:
        x, heading = SIZE - x, theta
    c.paste(_robot_layer(x, y, heading, arrow="ahead", colour=colour), (0, 0))
    _border(c, colour)
    return c.image()


def rotate(frame, colour, clockwise):
    """Turning on the spot, with a circular arrow around the robot."""
    c = _background(colour)
    ring = Canvas(SIZE, SIZE)
    box = (27 - 21, 27 - 21, 27 + 21, 27 + 21)
    ring.arc(box, 0, 360, lighten(colour, 0.5), 3)
    # The arrow along the ring: a bold arc whose head points the way the robot turns.
    # Pillow's arc angles run clockwise from three o'clock.
    a0, a1 = (200, 320) if clockwise else (220, 340)
    ring.arc(box, a0, a1, darken(colour, 0.1), 3.2)
    phi = math.radians(a1 if clockwise else a0)
    tx, ty = -math.sin(phi), math.cos(phi)  # clockwise tangent
    if not clockwise:
        tx, ty = -tx, -ty
    end = (27 + 21 * math.cos(phi) + tx * 3, 27 + 21 * math.sin(phi) + ty * 3)
    _arrow_head(ring, end, math.degrees(math.atan2(tx, -ty)), 6.5, darken(colour, 0.1))
    c.paste(ring, (0, 0))
    turn = 360 * frame / FRAMES
    heading = turn if clockwise else -turn
    c.paste(_robot_layer(27, 27, heading), (0, 0))
    _border(c, colour)
    return c.image()


def stop_and_wait(frame, colour):
    """The robot standing still while a clock counts."""
    c = _background(colour)
    c.paste(_robot_layer(23, 31, 0), (0, 0))
    cx, cy, r = 41, 13, 8.5
    c.circle(cx, cy, r, fill=(255, 255, 255), outline=darken(colour, 0.2), width=1.8)
    for k in range(4):
        a = math.radians(90 * k)
        c.line([(cx + math.cos(a) * (r - 2.6), cy + math.sin(a) * (r - 2.6)),
                (cx + math.cos(a) * (r - 1.4), cy + math.sin(a) * (r - 1.4))], darken(colour, 0.3), 1)
    a = math.radians(360 * frame / FRAMES - 90 + 45)
    c.line([(cx, cy), (cx + math.cos(a) * (r - 2.4), cy + math.sin(a) * (r - 2.4))], darken(colour, 0.45), 1.6)
    c.line([(cx, cy), (cx, cy - r + 3.6)], darken(colour, 0.45), 1.6)
    c.circle(cx, cy, 1.2, fill=darken(colour, 0.45))
    # Two pause bars under the clock.
    for x in (37.5, 43.5):
        c.rrect((x - 1.5, 26, x + 1.5, 36), 1, fill=darken(colour, 0.05))
    _border(c, colour)
    return c.image()


def go_to_step(frame, colour):
    """Three steps of a list; the robot runs back along the arrow to the first one."""
    c = _background(colour)
    rows = (15, 27, 39)
    p = _phase(frame)
    arrived = p > 0.86
    for i, y in enumerate(rows):
        hot = i == 0 and arrived
        c.rrect((25, y - 4.5, 48, y + 4.5), 2.5, fill=(255, 236, 140) if hot else (255, 255, 255),
                outline=darken(colour, 0.15), width=1.3)
        c.text((29.5, y + 0.3), str(i + 1), "bold", 7, darken(colour, 0.4))
        c.line([(34, y), (44, y)], lighten(colour, 0.3), 1.6)
    # The way back: from the last step round the left side up to the first.
    path = []
    for k in range(21):
        a = math.radians(-90 + 180 * k / 20)  # bottom -> left -> top
        path.append((22 - 12 * math.cos(a), 27 - 12 * math.sin(a)))
    c.line([(23, 39)] + path + [(23, 15)], darken(colour, 0.1), 2.4)
    _arrow_head(c, (26.5, 15), 90, 5.5, darken(colour, 0.1))
    # A small robot riding the arrow; along this half circle its heading equals the angle.
    a = -90 + 180 * (0.12 + 0.84 * p)
    x, y = 22 - 12 * math.cos(math.radians(a)), 27 - 12 * math.sin(math.radians(a))
    c.paste(_robot_layer(x, y, a, scale=0.5), (0, 0))
    _border(c, colour)
    return c.image()


def frames_of(slot):
    name, colour = TILES[slot]
    makers = {
        "Forward": lambda f: forward(f, colour),
        "Backward": lambda f: backward(f, colour),
        "TurnLeft": lambda f: veer(f, colour, False),
        "TurnRight": lambda f: veer(f, colour, True),
        "RotateLeft": lambda f: rotate(f, colour, False),
        "RotateRight": lambda f: rotate(f, colour, True),
        "StopAndWait": lambda f: stop_and_wait(f, colour),
        "GoToStep": lambda f: go_to_step(f, colour),
    }
    return [makers[name](f) for f in range(FRAMES)]


def gif_bytes(frames, frame_ms=FRAME_MS):
    """An endlessly looping GIF with one shared palette; pixels outside the tile transparent."""
    w, h = frames[0].size
    sheet = Image.new("RGB", (w, h * len(frames)), (255, 255, 255))
    for i, f in enumerate(frames):
        sheet.paste(f.convert("RGB"), (0, h * i), f.getchannel("A").point(lambda a: 255 if a >= 128 else 0))
    palette = sheet.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    out = []
    for f in frames:
        rgb = Image.new("RGB", f.size, (255, 255, 255))
        rgb.paste(f.convert("RGB"), (0, 0))
        p = rgb.quantize(palette=palette, dither=Image.Dither.NONE)
        clear = f.getchannel("A").point(lambda a: 255 if a < 128 else 0)
        p.paste(255, (0, 0), clear)
        out.append(p)
    buf = io.BytesIO()
    out[0].save(buf, format="GIF", save_all=True, append_images=out[1:], duration=frame_ms, loop=0,
                transparency=255, disposal=2, optimize=False)
    return buf.getvalue()

