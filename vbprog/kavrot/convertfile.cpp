#include "vbprog/kavrot/convertfile.h"

#include "vbprog/kavrot/powerpointtranscoder.h"
#include "vbprog/kavrot/texttranscoder.h"
#include "vbprog/kavrot/wordtranscoder.h"
#include "vbprog/toolkit/sourcefile.h"

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
    if (extension == u"DOCX")
        return FileFormat::Word;
    if (extension == u"PPTX")
        return FileFormat::PowerPoint;
    if (extension == u"DOC" || extension == u"PPT")
        return FileFormat::BinaryOffice;
    return FileFormat::Unknown;
}

platform::Result<FileOutcome> ConvertFile(const QString &source, const QString &destination,
                                          TranscodeRun &run)
{
    // A FIFO or a device would hold the run or fill memory, whatever its name says.
    if (const QString refused = toolkit::refusedSource(source); !refused.isEmpty())
        return platform::Result<FileOutcome>::failure(refused);
    switch (formatOf(source)) {
    case FileFormat::Text:
        return ConvertTextFile(source, destination, run);
    case FileFormat::Word:
        return ConvertWordFile(source, destination, run);
    case FileFormat::PowerPoint:
        return ConvertPowerPointFile(source, destination, run);
    case FileFormat::BinaryOffice:
        // The binary formats cannot be read: say so of the user's own file, not of a copy.
        return platform::Result<FileOutcome>::failure(
            QStringLiteral("無法轉換 %1：舊版的二進位 Office 文件無法讀取，請先另存為 .docx 或 "
                           ".pptx 再轉碼")
                .arg(source));
    case FileFormat::Unknown:
        break;
    }
    return FileOutcome::Skipped;
}

} // namespace kavrot
