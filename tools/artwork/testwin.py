"""Pictures of the test window's robot drawing and the progress window's warning sign.

The test window's BotPanel (layout record 77) is 190 x 330. Inside it, in BotPanel's
coordinates (see resources/pictures/README.md, which make_artwork.py writes from PLACES):
the robot seen from above with its front up, the two whiskers at rest or pressed, and the
places where the window draws the infrared detectors as filled shapes."""
import robot
from draw import Canvas, darken, hex_rgb, lighten

PANEL = (190, 330)
WHISKER_SIZE = (70, 104)

# Everything the test window places inside BotPanel: name -> (left, top, width, height).
PLACES = {
    "test_robot": (0, 0, 190, 330),
    "LeftWhisker1/LeftWhisker2": (4, 8, 70, 104),
    "RightWhisker1/RightWhisker2": (116, 8, 70, 104),
    "LeftIrSensorLens (ellipse)": (57, 70, 12, 12),
    "LeftIrSensor (rectangle)": (71, 68, 12, 16),
    "RightIrSensorLens (ellipse)": (121, 70, 12, 12),
    "RightIrSensor (rectangle)": (107, 68, 12, 16),
    "BackLabel": (0, 304, 190, 20),
}

# Test window controls that have no layout record, in the window's coordinates: where they
# fit the records 77..87.
CONTROL_PLACES = {
    "LServoSpinEdit": (37, 44, 60, 24),
    "LeftTireSpeed": (55, 78, 24, 212),
    "LeftCheckBox": (13, 316, 16, 16),
    "RServoSpinEdit": (357, 44, 60, 24),
    "RightTireSpeed": (375, 78, 24, 212),
    "RightCheckBox": (333, 316, 16, 16),
}

ALUMINIUM = hex_rgb("#C9D1DA")
ALUMINIUM_EDGE = hex_rgb("#7D8A99")
BOARD = hex_rgb("#FAFAF5")
WIRE = hex_rgb("#B0B7C0")
WIRE_EDGE = hex_rgb("#58626E")


def test_robot():
    """The robot from above, front up, without the parts that change."""
    w, h = PANEL
    c = Canvas(w, h)
    # Wheels, outside the chassis at the back half.
    for x0 in (18, 150):
        c.rrect((x0, 176, x0 + 22, 262), 6, fill=robot.WHEEL)
        for k in range(9):
            y = 181 + k * 9
            c.rect((x0 + 3, y, x0 + 19, y + 3), fill=robot.WHEEL_TREAD)
    # Chassis.
    c.rrect((40, 84, 150, 292), 16, fill=ALUMINIUM, outline=ALUMINIUM_EDGE, width=2)
    # Servos under the chassis, seen at its sides.
    for x0 in (42, 126):
        c.rect((x0, 192, x0 + 22, 244), fill=hex_rgb("#2F3640"))
    # Tail caster.
    c.circle(95, 276, 8, fill=hex_rgb("#5D6775"), outline=ALUMINIUM_EDGE, width=1.5)
    # Carrier board with the module and the breadboard.
    c.rrect((50, 150, 140, 280), 6, fill=hex_rgb("#2E86DE"), outline=darken(hex_rgb("#2E86DE"), 0.35), width=1.5)
    c.rrect((70, 232, 120, 270), 3, fill=hex_rgb("#1B2631"))
    for k in range(6):
        c.rect((73 + k * 8, 235, 77 + k * 8, 238), fill=hex_rgb("#D4AC0D"))
        c.rect((73 + k * 8, 264, 77 + k * 8, 267), fill=hex_rgb("#D4AC0D"))
    c.text((95, 251), "VD2", "bold", 10, (230, 236, 240))
    c.rrect((54, 94, 136, 224), 4, fill=BOARD, outline=hex_rgb("#C8C8BE"), width=1.2)
    for row in range(12):
        for col in range(8):
            c.circle(62 + col * 9.5, 104 + row * 10, 1.1, fill=hex_rgb("#9A9A90"))
    # Posts that the whiskers touch when pressed.
    for x in (44, 146):
        c.rect((x - 3, 96, x + 3, 106), fill=hex_rgb("#1E1E1E"))
    # Housings of the infrared detectors: the window fills the lens and the detector.
    for x0 in (53, 104):
        c.rrect((x0, 64, x0 + 33, 88), 4, fill=hex_rgb("#34495E"))
    # Screws that hold the whiskers.
    for x in (70, 120):
        c.circle(x, 108, 4, fill=hex_rgb("#95A5A6"), outline=hex_rgb("#606C76"), width=1)
    return c.image()


def whisker(side, pressed):
    """A whisker at the left or right front, at rest or pressed against its post.

    Drawn for the left side; the right one is its mirror image. The wire starts at the screw
    (BotPanel (70, 108), the picture's (66, 100)); pressed, it bends back onto the post at
    BotPanel (44, 96..106)."""
    w, h = WHISKER_SIZE
    c = Canvas(w, h)
    if pressed:
        pts = [(66, 100), (54, 97), (45.5, 92), (40, 76), (32, 54), (24, 36)]
        touch = (44, 92)
    else:
        pts = [(66, 100), (54, 97), (48, 88), (36, 62), (22, 34), (10, 10)]
        touch = None
    if side == "right":
        pts = [(w - x, y) for x, y in pts]
        touch = touch and (w - touch[0], touch[1])
    c.line(pts, WIRE_EDGE, 3.6)
    c.line(pts, WIRE, 2.0)
    if touch:
        c.circle(touch[0], touch[1], 5.5, outline=hex_rgb("#E74C3C"), width=1.8)
    return c.image()


def warning():
    """The progress window's warning picture, 32 x 32."""
    c = Canvas(32, 32)
    yellow, edge = hex_rgb("#FFC93C"), hex_rgb("#8A6100")
    c.polygon([(16, 1.5), (31, 29), (1, 29)], edge)
    c.polygon([(16, 4.5), (28.4, 27.4), (3.6, 27.4)], yellow)
    c.rrect((14.2, 10, 17.8, 21), 1.6, fill=hex_rgb("#2C2C2C"))
    c.circle(16, 24.3, 2, fill=hex_rgb("#2C2C2C"))
    c.polygon([(16, 5.5), (19, 11), (13, 11)], lighten(yellow, 0.35))
    return c.image()
