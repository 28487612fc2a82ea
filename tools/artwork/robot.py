"""The little robot in its three views: from above (tiles), from the front (mascot) and the
large view from above of the test window."""
import math

from draw import Canvas, darken, lighten

BODY = (255, 201, 60)          # sunny yellow
BODY_EDGE = (120, 82, 10)
WHEEL = (52, 58, 70)
WHEEL_TREAD = (96, 104, 118)
EYE = (255, 255, 255)
PUPIL = (34, 40, 52)
INK = (34, 40, 52)


def _rotate(points, cx, cy, angle):
    """Rotates points (relative to the robot's centre) by angle degrees, clockwise on screen."""
    a = math.radians(angle)
    ca, sa = math.cos(a), math.sin(a)
    return [(cx + x * ca - y * sa, cy + x * sa + y * ca) for x, y in points]


def _rect_pts(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def _rounded_pts(x0, y0, x1, y1, r, steps=5):
    pts = []
    corners = [(x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0), (x0 + r, y1 - r, 90), (x0 + r, y0 + r, 180)]
    for cx, cy, a0 in corners:
        for i in range(steps + 1):
            a = math.radians(a0 + 90 * i / steps)
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def draw_top(c: Canvas, cx, cy, heading=0.0, scale=1.0, body=BODY):
    """The robot from above, centred on (cx, cy), facing up when heading is 0 (degrees,
    clockwise). At scale 1 it is 22 x 26 pixels."""
    s = scale

    def poly(points, fill, outline=None):
        c.polygon(_rotate([(x * s, y * s) for x, y in points], cx, cy, heading), fill, outline)

    # Wheels on both sides, a little behind the middle.
    for side in (-1, 1):
        x0, x1 = (-12.5, -8) if side < 0 else (8, 12.5)
        poly(_rounded_pts(x0, -4, x1, 9, 1.5), WHEEL)
        for k in range(4):
            y = -2.5 + k * 3.4
            poly(_rect_pts(x0 + 0.8, y, x1 - 0.8, y + 1.1), WHEEL_TREAD)
    # Body with a darker rim, then the face at the front.
    poly(_rounded_pts(-8.5, -12.5, 8.5, 12.5, 4.5), BODY_EDGE)
    poly(_rounded_pts(-7.3, -11.3, 7.3, 11.3, 3.6), body)
    poly(_rounded_pts(-5.5, 1.5, 5.5, 8.5, 1.5), lighten(body, 0.45))  # board at the back
    for ex in (-3.4, 3.4):
        eye = [(ex + 2.3 * math.cos(t / 8 * 2 * math.pi), -6.5 + 2.3 * math.sin(t / 8 * 2 * math.pi))
               for t in range(8)]
        poly(eye, EYE)
        pupil = [(ex + 1.1 * math.cos(t / 6 * 2 * math.pi), -7.2 + 1.1 * math.sin(t / 6 * 2 * math.pi))
                 for t in range(6)]
        poly(pupil, PUPIL)


def draw_front(c: Canvas, x0, y0, w, h, arms="wave", blink=False):
    """The robot from the front, filling the box (x0, y0, w, h): the mascot."""
    cx = x0 + w / 2
    u = w / 100.0  # drawing unit: the design is 100 wide
    # Shadow on the ground.
    c.ellipse((cx - 38 * u, y0 + h - 10 * u, cx + 38 * u, y0 + h - 1 * u), fill=(0, 0, 0, 38))
    # Wheels.
    for side in (-1, 1):
        wx = cx + side * 33 * u
        c.rrect((wx - 9 * u, y0 + h - 44 * u, wx + 9 * u, y0 + h - 6 * u), 6 * u, fill=WHEEL)
        c.rrect((wx - 5 * u, y0 + h - 38 * u, wx + 5 * u, y0 + h - 12 * u), 3 * u, fill=WHEEL_TREAD)
    # Arms behind the body.
    for side in (-1, 1):
        shoulder = (cx + side * 28 * u, y0 + h - 70 * u)
        if arms == "wave" and side > 0:
            elbow = (shoulder[0] + 12 * u, shoulder[1] - 14 * u)
            hand = (elbow[0] + 2 * u, elbow[1] - 18 * u)
        elif arms == "up":
            elbow = (shoulder[0] + side * 12 * u, shoulder[1] - 14 * u)
            hand = (elbow[0] + side * 2 * u, elbow[1] - 18 * u)
        else:
            elbow = (shoulder[0] + side * 10 * u, shoulder[1] + 12 * u)
            hand = (elbow[0] + side * 2 * u, elbow[1] + 14 * u)
        c.line([shoulder, elbow, hand], BODY_EDGE, 7 * u)
        c.line([shoulder, elbow, hand], (150, 160, 175), 4.5 * u)
        c.circle(hand[0], hand[1], 5.5 * u, fill=BODY_EDGE)
        c.circle(hand[0], hand[1], 4.2 * u, fill=BODY)
    # Body.
    c.rrect((cx - 30 * u, y0 + h - 82 * u, cx + 30 * u, y0 + h - 20 * u), 12 * u,
            fill=BODY, outline=BODY_EDGE, width=2.2 * u)
    # Chest panel with three lights.
    c.rrect((cx - 18 * u, y0 + h - 64 * u, cx + 18 * u, y0 + h - 36 * u), 5 * u,
            fill=(58, 70, 92), outline=BODY_EDGE, width=1.2 * u)
    for k, col in enumerate(((46, 204, 113), (52, 152, 219), (231, 76, 60))):
        c.circle(cx + (k - 1) * 10 * u, y0 + h - 50 * u, 3.4 * u, fill=col)
    # Head.
    hy = y0 + h - 86 * u
    c.line([(cx, hy - 44 * u), (cx, hy - 34 * u)], BODY_EDGE, 2.5 * u)
    c.circle(cx, hy - 46 * u, 5 * u, fill=(231, 76, 60), outline=BODY_EDGE, width=1.5 * u)
    c.rrect((cx - 30 * u, hy - 36 * u, cx + 30 * u, hy + 2 * u), 14 * u,
            fill=BODY, outline=BODY_EDGE, width=2.2 * u)
    c.rrect((cx - 22 * u, hy - 29 * u, cx + 22 * u, hy - 5 * u), 10 * u, fill=(58, 70, 92))
    for side in (-1, 1):
        ex = cx + side * 10 * u
        if blink:
            c.line([(ex - 5 * u, hy - 17 * u), (ex + 5 * u, hy - 17 * u)], (120, 220, 255), 2.5 * u)
        else:
            c.circle(ex, hy - 18 * u, 6 * u, fill=(120, 220, 255))
            c.circle(ex + 1.5 * u, hy - 19.5 * u, 2.2 * u, fill=(255, 255, 255))
    c.arc((cx - 8 * u, hy - 16 * u, cx + 8 * u, hy - 7 * u), 20, 160, (120, 220, 255), 2 * u)
    # Cheeks.
    for side in (-1, 1):
        c.circle(cx + side * 24 * u, hy - 10 * u, 3 * u, fill=(255, 140, 120, 170))


def draw_head_icon(c: Canvas, x0, y0, size, body=BODY):
    """A small robot head for the title and the badge."""
    u = size / 24.0
    cx = x0 + size / 2
    c.line([(cx, y0 + 2 * u), (cx, y0 + 6 * u)], lighten(BODY_EDGE, 0.3), 1.4 * u)
    c.circle(cx, y0 + 2.2 * u, 2 * u, fill=(231, 76, 60))
    c.rrect((x0 + 2 * u, y0 + 6 * u, x0 + 22 * u, y0 + 23 * u), 6 * u, fill=body,
            outline=darken(body, 0.45), width=1.2 * u)
    c.rrect((x0 + 5 * u, y0 + 10 * u, x0 + 19 * u, y0 + 19 * u), 3.5 * u, fill=(58, 70, 92))
    for ex in (cx - 3.3 * u, cx + 3.3 * u):
        c.circle(ex, y0 + 14.5 * u, 2 * u, fill=(120, 220, 255))
