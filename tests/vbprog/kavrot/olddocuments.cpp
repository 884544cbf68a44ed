#include "tests/vbprog/kavrot/olddocuments.h"

#include "platform/codepage/cp950.h"
#include "tests/platform/office/powerpoint/samplepresentation.h"
#include "tests/platform/office/word/sampledocx.h"
#include "tests/support/zipfile.h"

#include <QFile>
#include <QStringList>

namespace kavrottest
{

namespace
{

using Replacements = QList<QPair<QString, QString>>;

testsupport::ZipEntries replaced(testsupport::ZipEntries entries, const Replacements &replacements)
{
    for (auto &[name, data] : entries) {
        for (const auto &[from, to] : replacements)
            data.replace(from.toUtf8(), to.toUtf8());
    }
    return entries;
}

} // namespace

bool writeOldDocx(const QString &path)
{
    const Replacements replacements{
        {QStringLiteral("\uF6A3"), kOld0},
        {QStringLiteral("\uF6A4"), kOld1},
        {QStringLiteral("\uF6A5"), kOld2},
        {QStringLiteral("remark"), QStringLiteral("re") + kOld2 + QStringLiteral("mark")},
        {QStringLiteral("end note"), QStringLiteral("end") + kOld0 + QStringLiteral("note")},
        {QStringLiteral("first header"),
         QStringLiteral("first") + kOld2 + QStringLiteral("header")},
        {QStringLiteral("even header"), QStringLiteral("even") + kOld1 + QStringLiteral("header")},
        {QStringLiteral("header box"), QStringLiteral("header") + kOld0 + QStringLiteral("box")},
        {QStringLiteral("primary footer"),
         QStringLiteral("primary") + kOld1 + QStringLiteral("footer")},
    };
    return testsupport::writeZip(path, replaced(wordtest::sampleDocxEntries(), replacements));
}

bool writeOldPptx(const QString &path)
{
    if (!writeSamplePresentation(path))
        return false;
    const Replacements replacements{
        {QStringLiteral("群二"), QStringLiteral("群") + kOld0 + QStringLiteral("二")},
        {QStringLiteral("文字"), QStringLiteral("文") + kOld1 + QStringLiteral("字")},
        {QStringLiteral("\uF6A3"), kOld2},
    };
    return testsupport::writeZip(path, replaced(testsupport::readZip(path), replacements));
}

bool writeCp950Text(const QString &path, const QStringList &lines, const QByteArray &lineEnd)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString &line : lines)
        file.write(codepage::toCp950(line) + lineEnd);
    return true;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace kavrottest
