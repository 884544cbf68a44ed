#include "platform/registry/registryhive.h"
#include "tests/support/printqstring.h"

#include <gtest/gtest.h>

using registry::RegistryHive;
using registry::RegistryValue;

TEST(RegistryHive, NamesIgnoreCaseAndKeepTheFirstSpelling)
{
    RegistryHive hive;
    hive.setValue(u"Software\\Murvel", u"Path"_qs, u"one"_qs);
    hive.setValue(u"SOFTWARE\\murvel", u"PATH"_qs, u"two"_qs);
    EXPECT_EQ(hive.value(u"software\\MURVEL", u"path"), u"two"_qs);
    EXPECT_EQ(hive.values(u"Software\\Murvel"), (QList<RegistryValue>{{u"Path"_qs, u"two"_qs}}));
    EXPECT_TRUE(hive.toText(u"T").contains("[Software\\Murvel]\nPath=two\n"));
}

TEST(RegistryHive, DefaultValueHasTheEmptyName)
{
    RegistryHive hive;
    const QString key = u"software\\microsoft\\windows\\currentversion\\app paths\\murvel.exe"_qs;
    hive.setValue(key, QString(), u"/opt/murvel/murvel"_qs);
    EXPECT_EQ(
        hive.value(u"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MURVEL.EXE", u""),
        u"/opt/murvel/murvel"_qs);
    EXPECT_EQ(hive.value(key, u"Path"), std::nullopt);
}

TEST(RegistryHive, KeysExistWhenCreatedOrWhenAKeyBelowExists)
{
    RegistryHive hive;
    hive.setValue(u"EUDC\\950", u"SystemDefaultEUDCFont"_qs, u"x.tte"_qs);
    EXPECT_TRUE(hive.keyExists(u"eudc\\950"));
    EXPECT_TRUE(hive.keyExists(u"EUDC"));
    EXPECT_TRUE(hive.keyExists(u"\\EUDC\\\\950\\")); // separators are normalized
    EXPECT_TRUE(hive.keyExists(u""));
    EXPECT_FALSE(hive.keyExists(u"EUD"));
    EXPECT_FALSE(hive.keyExists(u"EUDC\\9"));
    EXPECT_FALSE(hive.keyExists(u"EUDC\\950\\sub"));
    EXPECT_EQ(hive.value(u"EUDC", u"SystemDefaultEUDCFont"), std::nullopt);
    EXPECT_TRUE(hive.values(u"Missing").isEmpty());
}

TEST(RegistryHive, DeletingAValueKeepsItsKey)
{
    RegistryHive hive;
    hive.setValue(u"Keyboard Layout\\Preload", u"1"_qs, u"00000404"_qs);
    EXPECT_TRUE(hive.deleteValue(u"keyboard layout\\preload", u"1"));
    EXPECT_FALSE(hive.deleteValue(u"keyboard layout\\preload", u"1"));
    EXPECT_FALSE(hive.deleteValue(u"no such key", u"1"));
    EXPECT_TRUE(hive.keyExists(u"Keyboard Layout\\Preload"));
    EXPECT_EQ(hive.value(u"Keyboard Layout\\Preload", u"1"), std::nullopt);
}

TEST(RegistryHive, TextFormIsEscapedAndReadsBack)
{
    RegistryHive hive;
    const QString awkward = u"a=b\n[c]\r#d %41 標楷體 \u0000end"_qs;
    hive.setValue(u"Software\\Odd]Key", u"=name#"_qs, awkward);
    hive.setValue(u"Software\\Odd]Key", QString(), u"%"_qs);
    hive.setValue(u"A", u"x"_qs, QString());

    const QByteArray text = hive.toText(u"HKEY_CURRENT_USER");
    EXPECT_TRUE(text.startsWith("# HKEY_CURRENT_USER\n"));
    EXPECT_TRUE(text.endsWith("\n[A]\nx=\n"
                              "\n[Software\\Odd%5DKey]\n"
                              "%3Dname%23=a%3Db%0A%5Bc%5D%0D%23d %2541 標楷體 %00end\n"
                              "=%25\n"))
        << text.toStdString();

    const RegistryHive reread = RegistryHive::fromText(text);
    EXPECT_EQ(reread.value(u"software\\odd]key", u"=NAME#"), awkward);
    EXPECT_EQ(reread.value(u"software\\odd]key", u""), u"%"_qs);
    EXPECT_EQ(reread.value(u"a", u"X"), QString());
    EXPECT_EQ(reread.toText(u"HKEY_CURRENT_USER"), text);
}

TEST(RegistryHive, HandEditedTextIsReadLeniently)
{
    const RegistryHive hive = RegistryHive::fromText("orphan=ignored\r\n"
                                                     "[Software\\Murvel]\r\n"
                                                     "# a comment\r\n"
                                                     "no equals sign\r\n"
                                                     "Path=C:\\X\\murvel.exe=1\r\n"
                                                     "Bad=%4 %zz %\r\n");
    EXPECT_EQ(hive.value(u"Software\\Murvel", u"Path"), u"C:\\X\\murvel.exe=1"_qs);
    EXPECT_EQ(hive.value(u"Software\\Murvel", u"Bad"), u"%4 %zz %"_qs);
    EXPECT_EQ(hive.values(u"Software\\Murvel").size(), 2);
    EXPECT_EQ(hive.value(u"", u"orphan"), std::nullopt);
}

TEST(RegistryHive, SubkeysListEachChildOnceInItsOwnSpelling)
{
    RegistryHive hive;
    const QString addins = u"Software\\Microsoft\\Office\\Word\\Addins"_qs;
    hive.setValue(addins + u"\\PorvexAddin.ConnectWord"_qs, u"LoadBehavior"_qs, u"16"_qs);
    hive.setValue(addins + u"\\Trivane.ConnectWord\\Deeper"_qs, u"x"_qs, u"1"_qs);
    hive.setValue(addins + u"\\Trivane.ConnectWord"_qs, u"LoadBehavior"_qs, u"16"_qs);
    hive.setValue(addins + u"\\Trivane.ConnectWord 2"_qs, u"x"_qs, u"1"_qs);
    hive.setValue(u"Software\\Microsoft\\Office\\Word\\AddinsElse", u"x"_qs, u"1"_qs);
    EXPECT_EQ(hive.subkeys(u"software\\microsoft\\office\\word\\addins"),
              (QStringList{u"PorvexAddin.ConnectWord"_qs, u"Trivane.ConnectWord"_qs,
                           u"Trivane.ConnectWord 2"_qs}));
    EXPECT_EQ(hive.subkeys(u""), QStringList{u"Software"_qs});
    EXPECT_TRUE(hive.subkeys(u"Software\\Nothing").isEmpty());
}

TEST(RegistryHive, DeleteKeyTakesEverythingBelowAndNothingBeside)
{
    RegistryHive hive;
    hive.setValue(u"A\\B", u"v"_qs, u"1"_qs);
    hive.setValue(u"A\\B\\C", u"v"_qs, u"2"_qs);
    hive.setValue(u"A\\BC", u"v"_qs, u"3"_qs);
    EXPECT_TRUE(hive.deleteKey(u"a\\b"));
    EXPECT_FALSE(hive.keyExists(u"A\\B"));
    EXPECT_FALSE(hive.keyExists(u"A\\B\\C"));
    EXPECT_EQ(hive.value(u"A\\BC", u"v"), u"3"_qs);
    EXPECT_FALSE(hive.deleteKey(u"A\\B"));
    EXPECT_FALSE(hive.deleteKey(u""));
}
