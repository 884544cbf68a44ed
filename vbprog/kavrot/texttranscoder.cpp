#include "vbprog/kavrot/texttranscoder.h"

#include "platform/codepage/cp950.h"
#include "vbprog/kavrot/stagedoutput.h"
#include "vbprog/toolkit/sourcefile.h"

namespace kavrot
{

namespace
{

bool isLeadByte(uchar byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}

bool isTrailByte(uchar byte)
{
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0xA1 && byte <= 0xFE);
}

// The next line of data from position `from`, without its end (CR LF, LF or a lone CR);
// `from` moves past the end.
QByteArray nextLine(const QByteArray &data, qsizetype &from)
{
    qsizetype end = from;
    while (end < data.size() && data.at(end) != '\n' && data.at(end) != '\r')
        ++end;
    QByteArray line = data.mid(from, end - from);
    if (end < data.size() && data.at(end) == '\r')
        ++end;
    if (end < data.size() && data.at(end) == '\n')
        ++end;
    from = end;
    return line;
}

} // namespace

QByteArray transcodeCp950Line(const QByteArray &line, const ReferenceTable &reference)
{
    QByteArray out;
    out.reserve(line.size());
    for (qsizetype at = 0; at < line.size();) {
        const auto byte = uchar(line.at(at));
        qsizetype width = 1;
        if (isLeadByte(byte) && at + 1 < line.size() && isTrailByte(uchar(line.at(at + 1))))
            width = 2;
        else if (byte >= 0x80) {
            out.append(char(byte)); // no cp950 character: copied through
            ++at;
            continue;
        }
        const QByteArray bytes = line.mid(at, width);
        at += width;
        const QString text = codepage::fromCp950(bytes);
        const std::optional<QString> formula =
            text.size() == 1 && text.at(0) != QChar::ReplacementCharacter
                ? reference.formulaFor(text.at(0))
                : std::nullopt;
        const QByteArray replacement = formula ? codepage::toCp950(*formula) : QByteArray();
        // A formula the code page cannot hold would come out as question marks.
        if (formula && codepage::fromCp950(replacement) == *formula)
            out.append(replacement);
        else
            out.append(bytes);
    }
    return out;
}

platform::Result<FileOutcome> ConvertTextFile(const QString &source, const QString &destination,
                                              TranscodeRun &run)
{
    run.observer().setMessage(QStringLiteral("檔案") + destination + QStringLiteral("轉碼中"));
    const platform::Result<QByteArray> read = toolkit::readSourceFile(source);
    if (!read)
        return platform::Result<FileOutcome>::failure(read.errorString());
    const QByteArray &data = read.value();

    StagedOutput output(destination);
    if (const platform::Result<bool> created = output.create(); !created)
        return platform::Result<FileOutcome>::failure(created.errorString());
    for (qsizetype from = 0; from < data.size();) {
        const QByteArray line = transcodeCp950Line(nextLine(data, from), run.reference()) + "\r\n";
        if (const platform::Result<bool> written = output.write(line); !written)
            return platform::Result<FileOutcome>::failure(written.errorString());
        if (run.stopRequested())
            return FileOutcome::Stopped;
    }
    if (const platform::Result<bool> committed = output.commit(); !committed)
        return platform::Result<FileOutcome>::failure(committed.errorString());
    return FileOutcome::Converted;
}

} // namespace kavrot
