#include "testpages.h"

#include <QFile>
#include <gtest/gtest.h>

namespace office::page::testing
{

QString samplePage(const QString &charset)
{
    return QStringLiteral(
               "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"
               "<html>\n<head>\n"
               "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=%1\">\n"
               "<title>構字測試</title>\n</head>\n"
               "<body text=\"#336699\">\n<!-- 測試頁 -->\n"
               "<p>甲<b>木%2</b>目乙</p>\n"
               "<table border=\"1\">\n<tr><td><font face=\"標楷體\" size=\"5\" color=\"#FF0000\">"
               "%3口口%4</font></td> <td>丙</td></tr>\n</table>\n"
               "<p>圖<img src=\"pic/a.png\" alt=\"●＝木%2目\" width=\"16\" height=\"16\">與"
               "<img src=\"logo.gif\" alt=\"logo\"></p>\n"
               "</body>\n</html>\n")
        .arg(charset, kH, kOpen, kClose);
}

const QString kSampleText = QStringLiteral("甲") + kFormula + QStringLiteral("乙\n") + kBracketed +
                            QStringLiteral("\n丙\n圖") + kImage + QStringLiteral("與") + kImage +
                            QStringLiteral("\n");

QString PageFolder::write(const QString &name, const QByteArray &bytes) const
{
    const QString filePath = path(name);
    QFile file(filePath);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return filePath;
}

QByteArray PageFolder::read(const QString &filePath) const
{
    QFile file(filePath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::unique_ptr<HtmlPage> openPage(const QString &path)
{
    auto opened = HtmlPage::open(path);
    EXPECT_TRUE(opened.ok()) << opened.errorString().toStdString();
    return std::move(opened).value();
}

} // namespace office::page::testing
