#include "tests/support/libreoffice.h"

#include "tests/support/childprocess.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace testsupport
{

namespace
{

platform::Result<LibreOfficeOutput> failed(const QString &message)
{
    ADD_FAILURE() << message.toStdString();
    return platform::Result<LibreOfficeOutput>::failure(message);
}

} // namespace

platform::Result<LibreOfficeOutput>
convertWithLibreOffice(const QString &documentPath, const QString &targetFormat, int timeoutSeconds)
{
    QFileInfo input(documentPath);
    if (!input.isFile())
        return failed(QStringLiteral("LibreOffice: no file %1 to convert").arg(documentPath));
    QTemporaryDir work;
    if (!work.isValid())
        return failed(QStringLiteral("LibreOffice: no temporary folder"));
    QString profile = work.filePath(QStringLiteral("profile"));
    QString outDir = work.filePath(QStringLiteral("out"));
    QDir().mkpath(outDir);

    QProcess soffice;
    soffice.setProcessChannelMode(QProcess::MergedChannels);
    endWithTest(soffice);
    soffice.start(QStringLiteral("soffice"),
                  {QStringLiteral("-env:UserInstallation=") +
                       QUrl::fromLocalFile(profile).toString(QUrl::FullyEncoded),
                   QStringLiteral("--headless"), QStringLiteral("--norestore"),
                   QStringLiteral("--convert-to"), targetFormat, QStringLiteral("--outdir"), outDir,
                   input.absoluteFilePath()});
    if (!soffice.waitForStarted())
        return failed(
            QStringLiteral("LibreOffice: soffice did not start (%1)").arg(soffice.errorString()));
    if (!soffice.waitForFinished(timeoutSeconds * 1000)) {
        soffice.kill();
        soffice.waitForFinished();
        return failed(QStringLiteral("LibreOffice: converting %1 to %2 took over %3 s")
                          .arg(documentPath, targetFormat)
                          .arg(timeoutSeconds));
    }
    QString log = QString::fromLocal8Bit(soffice.readAll());

    LibreOfficeOutput output;
    QDir out(outDir);
    for (const QFileInfo &file : out.entryInfoList(QDir::Files)) {
        QFile reader(file.absoluteFilePath());
        if (reader.open(QIODevice::ReadOnly))
            output.files.insert(file.fileName(), reader.readAll());
    }
    // soffice exits with 0 even when it cannot load the input: the output is the proof.
    QString extension = targetFormat.section(u':', 0, 0);
    QString documentName = input.completeBaseName() + u'.' + extension;
    bool written = false;
    for (const QString &name : output.files.keys())
        written = written || name.startsWith(input.completeBaseName());
    if (soffice.exitStatus() != QProcess::NormalExit || !written)
        return failed(QStringLiteral("LibreOffice could not convert %1 to %2 (exit %3): %4")
                          .arg(documentPath, targetFormat)
                          .arg(soffice.exitCode())
                          .arg(log.trimmed()));
    output.document = output.files.value(documentName);
    return platform::Result<LibreOfficeOutput>(std::move(output));
}

} // namespace testsupport
