#pragma once

#include "comAddIn/porvex/conversionrun.h"
#include "platform/office/powerpoint/powerpoint.h"

namespace porvex
{

// The presentation host's conversion: the presentation's preview copy "name☆.pptx", with
// the glyph of every formula in the text of its shapes, of the shapes in its groups and of
// its table cells, and the ordinary glyphs and picked formulas written back into the source.
class PowerPointConversion
{
public:
    PowerPointConversion(office::powerpoint::Application &powerPoint,
                         const ConversionContext &context);

    platform::Result<bool> ConvertPresentationToGlyphs();

private:
    void convertSlide(ConversionRun &run, office::powerpoint::Slide &copy,
                      office::powerpoint::Slide &source);
    void convertShape(ConversionRun &run, office::powerpoint::Shape &copy,
                      office::powerpoint::Shape &source);
    void ConvertTextRangeFormulas(ConversionRun &run, office::powerpoint::TextFrame &copy,
                                  office::powerpoint::TextFrame &source);

    office::powerpoint::Application &m_powerPoint;
    const ConversionContext &m_context;
};

} // namespace porvex
