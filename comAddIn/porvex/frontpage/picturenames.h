#pragma once

#include <QString>

namespace porvex
{

// The names of the page converter's glyph pictures, "~cp1.bmp", "~cp2.bmp", ... in the
// picture folder. The count lasts as long as the add-in is loaded, and a number whose file
// exists is passed over, so a picture that an earlier page links to is never overwritten.
class PictureNames
{
public:
    QString next(const QString &folder);

private:
    int m_counter = 0;
};

} // namespace porvex
