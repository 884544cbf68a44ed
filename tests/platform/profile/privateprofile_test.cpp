#include "platform/profile/privateprofile.h"
#include "tests/support/printqstring.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace profile;

TEST(PrivateProfile, WriteThenReadThroughTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("murvel.ini"));
    EXPECT_EQ(GetPrivateProfileInt(u"Start", u"first", 0, path), 0);
    EXPECT_FALSE(QFile::exists(path));

    ASSERT_TRUE(WritePrivateProfileString(u"Start"_qs, u"first"_qs, u"2"_qs, path));
    ASSERT_TRUE(WritePrivateProfileString(u"Font"_qs, u"fontname"_qs, u"細明體"_qs, path));
    ASSERT_TRUE(WritePrivateProfileString(u"Start"_qs, u"first"_qs, u"1"_qs, path));
    EXPECT_EQ(GetPrivateProfileInt(u"START", u"First", 0, path), 1);
    EXPECT_EQ(GetPrivateProfileString(u"Font", u"fontname", u"標楷體"_qs, path, 256), u"細明體"_qs);
    EXPECT_EQ(GetPrivateProfileString(u"Font", u"fontsize", u"標楷體"_qs, path, 256), u"標楷體"_qs);
    // Two bytes of the buffer hold no whole UTF-8 hanzi and the NUL.
    EXPECT_EQ(GetPrivateProfileString(u"Font", u"fontname", {}, path, 4), u"細"_qs);
}

TEST(PrivateProfile, FailedWriteSaysWhy)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/murvel.ini"));
    QString message;
    EXPECT_FALSE(WritePrivateProfileString(u"Start"_qs, u"first"_qs, u"2"_qs, path, &message));
    EXPECT_TRUE(message.contains(u"murvel.ini"));
    EXPECT_FALSE(WritePrivateProfileString(u"Start"_qs, u"a=b"_qs, u"2"_qs, path));
}
