#!/usr/bin/python3
"""Composes the end-user-defined-character typefaces of a glyph table.

Every record of a 檢字表 source with 字體 1..8 is a character that no character set
encodes. Its glyph is composed from its composition formula: each component is taken
from the installed typeface of the family (AR PL UKai TW for the 標楷體 faces,
AR PL UMing TW for the 細明體 faces), or made first when it is itself such a character
or a component at a private-use code, and scaled into the place its operator gives it.
The glyph is drawn at the record's own code (字碼, or 字形 when 字碼 is empty).

Writes into OUTPUT_DIR one file per face, named as the typeface table looks for it
("標楷體外字集一.ttf" .. "標楷體外字集八.ttf", "細明體外字集一.ttf" ..), each holding the
characters of its 字體.

With --components CHARACTERS.tsv it also writes the component typeface, "Qeleudc.tte"
(Ming) and "qeleudck.tte" (Kai): every record at a private-use code with 字體 0 (the
operators, the trigrams and the components that no character set encodes). An operator or
trigram is drawn as the operator font draws it (operatorshapes.py); a component with a
formula is composed; any other takes the outline of the character that CHARACTERS.tsv
gives for its code (columns 字碼 and 字元) from the first installed typeface that has it:
the family's own, then HanaMinA, HanaMinB. Beside each file, "<file>.sources.tsv" records
where each of its glyphs came from.

Usage: make-eudc-fonts.py [--components CHARACTERS.tsv] GLYPH_TABLE.tsv OUTPUT_DIR

A glyph that cannot be made stops the build with "<file>:<line>: <what is wrong>".
The output is reproducible (fixed timestamps). Needs Debian's python3-fonttools and
fontconfig's fc-match, hence /usr/bin/python3.
"""

import argparse
import math
import os
import re
import subprocess
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.misc.timeTools import timestampFromString
from fontTools.pens.areaPen import AreaPen
from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.recordingPen import DecomposingRecordingPen, RecordingPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

import operatorshapes

FIXED_TIMESTAMP = timestampFromString("Mon Jan  1 00:00:00 2024")
SET_NUMERALS = "一二三四五六七八"
FAMILIES = {
    # prefix of the face names: (installed family, ASCII name of the family,
    #                            file of the component typeface, its family)
    "標楷體": ("AR PL UKai TW", "Kai", "qeleudck.tte", "Qeleudck"),
    "細明體": ("AR PL UMing TW", "Ming", "Qeleudc.tte", "Qeleudc"),
}
# Where a component without a formula finds the character it stands for, after the
# family's own typeface: the CJK extensions.
DONOR_FAMILIES = ["HanaMinA", "HanaMinB"]
# The character whose ink box sets the size of a composed glyph: a full, square ideograph.
FULL_SQUARE = "國"

SIDE_BY_SIDE, ABOVE_BELOW, ENCLOSING = "\uF6A4", "\uF6A3", "\uF6A5"
INFIX = {SIDE_BY_SIDE: "row", ABOVE_BELOW: "column", ENCLOSING: "enclose"}
OPEN_BRACKET, CLOSE_BRACKET = "\uF6AE", "\uF6AF"
NEUTRAL = "\uF6B0"  # an operator without an arrangement: its neighbours stand side by side


def is_operator(character):
    return "\uF6A3" <= character <= "\uF6B0"


def is_private_use(character):
    return "\uE000" <= character <= "\uF8FF"


# The prefix operators repeat their component in these arrangements, as the operator
# symbols show them: rows from top to bottom, each the number of copies side by side.
REPEATS = {
    "\uF6A6": [1, 1],     # two, one over the other
    "\uF6A7": [2],        # two side by side
    "\uF6A8": [1, 2],     # three: one over two
    "\uF6A9": [2, 1],     # three: two over one
    "\uF6AA": [3],        # three in a row
    "\uF6AB": [2, 2],     # four in a square
    "\uF6AC": [1, 2, 1],  # four: top, left and right, bottom
    "\uF6AD": [4],        # four in a row
}

# Where an enclosing component leaves room for the enclosed one, as a box in the
# enclosing component's cell (fractions of its width and height, y upwards).
ENCLOSURES = [
    ("辶廴走是", (0.30, 0.26, 1.00, 1.00)),            # open to the upper right
    ("广厂尸户疒虍麻鹿戶", (0.30, 0.00, 1.00, 0.74)),  # open to the lower right
    ("勹气戈弋", (0.00, 0.00, 0.74, 0.74)),            # open to the lower left
    ("冂門鬥风", (0.18, 0.02, 0.82, 0.76)),            # open below
    ("凵", (0.18, 0.28, 0.82, 0.98)),                  # open above
    ("匚匸", (0.24, 0.14, 1.00, 0.86)),                # open to the right
]
FULL_ENCLOSURE = (0.20, 0.20, 0.80, 0.80)

GAP = 0.035          # between neighbouring cells, as a fraction of the glyph box
# How much more a component may be stretched one way than the other: a simple component
# (口) keeps nearly its shape, a dense one (靚) may be squeezed as the cells of a row are.
MIN_DISTORTION, MAX_DISTORTION = 1.4, 2.6
MIN_SHARE = 0.55     # the smallest share of a row or column, as a fraction of an equal share


class FormulaError(Exception):
    pass


# --- reading the glyph table --------------------------------------------------------------

def unescape(text):
    """Turns \\uXXXX escapes (UTF-16 code units) into characters."""
    units = re.sub(r"\\u([0-9A-Fa-f]{4})", lambda m: chr(int(m.group(1), 16)), text)
    return units.encode("utf-16", "surrogatepass").decode("utf-16")


class Record:
    def __init__(self, line, glyph, code, face, formula):
        self.line, self.glyph, self.code = line, glyph, code
        self.face, self.formula = face, formula


def read_rows(path):
    """The rows of a tab-separated source as (line number, column -> cell), skipping
    comments and empty lines; the first other line names the columns."""
    header = None
    with open(path, encoding="utf-8") as source:
        for number, line in enumerate(source, 1):
            line = line.rstrip("\n").rstrip("\r")
            if not line or line.startswith("#"):
                continue
            cells = line.split("\t")
            if header is None:
                header = cells
                continue
            yield number, dict(zip(header, cells))


def read_records(path):
    """The records of the table with 字體 1..8 that have a formula, and those at a
    private-use code with 字體 0, in file order."""
    records = []
    for number, row in read_rows(path):
        face = row.get("字體", "").strip() or "0"
        if not face.isdigit() or not 0 <= int(face) <= len(SET_NUMERALS):
            continue
        glyph = unescape(row.get("字形", ""))
        code = unescape(row.get("字碼", "")) or glyph
        formula = unescape(row.get("@構字式", ""))
        if face == "0":
            if len(code) == 1 and is_private_use(code):
                records.append(Record(number, glyph, code, 0, formula))
            continue
        if len(code) != 1:
            raise FormulaError(f"{path}:{number}: the code of a missing character "
                               f"must be one character, not {code!r}")
        if formula:  # a missing character without a formula has nothing to compose
            records.append(Record(number, glyph, code, int(face), formula))
    return records


def read_component_characters(path):
    """The characters that Unicode encodes for components at private-use codes:
    code -> character."""
    characters = {}
    for number, row in read_rows(path):
        code, character = unescape(row.get("字碼", "")), unescape(row.get("字元", ""))
        if len(code) != 1 or len(character) != 1:
            raise FormulaError(f"{path}:{number}: 字碼 and 字元 must be one character each")
        characters[code] = character
    return characters


# --- formulas -----------------------------------------------------------------------------

class Node:
    """A formula as a tree: a component (kind "leaf", text the character) or an
    arrangement ("row", "column", "enclose") of children."""

    def __init__(self, kind, text=None, children=()):
        self.kind, self.text, self.children = kind, text, list(children)


def parse_formula(formula):
    items, operators = [], []
    position = 0

    def component():
        nonlocal position
        if position >= len(formula):
            raise FormulaError("the formula ends where a component is expected")
        character = formula[position]
        position += 1
        if character in REPEATS:
            copy = component()
            return Node("column", children=[
                Node("row", children=[copy] * count) for count in REPEATS[character]])
        if character == OPEN_BRACKET:
            end = formula.find(CLOSE_BRACKET, position)
            if end < 0:
                raise FormulaError("a bracket is opened and not closed")
            inner = formula[position:end]
            position = end + 1
            return parse_formula(inner)
        if is_operator(character):
            raise FormulaError(f"operator U+{ord(character):04X} stands where a component "
                               "is expected")
        return Node("leaf", text=character)

    while position < len(formula):
        if items:
            character = formula[position]
            if character in INFIX:
                operators.append(INFIX[character])
                position += 1
            elif character == NEUTRAL:
                operators.append("row")
                position += 1
            else:  # components written without an operator stand side by side
                operators.append("row")
        items.append(component())
    if not items:
        raise FormulaError("the formula is empty")
    return join(items, operators)


def join(items, operators):
    """Joins the components of an infix chain: a run of one operator becomes one
    arrangement; runs are grouped from the left; an enclosure nests to the right."""
    node = items[0]
    index = 0
    while index < len(operators):
        kind = operators[index]
        run = [node]
        while index < len(operators) and operators[index] == kind:
            index += 1
            run.append(items[index])
        if kind == "enclose":
            node = run[-1]
            for outer in reversed(run[:-1]):
                node = Node("enclose", children=[outer, node])
        else:
            node = Node(kind, children=run)
    return node


# --- outlines -----------------------------------------------------------------------------

def locate_family(family):
    """The font file and face index that fontconfig gives for the family."""
    found = subprocess.run(["fc-match", "-f", "%{file}\n%{index}\n%{family}", family],
                           capture_output=True, text=True, check=True).stdout.split("\n")
    if len(found) < 3 or family not in found[2].split(","):
        raise FormulaError(f"the typeface {family} is not installed")
    return found[0], int(found[1])


class Outline:
    """Drawing commands with their ink box and area, in units of the output em."""

    def __init__(self, commands, bounds, area):
        self.commands, self.bounds, self.area = commands, bounds, area


class InstalledTypeface:
    """An installed typeface that outlines are taken from."""

    def __init__(self, family):
        path, index = locate_family(family)
        self.family = family
        self.font = TTFont(path, fontNumber=index, lazy=True)
        self.cmap = self.font.getBestCmap()
        self.glyphs = self.font.getGlyphSet()
        self.units_per_em = self.font["head"].unitsPerEm

    def em_box_of(self, character):
        """The em box of an ideograph: as wide as its advance, an em tall from the
        typographic descender."""
        bottom = self.font["OS/2"].sTypoDescender
        advance = self.glyphs[self.cmap[ord(character)]].width
        return (0, bottom, advance, bottom + self.units_per_em)

    def outline(self, character):
        name = self.cmap.get(ord(character))
        if name is None:
            raise FormulaError(f"{self.family} has no component {character} "
                               f"(U+{ord(character):04X})")
        recording = DecomposingRecordingPen(self.glyphs)
        self.glyphs[name].draw(recording)
        if not recording.value:
            raise FormulaError(f"{self.family} draws nothing for component {character}")
        return outline_of(recording.value)


class Typeface(InstalledTypeface):
    """The installed typeface of a family: the components of its glyphs, and the size of
    the glyphs it is given."""

    def __init__(self, family):
        super().__init__(family)
        self.advance = self.glyphs[self.cmap[ord(FULL_SQUARE)]].width
        self.em_box = self.em_box_of(FULL_SQUARE)
        full_square = self.outline(FULL_SQUARE)
        self.square, self.square_ink = full_square.bounds, full_square.area


def outline_of(commands):
    bounds = BoundsPen(None)
    area = AreaPen()
    for operator, operands in commands:
        getattr(bounds, operator)(*operands)
        getattr(area, operator)(*operands)
    return Outline(commands, bounds.bounds, abs(area.value))


def map_em_box(commands, source_box, target_box):
    """The commands moved from one em box into another, scaled alike both ways."""
    scale = (target_box[3] - target_box[1]) / (source_box[3] - source_box[1])
    offset_x = ((target_box[0] + target_box[2]) - (source_box[0] + source_box[2]) * scale) / 2
    offset_y = target_box[1] - source_box[1] * scale
    return transformed(commands, (scale, 0, 0, scale, offset_x, offset_y))


def transformed(commands, transform):
    recording = RecordingPen()
    pen = TransformPen(recording, transform)
    for operator, operands in commands:
        getattr(pen, operator)(*operands)
    return recording.value


def symbol_commands(contours):
    commands = []
    for contour in contours:
        commands.append(("moveTo", (contour[0],)))
        commands.extend(("lineTo", (point,)) for point in contour[1:])
        commands.append(("closePath", ()))
    return commands


# --- composition --------------------------------------------------------------------------

class Composer:
    """Makes the glyphs of one family. A missing character or private-use component used as
    a component is the first record of that code or glyph; it is made first, and once."""

    def __init__(self, typeface, components, characters, donors):
        self.typeface = typeface
        self.records = components  # missing character -> its first record
        self.characters = characters  # private-use component -> the character it stands for
        self.donors = donors  # typefaces after the family's own that may have that character
        self.made = {}  # id of a record -> (its outline, where it came from)
        self.in_progress = []

    def glyph(self, record):
        """The outline of the record's character in the typeface's full square."""
        return self.made_glyph(record)[0]

    def source(self, record):
        """Where the record's glyph came from, in words."""
        return self.made_glyph(record)[1]

    def made_glyph(self, record):
        code = record.code
        if id(record) in self.made:
            return self.made[id(record)]
        if code in self.in_progress:
            cycle = self.in_progress[self.in_progress.index(code):] + [code]
            raise FormulaError("a formula leads back to its own character: "
                               + " -> ".join(f"U+{ord(c):04X}" for c in cycle))
        self.in_progress.append(code)
        try:
            if record.formula:
                made = (self.composed(record.formula),
                        f"formula {record.formula} in {self.typeface.family}")
            elif ord(code) in operatorshapes.SYMBOLS:
                commands = map_em_box(symbol_commands(operatorshapes.SYMBOLS[ord(code)]),
                                      operatorshapes.EM_BOX, self.typeface.em_box)
                made = (outline_of(commands), "operator drawing")
            else:
                made = self.borrowed(code)
        finally:
            self.in_progress.pop()
        self.made[id(record)] = made
        return made

    def composed(self, formula):
        tree = parse_formula(formula)
        commands = []
        self.place(tree, self.typeface.square, commands)
        # As a component, a composed character keeps its arrangement: its box is the full
        # square, not its ink.
        return Outline(commands, self.typeface.square, ink_area(commands))

    def borrowed(self, code):
        """The outline of the character Unicode encodes for the component at code, moved
        from the em box of the typeface that has it into this one's."""
        character = self.characters.get(code)
        if character is None:
            raise FormulaError(f"U+{ord(code):04X} has neither a formula nor a character "
                               "that stands for it")
        for donor in [self.typeface] + self.donors:
            try:  # a typeface may map the character and draw nothing for it
                outline = donor.outline(character)
            except FormulaError:
                continue
            commands = map_em_box(outline.commands, donor.em_box_of(character),
                                  self.typeface.em_box)
            return (outline_of(commands), f"U+{ord(character):04X} {character} of {donor.family}")
        raise FormulaError(f"no installed typeface has U+{ord(character):04X} {character}, "
                           f"which stands for U+{ord(code):04X}")

    def component(self, character):
        if character in self.records:
            return self.glyph(self.records[character])
        return self.typeface.outline(character)

    def weight(self, node):
        """How much room a component asks for: more ink, more room."""
        if node.kind == "leaf":
            return math.sqrt(self.component(node.text).area)
        if node.kind == "enclose":
            return self.weight(node.children[0])
        return sum(self.weight(child) for child in node.children)

    def place(self, node, box, commands):
        if node.kind == "leaf":
            outline = self.component(node.text)
            density = math.sqrt(outline.area / self.typeface.square_ink)
            distortion = min(max(1.0 + 1.6 * density, MIN_DISTORTION), MAX_DISTORTION)
            fit(outline, box, distortion, commands)
        elif node.kind == "enclose":
            outer, inner = node.children
            self.place(outer, box, commands)
            self.place(inner, enclosed_box(outer, box), commands)
        else:
            for child, cell in zip(node.children, self.split(node, box)):
                self.place(child, cell, commands)

    def split(self, node, box):
        x0, y0, x1, y1 = box
        horizontal = node.kind == "row"
        length = (x1 - x0) if horizontal else (y1 - y0)
        count = len(node.children)
        gap = GAP * length
        usable = length - gap * (count - 1)
        shares = proportions([self.weight(child) for child in node.children])
        cells = []
        start = x0 if horizontal else y1  # rows go left to right, columns top to bottom
        for share in shares:
            size = usable * share
            if horizontal:
                cells.append((start, y0, start + size, y1))
                start += size + gap
            else:
                cells.append((x0, start - size, x1, start))
                start -= size + gap
        return cells


def proportions(weights):
    """Shares of a row or column by weight, none below MIN_SHARE of an equal share."""
    count = len(weights)
    total = sum(weights) or 1
    shares = [max(weight / total, MIN_SHARE / count) for weight in weights]
    total = sum(shares)
    return [share / total for share in shares]


def enclosed_box(outer, box):
    x0, y0, x1, y1 = box
    room = FULL_ENCLOSURE
    if outer.kind == "leaf":
        room = next((space for enclosers, space in ENCLOSURES if outer.text in enclosers),
                    FULL_ENCLOSURE)
    width, height = x1 - x0, y1 - y0
    return (x0 + room[0] * width, y0 + room[1] * height,
            x0 + room[2] * width, y0 + room[3] * height)


def fit(outline, box, distortion, commands):
    """Scales the outline's ink box into the box and centres it there, stretching it one
    way at most distortion times more than the other."""
    gx0, gy0, gx1, gy1 = outline.bounds
    x0, y0, x1, y1 = box
    scale_x = (x1 - x0) / max(gx1 - gx0, 1)
    scale_y = (y1 - y0) / max(gy1 - gy0, 1)
    scale_x = min(scale_x, scale_y * distortion)
    scale_y = min(scale_y, scale_x * distortion)
    offset_x = (x0 + x1) / 2 - (gx0 + gx1) / 2 * scale_x
    offset_y = (y0 + y1) / 2 - (gy0 + gy1) / 2 * scale_y
    commands.extend(transformed(outline.commands, (scale_x, 0, 0, scale_y, offset_x, offset_y)))


def ink_area(commands):
    area = AreaPen()
    for operator, operands in commands:
        getattr(area, operator)(*operands)
    return abs(area.value)


# --- writing fonts ------------------------------------------------------------------------

def draw(commands):
    pen = TTGlyphPen(None)
    for operator, operands in commands:
        operands = [tuple(round(v) for v in point) if point is not None else None
                    for point in operands]
        getattr(pen, operator)(*operands)
    return pen.glyph()


def write_font(path, family, postscript_name, typeface, outlines):
    """Writes a TrueType font of the outlines (code -> Outline) under the family name
    (postscript_name is its ASCII form), with the metrics of the installed typeface."""
    names = {ord(code): "uni%04X" % ord(code) for code in outlines}
    glyph_order = [".notdef"] + [names[code] for code in sorted(names)]
    glyphs = {".notdef": TTGlyphPen(None).glyph()}
    glyphs.update({names[ord(code)]: draw(outline.commands)
                   for code, outline in outlines.items()})

    source = typeface.font
    builder = FontBuilder(typeface.units_per_em, isTTF=True)
    builder.updateHead(created=FIXED_TIMESTAMP, modified=FIXED_TIMESTAMP)
    builder.setupGlyphOrder(glyph_order)
    builder.setupCharacterMap(names)
    builder.setupGlyf(glyphs)
    glyf = builder.font["glyf"]
    builder.setupHorizontalMetrics(
        {name: (typeface.advance, getattr(glyf[name], "xMin", 0)) for name in glyph_order})
    builder.setupHorizontalHeader(ascent=source["hhea"].ascent,
                                  descent=source["hhea"].descent)
    builder.setupNameTable({
        "familyName": family,
        "styleName": "Regular",
        "uniqueFontIdentifier": postscript_name + " 1.000",
        "fullName": family,
        "psName": postscript_name,
        "version": "Version 1.000",
    })
    os2 = source["OS/2"]
    builder.setupOS2(sTypoAscender=os2.sTypoAscender, sTypoDescender=os2.sTypoDescender,
                     sTypoLineGap=os2.sTypoLineGap, usWinAscent=os2.usWinAscent,
                     usWinDescent=os2.usWinDescent, fsType=0, achVendID="NONE",
                     ulCodePageRange1=1 << 20)  # Big5
    builder.font["OS/2"].recalcUnicodeRanges(builder.font)
    builder.setupPost()
    temporary = path + ".part"
    builder.save(temporary)
    os.replace(temporary, path)


def build(table, output_dir, characters_table):
    records = read_records(table)
    characters = read_component_characters(characters_table) if characters_table else {}
    donors = [InstalledTypeface(family) for family in DONOR_FAMILIES] if characters_table else []
    os.makedirs(output_dir, exist_ok=True)
    for prefix, (family, ascii_family, component_file, component_family) in FAMILIES.items():
        typeface = Typeface(family)
        # A component names a missing character by its code or by its glyph.
        components = {}
        for record in records:
            for key in (record.code, record.glyph):
                if key:
                    components.setdefault(key, record)
        composer = Composer(typeface, components, characters, donors)

        def made(record, what):
            try:
                return what(record)
            except FormulaError as error:
                raise FormulaError(f"{table}:{record.line}: {error}") from None

        faces = {number: {} for number in range(len(SET_NUMERALS) + 1)}
        for record in records:
            faces[record.face].setdefault(record.code, record)
        # Every glyph is made before any file is written, so a failure writes nothing.
        outlines = {number: {code: made(record, composer.glyph) for code, record in face.items()}
                    for number, face in faces.items() if number > 0 or characters_table}
        for number in range(1, len(SET_NUMERALS) + 1):
            face = prefix + "外字集" + SET_NUMERALS[number - 1]
            write_font(os.path.join(output_dir, face + ".ttf"), face,
                       f"Eudc{ascii_family}{number}-Regular", typeface, outlines[number])
        if characters_table:
            path = os.path.join(output_dir, component_file)
            write_font(path, component_family, component_family + "-Regular", typeface,
                       outlines[0])
            write_sources(path + ".sources.tsv",
                          {code: composer.source(record) for code, record in faces[0].items()})


def write_sources(path, sources):
    """Records where each glyph of a font came from: its code and the source in words."""
    temporary = path + ".part"
    with open(temporary, "w", encoding="utf-8") as out:
        out.write("字碼\t來源\n")
        for code in sorted(sources):
            out.write(f"U+{ord(code):04X}\t{sources[code]}\n")
    os.replace(temporary, path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--components", metavar="CHARACTERS.tsv",
                        help="also write the component typeface, Qeleudc.tte and qeleudck.tte")
    parser.add_argument("table", help="the 檢字表.tsv source")
    parser.add_argument("output_dir", help="the folder to write the fonts into")
    arguments = parser.parse_args()
    try:
        build(arguments.table, arguments.output_dir, arguments.components)
    except FormulaError as error:
        print(error, file=sys.stderr)
        sys.exit(1)


if __name__ == "__main__":
    main()
