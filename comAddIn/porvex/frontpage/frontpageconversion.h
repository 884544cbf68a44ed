#pragma once

#include "comAddIn/porvex/conversionrun.h"
#include "comAddIn/porvex/glyphbitmap.h"
#include "platform/office/page/pageapplication.h"

namespace porvex
{

class GlyphRenderer;
class PictureNames;

// The web-page host's conversions, on the page open in the editor, in place: formulas to
// pictures of their glyphs (ordinary glyphs to text), and such pictures back to formulas.
class FrontPageConversion
{
public:
    FrontPageConversion(office::page::Application &frontPage, const ConversionContext &context,
                        GlyphRenderer &renderer, PictureNames &pictures);

    platform::Result<bool> ConvertPageToPictures();

private:
    void ConvertPageRangeFormulas(ConversionRun &run, office::page::Document &page);
    // Replaces the formula range by a picture of text; false when it could not be drawn.
    bool pastePicture(office::page::TextRange &formula, const GlyphFont &font, const QString &text,
                      const QString &altFormula);

    office::page::Application &m_frontPage;
    const ConversionContext &m_context;
    GlyphRenderer &m_renderer;
    PictureNames &m_pictures;
    QString m_pictureFolder; // the page's, once it is made
};

// Turns every picture of the page whose alternative text begins with "●＝" or "●=" back into
// the formula after that mark; other images stay.
platform::Result<bool> ConvertPagePicturesToFormulas(office::page::Application &frontPage);

// The font of the range's first character: typeface, size in points, bold, italic,
// underline and colour (0x00BBGGRR), the page's text colour where the text sets none. A
// page that names no typeface is drawn in 新細明體, the editor's own.
GlyphFont GetRangeFontAttributes(const office::page::TextRange &range,
                                 const office::page::Document &page);

// Points of an HTML font size "1".."7"; 12 for anything else.
int HtmlFontSizeToPoints(const QString &size);

// The image element of a glyph picture: its link (a URL, see PictureLink), size and
// alternative text "●＝" and the formula, each attribute quoted and escaped.
QString PictureElement(const QString &link, int width, int height, const QString &altFormula);

} // namespace porvex
