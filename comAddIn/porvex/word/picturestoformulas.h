#pragma once

#include "comAddIn/porvex/conversionrun.h"

#include <functional>

namespace word
{
class Application;
}

namespace porvex
{

// The Tools item "圖片轉成構字式": every picture of the main text whose alternative text is
// a glyph picture's ("●＝" or "●=" and a formula) becomes that formula again, in the
// formatting of the picture's place. A protected document is refused with a message box;
// a picture whose alternative text is the mark alone stays.
void ConvertPicturesToFormulas(word::Application &application,
                               const std::function<void(const Message &)> &showMessage);

} // namespace porvex
