#pragma once

#include "platform/common/result.h"

namespace porvex
{

// The work of the Tools items that convert the host's document, one per host and item, on
// the host of the connection. The add-in library gives the conversions; tests give their
// own.
class HostOperations
{
public:
    virtual ~HostOperations() = default;

    virtual platform::Result<bool> ConvertDocumentToGlyphs() = 0;
    virtual platform::Result<bool> ConvertDocumentToPictures() = 0;
    virtual platform::Result<bool> ConvertPicturesToFormulas() = 0;

    virtual platform::Result<bool> ConvertWorkbookToGlyphs() = 0;

    virtual platform::Result<bool> ConvertPresentationToGlyphs() = 0;

    virtual platform::Result<bool> ConvertPageToPictures() = 0;
    virtual platform::Result<bool> ConvertPagePicturesToFormulas() = 0;
};

} // namespace porvex
