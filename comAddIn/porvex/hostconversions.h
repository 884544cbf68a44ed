#pragma once

#include "comAddIn/porvex/hostoperations.h"

namespace porvex
{

// The conversions of the Tools items on the host of the connection, with the chooser's
// dialog and the host's message boxes. Each fails, changing nothing, on a host of
// another kind.
class HostConversions final : public HostOperations
{
public:
    platform::Result<bool> ConvertDocumentToGlyphs() override;
    platform::Result<bool> ConvertDocumentToPictures() override;
    platform::Result<bool> ConvertPicturesToFormulas() override;

    platform::Result<bool> ConvertWorkbookToGlyphs() override;

    platform::Result<bool> ConvertPresentationToGlyphs() override;

    platform::Result<bool> ConvertPageToPictures() override;
    platform::Result<bool> ConvertPagePicturesToFormulas() override;
};

} // namespace porvex
