#include "vbprog/kavrot/convertfile.h"

#include "vbprog/kavrot/powerpointtranscoder.h"
#include "vbprog/kavrot/texttranscoder.h"
#include "vbprog/kavrot/wordtranscoder.h"

#include <QFileInfo>

namespace kavrot
{

FileFormat formatOf(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return FileFormat::Unknown;
    const QString extension = name.mid(dot + 1).toUpper();
    if (extension == u"TXT" || extension == u"A" || extension == u"B" || extension == u"C")
        return FileFormat::Text;
    if (extension == u"DOCX" || extension == u"DOC")
        return FileFormat::Word;
    if (extension == u"PPTX" || extension == u"PPT")
        return FileFormat::PowerPoint;
    return FileFormat::Unknown;
}

platform::Result<FileOutcome> ConvertFile(const QString &source, const QString &destination,
                                          TranscodeRun &run)
{
    switch (formatOf(source)) {
    case FileFormat::Text:
        return ConvertTextFile(source, destination, run);
    case FileFormat::Word:
        return ConvertWordFile(source, destination, run);
    case FileFormat::PowerPoint:
        return ConvertPowerPointFile(source, destination, run);
    case FileFormat::Unknown:
        break;
    }
    return FileOutcome::Skipped;
}

} // namespace kavrot
