#pragma once

#include "platform/common/result.h"

#include <QString>

namespace porvex
{

// Where a page's glyph pictures live: in a folder of the page's own beside it, named after
// the page with "_files" (page.html, page.htm: page_files), the form under which browsers
// and office suites save a page's embedded files and file managers keep the two together.
// The page links them by relative paths, so it can be moved or published with its folder.
QString PictureFolderOf(const QString &pagePath);

// Makes the page's picture folder when it is missing and gives its path. A file or a
// symbolic link of that name is no folder of the page's: the pictures would land elsewhere
// or nowhere, so it fails with a message naming it and nothing is written.
platform::Result<QString> MakePictureFolder(const QString &pagePath);

// The relative link from the page to a picture in the page's folder, each segment
// percent-encoded as a URL path needs ("a b_files/~cp1.bmp" gives "a%20b_files/~cp1.bmp").
QString PictureLink(const QString &picturePath);

// The names of the page converter's glyph pictures, "~cp1.bmp", "~cp2.bmp", ... in the
// picture folder. The count lasts as long as the add-in is loaded, and a name already in
// use (a file, or a link even to nowhere) is passed over: a picture found there may be linked
// by this page, by a copy of it or by a version the user can still undo to, so none is ever
// written over.
class PictureNames
{
public:
    QString next(const QString &folder);

private:
    int m_counter = 0;
};

} // namespace porvex
