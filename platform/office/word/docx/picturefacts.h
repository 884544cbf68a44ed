#pragma once

#include <QByteArray>
#include <QSize>
#include <optional>

namespace word::docx
{

// What a document needs of a picture file to place it: its image format as Qt names it, its
// size in pixels and its resolution (0 when the file gives none).
struct PictureFacts {
    QByteArray format;
    QSize pixels;
    int dotsPerMeterX = 0;
    int dotsPerMeterY = 0;
};

// The facts of the picture the bytes hold; nullopt when they are no picture Qt can read. An
// uncompressed bitmap, as the glyph pictures are, is read from its header alone; any other
// picture is decoded whole.
std::optional<PictureFacts> PictureFactsOf(const QByteArray &bytes);

} // namespace word::docx
