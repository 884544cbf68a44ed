"""The shapes of the formula operators U+F6A3..U+F6B0 and the trigrams U+EDC0..U+EDC7.

Each symbol is a list of closed contours of (x, y) points in an em of UNITS_PER_EM units,
drawn in the square that the ideographs of an em box fill. The operator font draws them as
they are; the component typeface scales them into its own em.
"""

UNITS_PER_EM = 1000
ADVANCE = 1000
# The ideographic em box: an em tall from 120 units below the baseline.
EM_BOX = (0, -120, ADVANCE, 880)
STROKE = 64

# The square every symbol is drawn in, centred on the ideographic em box.
LEFT, BOTTOM, RIGHT, TOP = 80, -40, 920, 800
CENTRE_X = (LEFT + RIGHT) // 2
CENTRE_Y = (BOTTOM + TOP) // 2


def signed_area(points):
    return sum(x0 * y1 - x1 * y0
               for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1])) / 2


def outer(points):
    """A filled contour: clockwise, as TrueType wants for ink."""
    return points if signed_area(points) < 0 else list(reversed(points))


def hole(points):
    """A contour cut out of the one around it: counter-clockwise."""
    return list(reversed(outer(points)))


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x0, y1), (x1, y1), (x1, y0)]


def inset(box, width):
    x0, y0, x1, y1 = box
    return (x0 + width, y0 + width, x1 - width, y1 - width)


def bar(box):
    return [outer(rect(*box))]


def frame(box, width=STROKE):
    return [outer(rect(*box)), hole(rect(*inset(box, width)))]


def frame_split_left_right(box):
    x0, y0, x1, y1 = inset(box, STROKE)
    middle = (box[0] + box[2]) // 2
    half = STROKE // 2
    return [outer(rect(*box)),
            hole(rect(x0, y0, middle - half, y1)),
            hole(rect(middle + half, y0, x1, y1))]


def frame_split_top_bottom(box):
    x0, y0, x1, y1 = inset(box, STROKE)
    middle = (box[1] + box[3]) // 2
    half = STROKE // 2
    return [outer(rect(*box)),
            hole(rect(x0, middle + half, x1, y1)),
            hole(rect(x0, y0, x1, middle - half))]


def square_at(centre_x, centre_y, size):
    half = size // 2
    return (centre_x - half, centre_y - half, centre_x + half, centre_y + half)


def small_frames(centres, size, width):
    contours = []
    for centre_x, centre_y in centres:
        contours += frame(square_at(centre_x, centre_y, size), width)
    return contours


def enclosure():
    inner = square_at(CENTRE_X, CENTRE_Y, 360)
    return frame((LEFT, BOTTOM, RIGHT, TOP)) + frame(inner)


# Centres of cells of 380 units in the corners of the square, 80 units apart.
UPPER_Y, LOWER_Y = TOP - 190, BOTTOM + 190
LEFT_X, RIGHT_X = LEFT + 190, RIGHT - 190


def row(count, size):
    gap = (RIGHT - LEFT - count * size) // (count - 1)
    return [(LEFT + size // 2 + i * (size + gap), CENTRE_Y) for i in range(count)]


def bracket(opening):
    # A bold square bracket that stands on the inner side of its cell.
    points = [(560, BOTTOM), (560, TOP), (860, TOP), (860, TOP - 80),
              (660, TOP - 80), (660, BOTTOM + 80), (860, BOTTOM + 80), (860, BOTTOM)]
    if not opening:
        points = [(ADVANCE - x, y) for x, y in points]
    return [outer(points)]


def diamond(half_diagonal):
    return [(CENTRE_X, CENTRE_Y + half_diagonal), (CENTRE_X + half_diagonal, CENTRE_Y),
            (CENTRE_X, CENTRE_Y - half_diagonal), (CENTRE_X - half_diagonal, CENTRE_Y)]


def neutral_mark():
    # A diamond outline with a dot: an operator that prescribes no arrangement.
    outline_half = (RIGHT - LEFT) // 2
    inner_half = outline_half - round(STROKE * 2 ** 0.5)
    return [outer(diamond(outline_half)), hole(diamond(inner_half)), outer(diamond(90))]


OPERATORS = {
    0xF6A3: frame_split_top_bottom((LEFT, BOTTOM, RIGHT, TOP)),
    0xF6A4: frame_split_left_right((LEFT, BOTTOM, RIGHT, TOP)),
    0xF6A5: enclosure(),
    0xF6A6: small_frames([(CENTRE_X, UPPER_Y), (CENTRE_X, LOWER_Y)], 380, 56),
    0xF6A7: small_frames([(LEFT_X, CENTRE_Y), (RIGHT_X, CENTRE_Y)], 380, 56),
    0xF6A8: small_frames([(CENTRE_X, UPPER_Y), (LEFT_X, LOWER_Y), (RIGHT_X, LOWER_Y)], 380, 56),
    0xF6A9: small_frames([(LEFT_X, UPPER_Y), (RIGHT_X, UPPER_Y), (CENTRE_X, LOWER_Y)], 380, 56),
    0xF6AA: small_frames(row(3, 240), 240, 48),
    0xF6AB: small_frames([(LEFT_X, UPPER_Y), (RIGHT_X, UPPER_Y),
                          (LEFT_X, LOWER_Y), (RIGHT_X, LOWER_Y)], 380, 56),
    0xF6AC: small_frames([(CENTRE_X, TOP - 130), (LEFT + 130, CENTRE_Y),
                          (RIGHT - 130, CENTRE_Y), (CENTRE_X, BOTTOM + 130)], 260, 48),
    0xF6AD: small_frames(row(4, 180), 180, 40),
    0xF6AE: bracket(opening=True),
    0xF6AF: bracket(opening=False),
    0xF6B0: neutral_mark(),
}

# U+EDC0 + k: bit 0 of k makes the top bar solid, bit 1 the middle, bit 2 the bottom,
# so U+EDC0 is 坤 (three broken bars) and U+EDC7 is 乾 (three solid bars).
TRIGRAM_BAR_HEIGHT = 160
TRIGRAM_BROKEN_GAP = 160


def trigram(code):
    solid_bits = code - 0xEDC0
    step = (TOP - BOTTOM - TRIGRAM_BAR_HEIGHT) // 2
    contours = []
    for position, bit in ((2, 1), (1, 2), (0, 4)):
        y0 = BOTTOM + position * step
        y1 = y0 + TRIGRAM_BAR_HEIGHT
        if solid_bits & bit:
            contours += bar((LEFT, y0, RIGHT, y1))
        else:
            half_gap = TRIGRAM_BROKEN_GAP // 2
            contours += bar((LEFT, y0, CENTRE_X - half_gap, y1))
            contours += bar((CENTRE_X + half_gap, y0, RIGHT, y1))
    return contours


TRIGRAMS = {code: trigram(code) for code in range(0xEDC0, 0xEDC8)}

SYMBOLS = {**OPERATORS, **TRIGRAMS}
