#pragma once

#include "platform/office/page/htmlpage.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace office::page::testing
{

// Formula operators and sample formulas: 木 beside 目, and a bracketed sequence.
inline const QString kH = QString(QChar(0xF6A4));
inline const QString kOpen = QString(QChar(0xF6AE));
inline const QString kClose = QString(QChar(0xF6AF));
inline const QString kFormula = QStringLiteral("木") + kH + QStringLiteral("目");
inline const QString kBracketed = kOpen + QStringLiteral("口口") + kClose;
inline const QChar kImage(0xFFFC);

// A page with formulas in a paragraph (across <b>), in a table cell with <font face>, one
// picture of ours and one that is not, a comment and a doctype. Its body text is
// kSampleText.
QString samplePage(const QString &charset = QStringLiteral("utf-8"));
extern const QString kSampleText;

// Files of a test, in a folder that goes with it.
class PageFolder
{
public:
    QString write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &path) const;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

// Opens a page that must open; the test fails with the engine's message otherwise.
std::unique_ptr<HtmlPage> openPage(const QString &path);

} // namespace office::page::testing
