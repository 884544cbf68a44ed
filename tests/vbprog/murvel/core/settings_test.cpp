#include "vbprog/murvel/core/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

namespace {

using namespace SettingsNames;

class SettingsTest : public ::testing::Test
{
protected:
    QString iniPath() const { return dir.filePath("murvel.ini"); }

    void writeFile(const QByteArray &bytes) const
    {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QString readFile() const
    {
        QFile file(iniPath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QString::fromUtf8(file.readAll());
    }

    // The "key=value" lines of the file, in file order, as "section/key=value".
    QStringList keyLines() const
    {
        QStringList lines;
        QString section;
        for (const QString &line : readFile().split('\n', Qt::SkipEmptyParts)) {
            if (line.startsWith('['))
                section = line.mid(1, line.indexOf(']') - 1);
            else if (line.contains('='))
                lines << section + "/" + line.trimmed();
        }
        return lines;
    }

    QTemporaryDir dir;
};

TEST_F(SettingsTest, AMissingFileReadsAsZerosAndTheDefaultTypeface)
{
    const SettingsMirror mirror = ReadSettings(iniPath());
    EXPECT_FALSE(mirror.sessionFound);
    EXPECT_EQ(mirror.value(Start, First), "0");
    EXPECT_EQ(mirror.value(Window, "width"), "0");
    EXPECT_EQ(mirror.value(Font, FontName), "標楷體");
    EXPECT_EQ(mirror.value(Font, FontSize), "0");
    EXPECT_FALSE(mirror.isOn(Options, Save));
    EXPECT_FALSE(mirror.isOn("字形結構", "open"));
}

TEST_F(SettingsTest, AFileWithoutTheStartKeyHoldsNoSession)
{
    writeFile("[Convert]\nSrcPath=/tmp/來源\n[Window]\nleft=120\n");
    EXPECT_FALSE(ReadSettings(iniPath()).sessionFound);
    writeFile("[Start]\nfirst=0\n");
    EXPECT_TRUE(ReadSettings(iniPath()).sessionFound);
}

TEST_F(SettingsTest, ReadsEveryKeyCaseInsensitivelyAndSwitchesAreOnOnlyAtOne)
{
    writeFile("[start]\nFIRST=1\n[Window]\nleft=120\nwidth = 9600 \n"
              "[字集]\n金文編=1\n楷體字=2\n[字形結構]\nopen=1\nwinstate=2\n"
              "[Font]\nfontname=細明體   \nfontsize=18\n"
              "[選項]\n逐級列出=1\nUnicode=1abc\ncopy=0\nsave=1\n字頻=5\n");
    const SettingsMirror mirror = ReadSettings(iniPath());
    EXPECT_TRUE(mirror.sessionFound);
    EXPECT_EQ(mirror.number(Start, First), 1);
    EXPECT_EQ(mirror.number(Window, "left"), 120);
    EXPECT_EQ(mirror.number(Window, "width"), 9600);
    EXPECT_TRUE(mirror.isOn(CharSet, "金文編"));
    EXPECT_FALSE(mirror.isOn(CharSet, "楷體字"));
    EXPECT_TRUE(mirror.isOn("字形結構", "open"));
    EXPECT_EQ(mirror.number("字形結構", "winstate"), 2);
    EXPECT_EQ(mirror.value(Font, FontName), "細明體");
    EXPECT_EQ(mirror.number(Font, FontSize), 18);
    EXPECT_TRUE(mirror.isOn(Options, "逐級列出"));
    EXPECT_TRUE(mirror.isOn(Options, "Unicode")); // the leading number counts
    EXPECT_FALSE(mirror.isOn(Options, Copy));
    EXPECT_TRUE(mirror.isOn(Options, Save));
    EXPECT_EQ(mirror.value(Options, CharSetCode), QString()); // 字頻 is never read back
}

TEST_F(SettingsTest, ALongTypefaceNameIsCutTo255Bytes)
{
    writeFile("[Font]\nfontname=" + QByteArray(300, 'x') + "\n");
    EXPECT_EQ(ReadSettings(iniPath()).value(Font, FontName).size(), 255);
}

TEST_F(SettingsTest, SaveWritesTheEightyFiveKeysInTheirOrder)
{
    SettingsMirror mirror = ReadSettings(iniPath());
    mirror.setValue(Options, CharSetCode, "2");
    mirror.setValue(Window, "left", "300");
    QString error;
    ASSERT_TRUE(SaveSettings(iniPath(), mirror, &error)) << error.toStdString();

    const QStringList lines = keyLines();
    ASSERT_EQ(lines.size(), 85);
    EXPECT_EQ(lines[0], "Start/first=2");
    EXPECT_EQ(lines[1], "Window/left=300");
    EXPECT_EQ(lines[5], "Font/fontname=標楷體");
    EXPECT_EQ(lines[6], "Font/fontsize=0");
    EXPECT_EQ(lines[7], "字集/常用字=0");
    EXPECT_EQ(lines[15], "字集/楷體字=0");
    EXPECT_EQ(lines[16], "字形孳乳/open=0");
    EXPECT_EQ(lines[57], "字形索引/height=0");
    EXPECT_EQ(lines[58], "選項/逐級列出=0");
    EXPECT_EQ(lines[81], "選項/小篆演變=0");
    EXPECT_EQ(lines[82], "選項/copy=0");
    EXPECT_EQ(lines[83], "選項/字頻=2");
    EXPECT_EQ(lines[84], "選項/save=1");
}

TEST_F(SettingsTest, SaveKeepsTheSectionsOfOtherPrograms)
{
    writeFile("[Convert]\nRefFile=kavrot02.mdb\nSrcPath=/home/a\n[字集]\n自訂=7\n楷體字=1\n");
    SettingsMirror mirror = ReadSettings(iniPath());
    ASSERT_TRUE(SaveSettings(iniPath(), mirror, nullptr));
    const QString text = readFile();
    EXPECT_TRUE(text.startsWith("[Convert]\nRefFile=kavrot02.mdb\nSrcPath=/home/a\n"));
    EXPECT_TRUE(text.contains("自訂=7"));
    EXPECT_TRUE(text.contains("楷體字=1"));
}

TEST_F(SettingsTest, GeometryBeyondSixteenBitsSurvivesARoundTrip)
{
    SettingsMirror mirror = ReadSettings(iniPath());
    mirror.setValue(Window, "width", "40320");
    mirror.setValue("字形演變", "left", "-33000");
    ASSERT_TRUE(SaveSettings(iniPath(), mirror, nullptr));
    const SettingsMirror read = ReadSettings(iniPath());
    EXPECT_EQ(read.number(Window, "width"), 40320);
    EXPECT_EQ(read.number("字形演變", "left"), -33000);
    EXPECT_EQ(read.number(Start, First), 2);
}

TEST_F(SettingsTest, ASaveThatCannotWriteReportsIt)
{
    // A folder where the file should be: nothing can be read or written there.
    ASSERT_TRUE(QDir().mkdir(iniPath()));
    QString error;
    EXPECT_FALSE(SaveSettings(iniPath(), ReadSettings(iniPath()), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QFileInfo(iniPath()).isDir());
}

} // namespace
