#!/usr/bin/python3
"""Writes the operator font: a small TrueType font with outline glyphs for the
formula operators U+F6A3..U+F6B0 and the trigrams U+EDC0..U+EDC7 (operatorshapes.py).
With --box, writes instead a font that draws an empty box for every private-use code
U+E000..U+F8FF.

The programs register both and put them behind the typefaces that draw private-use
characters, the box last, so that such a code is drawn by a font of ours or as a box,
never by a system font that maps it to some other character.

Usage: make-operator-font.py [--box] --family NAME OUTPUT.ttf

The output is reproducible: the same script gives the same bytes (fixed timestamps).
Needs Debian's python3-fonttools, hence /usr/bin/python3.
"""

import argparse
import os

from fontTools.fontBuilder import FontBuilder
from fontTools.misc.timeTools import timestampFromString
from fontTools.pens.ttGlyphPen import TTGlyphPen

from operatorshapes import (ADVANCE, BOTTOM, CENTRE_X, EM_BOX, SYMBOLS, TOP, UNITS_PER_EM,
                            frame)

DESCENT, ASCENT = EM_BOX[1], EM_BOX[3]
FIXED_TIMESTAMP = timestampFromString("Mon Jan  1 00:00:00 2024")
PRIVATE_USE = range(0xE000, 0xF900)
BOX = "privateUseBox"


def draw(contours):
    pen = TTGlyphPen(None)
    for contour in contours:
        pen.moveTo(contour[0])
        for point in contour[1:]:
            pen.lineTo(point)
        pen.closePath()
    return pen.glyph()


def build(family, output, box):
    glyphs = {".notdef": draw(frame((100, 0, 600, 700), 50))}
    if box:
        cmap = {code: BOX for code in PRIVATE_USE}
        glyphs[BOX] = draw(frame((CENTRE_X - 280, BOTTOM, CENTRE_X + 280, TOP), 40))
    else:
        cmap = {code: "uni%04X" % code for code in SYMBOLS}
        glyphs.update({cmap[code]: draw(contours) for code, contours in SYMBOLS.items()})
    glyph_order = [".notdef"] + sorted(set(cmap.values()))

    builder = FontBuilder(UNITS_PER_EM, isTTF=True)
    builder.updateHead(created=FIXED_TIMESTAMP, modified=FIXED_TIMESTAMP)
    builder.setupGlyphOrder(glyph_order)
    builder.setupCharacterMap(cmap)
    builder.setupGlyf(glyphs)
    glyf = builder.font["glyf"]
    builder.setupHorizontalMetrics(
        {name: (ADVANCE if name != ".notdef" else 700, glyf[name].xMin) for name in glyph_order})
    builder.setupHorizontalHeader(ascent=ASCENT, descent=DESCENT)
    postscript_name = family.replace(" ", "") + "-Regular"
    builder.setupNameTable({
        "familyName": family,
        "styleName": "Regular",
        "uniqueFontIdentifier": postscript_name + " 1.000",
        "fullName": family + " Regular",
        "psName": postscript_name,
        "version": "Version 1.000",
    })
    builder.setupOS2(sTypoAscender=ASCENT, sTypoDescender=DESCENT, sTypoLineGap=0,
                     usWinAscent=ASCENT, usWinDescent=-DESCENT, fsType=0,
                     achVendID="NONE", ulCodePageRange1=1 << 20)  # Big5
    builder.font["OS/2"].recalcUnicodeRanges(builder.font)
    builder.setupPost()

    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    builder.save(output)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--box", action="store_true",
                        help="draw a box for every private-use code instead of the symbols")
    parser.add_argument("--family", required=True, help="family name of the font")
    parser.add_argument("output", help="path of the .ttf file to write")
    arguments = parser.parse_args()
    build(arguments.family, arguments.output, arguments.box)


if __name__ == "__main__":
    main()
