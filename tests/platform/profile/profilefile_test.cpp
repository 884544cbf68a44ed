#include "platform/codepage/cp950.h"
#include "platform/profile/profilefile.h"
#include "tests/platform/system/filesizelimit.h"
#include "tests/support/printqstring.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <limits>

using profile::ProfileFile;

namespace
{

class ProfileFileTest : public ::testing::Test
{
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("murvel.ini")); }

    void writeBytes(const QByteArray &bytes) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray readBytes() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    ProfileFile loaded(const QByteArray &bytes) const
    {
        writeBytes(bytes);
        ProfileFile file(path());
        EXPECT_TRUE(file.load());
        return file;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ProfileFileTest, NamesMatchWithoutCaseAndValuesAreTrimmed)
{
    const ProfileFile file = loaded("[Window]\nLeft = 120 \t\n  [ 選項 ]\ncopy=\t1\n");
    EXPECT_EQ(file.value(u"window", u"LEFT"), u"120"_qs);
    EXPECT_EQ(file.value(u"選項", u"Copy"), u"1"_qs);
}

TEST_F(ProfileFileTest, IdeographicSpaceIsNotTrimmed)
{
    const ProfileFile file = loaded(u"[Font]\nfontname=標楷體\u3000\n"_qs.toUtf8());
    EXPECT_EQ(file.value(u"Font", u"fontname"), u"標楷體\u3000"_qs);
}

TEST_F(ProfileFileTest, FirstSectionAndFirstKeyWin)
{
    const ProfileFile file = loaded("[A]\nx=1\nx=2\n[a]\nx=3\ny=4\n");
    EXPECT_EQ(file.value(u"A", u"x"), u"1"_qs);
    // Only the first [A] is searched, as Windows does.
    EXPECT_EQ(file.value(u"A", u"y"), std::nullopt);
}

TEST_F(ProfileFileTest, MissingFileSectionOrKeyGivesDefaults)
{
    ProfileFile none(m_dir.filePath(QStringLiteral("absent.ini")));
    ASSERT_TRUE(none.load());
    EXPECT_EQ(none.value(u"Start", u"first"), std::nullopt);
    EXPECT_EQ(none.intValue(u"Start", u"first", 7), 7);
    EXPECT_EQ(none.stringValue(u"Font", u"fontname", u"標楷體"_qs, 256), u"標楷體"_qs);

    const ProfileFile file = loaded("[Start]\nfirst=1\n; comment=5\nnot a key\n");
    EXPECT_EQ(file.intValue(u"Window", u"left", 0), 0);
    EXPECT_EQ(file.intValue(u"Start", u"second", -1), -1);
    EXPECT_EQ(file.value(u"Start", u"; comment"), std::nullopt);
    EXPECT_EQ(file.value(u"Start", u"not a key"), std::nullopt);
}

TEST_F(ProfileFileTest, KeysBeforeTheFirstSectionBelongToNone)
{
    const ProfileFile file = loaded("first=1\n[Start]\n");
    EXPECT_EQ(file.value(u"Start", u"first"), std::nullopt);
}

TEST_F(ProfileFileTest, IntegersReadAsTheWindowsCallReadsThem)
{
    const struct {
        const char *text;
        int expected;
    } cases[] = {
        {"42", 42},
        {"-7", -7},
        {"+5", 5},
        {"12abc", 12},
        {"1.9", 1},
        {"abc", 0},
        {"-", 0},
        {"- 5", 0},
        {"0x1F", 31},
        {"0X10", 16},
        {"-0x10", -16},
        {"0x", 0},
        {"0xG", 0},
        {"010", 10},
        {"0o17", 15},
        {"0b101", 5},
        {"0x7FFFFFFFF", std::numeric_limits<int>::max()},
        {"\"120\"", 120},
        {"2147483647", std::numeric_limits<int>::max()},
        {"99999999999", std::numeric_limits<int>::max()},
        {"-2147483648", std::numeric_limits<int>::min()},
        {"-99999999999999999999", std::numeric_limits<int>::min()},
    };
    for (const auto &c : cases) {
        const ProfileFile file = loaded(QByteArray("[S]\nk=") + c.text + '\n');
        EXPECT_EQ(file.intValue(u"S", u"k", 99), c.expected) << c.text;
    }
    // An empty value gives the default, as a missing key does.
    EXPECT_EQ(loaded("[S]\nk=  \n").intValue(u"S", u"k", 99), 99);
}

TEST_F(ProfileFileTest, StringsAreCutToTheBufferInWholeCharacters)
{
    const QString longAscii(300, u'x');
    ProfileFile ascii = loaded("[Font]\nfontname=" + longAscii.toUtf8() + '\n');
    EXPECT_EQ(ascii.stringValue(u"Font", u"fontname", {}, 256), longAscii.left(255));
    EXPECT_EQ(ascii.stringValue(u"Font", u"fontname", {}, 1), QString());
    EXPECT_EQ(ascii.stringValue(u"Font", u"fontname", {}, 0), QString());
    EXPECT_EQ(ascii.stringValue(u"Font", u"absent", u"abcdef"_qs, 4), u"abc"_qs);

    // Three bytes a character in UTF-8: 85 whole characters fill 255 bytes.
    const QString longHanzi(100, u'體');
    const ProfileFile utf8 = loaded("[Font]\nfontname=" + longHanzi.toUtf8() + '\n');
    EXPECT_EQ(utf8.stringValue(u"Font", u"fontname", {}, 256), longHanzi.left(85));
    EXPECT_EQ(utf8.stringValue(u"Font", u"fontname", {}, 6), longHanzi.left(1));

    // Two bytes a character in cp950: 127 characters, as the 128th would end at byte 256.
    const QString cp950Value = u"a"_qs + QString(200, u'體');
    const ProfileFile big5 =
        loaded(codepage::toCp950(u"[Font]\r\nfontname="_qs + cp950Value + u"\r\n"_qs));
    EXPECT_EQ(big5.stringValue(u"Font", u"fontname", {}, 256), cp950Value.left(128));

    const QString withPair = u"ab\U00020000"_qs;
    const ProfileFile pair = loaded("[S]\nk=" + withPair.toUtf8() + '\n');
    EXPECT_EQ(pair.stringValue(u"S", u"k", {}, 6), u"ab"_qs);
    EXPECT_EQ(pair.stringValue(u"S", u"k", {}, 7), withPair);
}

TEST_F(ProfileFileTest, Cp950FileIsReadAndOnlyTheChangedLineIsRewritten)
{
    const QString original = u"[Start]\r\nfirst=2\r\n[字集]\r\n常用字=1\r\n五大碼=0\r\n"
                             u"[Font]\r\nfontname=標楷體\r\n[Convert]\r\n來源=\uF6A3木木\r\n"_qs;
    ProfileFile file = loaded(codepage::toCp950(original));
    EXPECT_EQ(file.intValue(u"字集", u"常用字", 0), 1);
    EXPECT_EQ(file.value(u"Font", u"FONTNAME"), u"標楷體"_qs);
    EXPECT_EQ(file.value(u"Convert", u"來源"), u"\uF6A3木木"_qs);

    ASSERT_TRUE(file.setValue(u"字集"_qs, u"五大碼"_qs, u"1"_qs));
    // Setting the value a line already holds leaves the line alone.
    ASSERT_TRUE(file.setValue(u"Font"_qs, u"fontname"_qs, u"標楷體"_qs));
    ASSERT_TRUE(file.save());
    QByteArray expected = codepage::toCp950(original);
    expected.replace(codepage::toCp950(u"五大碼=0"_qs), u"五大碼=1"_qs.toUtf8());
    EXPECT_EQ(readBytes(), expected);

    ProfileFile reread(path());
    ASSERT_TRUE(reread.load());
    EXPECT_EQ(reread.intValue(u"字集", u"五大碼", 0), 1);
    EXPECT_EQ(reread.value(u"Font", u"fontname"), u"標楷體"_qs);
}

TEST_F(ProfileFileTest, MixedFileIsDecodedLineByLine)
{
    // An older tool wrote its section in cp950 into a file that is UTF-8 elsewhere.
    const QByteArray utf8Head = u"[異體字表]\nopen=1\n[Font]\nfontname=細明體\n"_qs.toUtf8();
    const QByteArray cp950Part = codepage::toCp950(u"[Convert]\nSrcPath=/home/user/文件/來源\n"_qs);
    const QByteArray utf8Tail = u"[選項]\n逐級列出=1\n"_qs.toUtf8();
    for (const QByteArray &before :
         {utf8Head + cp950Part + utf8Tail, cp950Part + utf8Head + utf8Tail}) {
        ProfileFile file = loaded(before);
        EXPECT_EQ(file.intValue(u"異體字表", u"open", 0), 1);
        EXPECT_EQ(file.value(u"Font", u"fontname"), u"細明體"_qs);
        EXPECT_EQ(file.value(u"Convert", u"SrcPath"), u"/home/user/文件/來源"_qs);
        EXPECT_EQ(file.intValue(u"選項", u"逐級列出", 0), 1);

        ASSERT_TRUE(file.setValue(u"選項"_qs, u"逐級列出"_qs, u"0"_qs));
        ASSERT_TRUE(file.save());
        QByteArray expected = before;
        expected.replace(u"逐級列出=1"_qs.toUtf8(), u"逐級列出=0"_qs.toUtf8());
        EXPECT_EQ(readBytes(), expected);
    }
}

TEST_F(ProfileFileTest, OnePairOfDoubleQuotesAroundAValueIsDropped)
{
    const ProfileFile file =
        loaded(u"[S]\ntop=\"120\"\nfontname= \"細明體\" \nempty=\"\"\n"
               u"inner=\"a\"b\"\ntwice=\"\"x\"\"\nopen=\"a\nsingle='a'\n"_qs.toUtf8());
    EXPECT_EQ(file.intValue(u"S", u"top", 0), 120);
    EXPECT_EQ(file.value(u"S", u"fontname"), u"細明體"_qs);
    EXPECT_EQ(file.value(u"S", u"empty"), QString());
    EXPECT_EQ(file.value(u"S", u"inner"), u"a\"b"_qs);
    EXPECT_EQ(file.value(u"S", u"twice"), u"\"x\""_qs);
    EXPECT_EQ(file.value(u"S", u"open"), u"\"a"_qs);
    EXPECT_EQ(file.value(u"S", u"single"), u"'a'"_qs);
}

TEST_F(ProfileFileTest, LastLineEndingInABareCarriageReturnKeepsNoneInItsValue)
{
    ProfileFile file = loaded("[Window]\r\nleft=10\r\ntop=20\r");
    EXPECT_EQ(file.value(u"Window", u"top"), u"20"_qs);
    ASSERT_TRUE(file.setValue(u"Window"_qs, u"width"_qs, u"30"_qs));
    ASSERT_TRUE(file.save());
    EXPECT_EQ(readBytes(), "[Window]\r\nleft=10\r\ntop=20\r\nwidth=30\r\n");
}

TEST_F(ProfileFileTest, WritingKeepsEveryOtherLineByteForByte)
{
    const QByteArray before = "; murvel settings\n"
                              "[Start]\n"
                              "  First = 1   \n"
                              "unknown=keep me\n"
                              "\n"
                              "; belongs to Convert\n"
                              "[Convert]\n"
                              "src=a=b\n"
                              "[Window]\n"
                              "left=1\n";
    ProfileFile file = loaded(before);
    ASSERT_TRUE(file.setValue(u"start"_qs, u"first"_qs, u"2"_qs));
    ASSERT_TRUE(file.setValue(u"Start"_qs, u"save"_qs, u"1"_qs));
    ASSERT_TRUE(file.setValue(u"Window"_qs, u"top"_qs, u"300"_qs));
    ASSERT_TRUE(file.setValue(u"字集"_qs, u"常用字"_qs, u"1"_qs));
    // Nothing reaches the disk before save().
    EXPECT_EQ(readBytes(), before);
    ASSERT_TRUE(file.save());
    EXPECT_EQ(readBytes(), "; murvel settings\n"
                           "[Start]\n"
                           "First=2\n"
                           "unknown=keep me\n"
                           "save=1\n"
                           "\n"
                           "; belongs to Convert\n"
                           "[Convert]\n"
                           "src=a=b\n"
                           "[Window]\n"
                           "left=1\n"
                           "top=300\n"
                           "[字集]\n"
                           "常用字=1\n");
}

TEST_F(ProfileFileTest, CrlfLineEndsAreKeptAndUsedForNewLines)
{
    ProfileFile file = loaded("[Window]\r\nleft=1\r\n[Convert]\r\nx=y");
    ASSERT_TRUE(file.setValue(u"Window"_qs, u"left"_qs, u"2"_qs));
    ASSERT_TRUE(file.setValue(u"Window"_qs, u"top"_qs, u"3"_qs));
    ASSERT_TRUE(file.setValue(u"Convert"_qs, u"z"_qs, u"4"_qs));
    ASSERT_TRUE(file.save());
    EXPECT_EQ(readBytes(), "[Window]\r\nleft=2\r\ntop=3\r\n[Convert]\r\nx=y\r\nz=4\r\n");
}

TEST_F(ProfileFileTest, DuplicateKeyIsReplacedAtItsFirstLine)
{
    ProfileFile file = loaded("[A]\nx=1\nx=2\n[A]\nx=3\n");
    ASSERT_TRUE(file.setValue(u"a"_qs, u"X"_qs, u"9"_qs));
    ASSERT_TRUE(file.save());
    EXPECT_EQ(readBytes(), "[A]\nx=9\nx=2\n[A]\nx=3\n");
}

TEST_F(ProfileFileTest, ByteOrderMarkIsSkippedAndKept)
{
    ProfileFile file = loaded("\xEF\xBB\xBF[Start]\nfirst=1\n");
    EXPECT_EQ(file.intValue(u"Start", u"first", 0), 1);
    ASSERT_TRUE(file.setValue(u"Start"_qs, u"first"_qs, u"2"_qs));
    ASSERT_TRUE(file.save());
    EXPECT_EQ(readBytes(), "\xEF\xBB\xBF[Start]\nfirst=2\n");
}

TEST_F(ProfileFileTest, NamesAndValuesThatWouldNotReadBackAreRefused)
{
    const QByteArray before = "[Start]\nfirst=1\n";
    ProfileFile file = loaded(before);
    EXPECT_FALSE(file.setValue(u"Start"_qs, u"first"_qs, u"1\n[Start]\nfirst=9"_qs));
    EXPECT_FALSE(file.setValue(u"Start"_qs, u"a=b"_qs, u"1"_qs));
    EXPECT_FALSE(file.setValue(u"Start"_qs, u";x"_qs, u"1"_qs));
    EXPECT_FALSE(file.setValue(u"Start"_qs, u" first"_qs, u"1"_qs));
    EXPECT_FALSE(file.setValue(u"Start"_qs, QString(), u"1"_qs));
    EXPECT_FALSE(file.setValue(u"a]b"_qs, u"k"_qs, u"1"_qs));
    EXPECT_FALSE(file.setValue(u"a\rb"_qs, u"k"_qs, u"1"_qs));
    EXPECT_FALSE(file.errorString().isEmpty());
    ASSERT_TRUE(file.save());
    EXPECT_EQ(readBytes(), before);
}

TEST_F(ProfileFileTest, WrittenValuesReadBack)
{
    ProfileFile writer(path());
    ASSERT_TRUE(writer.load());
    ASSERT_TRUE(writer.setValue(u"Font"_qs, u"fontname"_qs, u"細明體 Ext"_qs));
    ASSERT_TRUE(writer.setValue(u"Window"_qs, u"left"_qs, u"-1200"_qs));
    ASSERT_TRUE(writer.save());

    ProfileFile reader(path());
    ASSERT_TRUE(reader.load());
    EXPECT_EQ(reader.value(u"font", u"FontName"), u"細明體 Ext"_qs);
    EXPECT_EQ(reader.intValue(u"Window", u"left", 0), -1200);
    EXPECT_EQ(readBytes(), "[Font]\nfontname=細明體 Ext\n[Window]\nleft=-1200\n");
}

TEST_F(ProfileFileTest, UnreadableFileIsNeverReplaced)
{
    // A folder in place of the file cannot be read as one.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("murvel.ini")));
    ProfileFile file(path());
    EXPECT_FALSE(file.load());
    EXPECT_FALSE(file.errorString().isEmpty());
    EXPECT_TRUE(file.setValue(u"Start"_qs, u"first"_qs, u"2"_qs));
    EXPECT_FALSE(file.save());
    EXPECT_TRUE(QFileInfo(path()).isDir());
}

TEST_F(ProfileFileTest, SaveIntoMissingFolderFailsWithMessage)
{
    ProfileFile file(m_dir.filePath(QStringLiteral("no/such/folder/murvel.ini")));
    ASSERT_TRUE(file.load());
    ASSERT_TRUE(file.setValue(u"Start"_qs, u"first"_qs, u"2"_qs));
    EXPECT_FALSE(file.save());
    EXPECT_TRUE(file.errorString().contains(u"murvel.ini"));
}

TEST_F(ProfileFileTest, FailedWriteKeepsTheOldFileAndSaysSo)
{
    const QByteArray before = "[Start]\nfirst=2\n";
    ProfileFile file = loaded(before);
    ASSERT_TRUE(file.setValue(u"Window"_qs, u"left"_qs, QString(200, u'7')));
    {
        const FileSizeLimit full(8);
        EXPECT_FALSE(file.save());
    }
    EXPECT_TRUE(file.errorString().startsWith(u"無法寫入"));
    EXPECT_TRUE(file.errorString().contains(u"murvel.ini"));
    EXPECT_EQ(readBytes(), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{u"murvel.ini"_qs});
    // The same file saves once there is room again.
    EXPECT_TRUE(file.save());
    EXPECT_EQ(ProfileFile(path()).load(), true);
}
