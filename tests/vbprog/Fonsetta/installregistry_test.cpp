#include "platform/codepage/cp950.h"
#include "tempdesktop.h"
#include "vbprog/Fonsetta/installregistry.h"

#include <gtest/gtest.h>

using namespace fonsetta;
using registry::Root;

namespace
{

const QString kPreload = QString::fromUtf16(kPreloadKey);

class InstallRegistryTest : public ::testing::Test
{
protected:
    void set(const QString &key, const QString &name, const QString &data)
    {
        ASSERT_TRUE(desktop.store.setValue(Root::CurrentUser, key, name, data))
            << desktop.store.errorString().toStdString();
    }

    TempDesktop desktop;
};

TEST_F(InstallRegistryTest, PreloadedLayoutsFromBothSeriesCaseInsensitiveUpToTheFirstGap)
{
    set(kPreload + u"\\1"_qs, QString(), u"00000404"_qs);
    set(kPreload + u"\\2"_qs, QString(), u"e0020404"_qs + QChar(u'\0') + u"junk"_qs);
    set(kPreload + u"\\4"_qs, QString(), u"E0090404"_qs); // after the gap at 3: not read
    set(kPreload, u"1"_qs, u"E0010404"_qs);
    set(kPreload, u"3"_qs, u"E0080404"_qs); // after the gap at 2: not read

    EXPECT_EQ(preloadedLayouts(desktop.store),
              (QSet<QString>{u"00000404"_qs, u"E0020404"_qs, u"E0010404"_qs}));
}

TEST_F(InstallRegistryTest, CurrentSettingsShowValuesUpToTheirNulAndOnlyForPreloadedLayouts)
{
    set(QString::fromUtf16(kEudcKey), QString::fromUtf16(kSystemDefaultEudcFont),
        u"/opt/q/Qeleudc.tte"_qs + QChar(u'\0'));
    set(kPreload, u"1"_qs, u"E0020404"_qs);
    set(installRow(RowId::Cangjie).registryKey, u"User Dictionary"_qs,
        u"/opt/q/Qeleudcj.tbl"_qs + QChar(u'\0'));
    // A dictionary set for an input method that is not preloaded is not shown.
    set(installRow(RowId::Zhuyin).registryKey, u"User Dictionary"_qs, u"/opt/q/x.tbl"_qs);

    const QList<CurrentRow> rows = readCurrentSettings(desktop.store);
    ASSERT_EQ(rows.size(), 5);
    EXPECT_TRUE(rows[0].installed);
    EXPECT_EQ(rows[0].text, u"/opt/q/Qeleudc.tte"_qs);
    EXPECT_TRUE(rows[1].installed);
    EXPECT_EQ(rows[1].text, u"/opt/q/Qeleudcj.tbl"_qs);
    for (int i = 2; i < 5; ++i) {
        EXPECT_FALSE(rows[i].installed) << i;
        EXPECT_TRUE(rows[i].text.isEmpty()) << i;
    }
}

TEST_F(InstallRegistryTest, BlankedSystemDefaultReadsAsEmptyAndTheTypefaceRowIsAlwaysLive)
{
    set(QString::fromUtf16(kEudcKey), QString::fromUtf16(kSystemDefaultEudcFont),
        QString(255, QChar(u'\0')));
    const QList<CurrentRow> rows = readCurrentSettings(desktop.store);
    EXPECT_TRUE(rows[0].installed);
    EXPECT_TRUE(rows[0].text.isEmpty());
}

TEST_F(InstallRegistryTest, StringValuesAreBig5TextWithOneNul)
{
    QString error;
    const QString text = u"/home/使用者/外字/Qeleudc.tte"_qs;
    ASSERT_TRUE(writeRegistryString(desktop.store, u"EUDC\\950"_qs, u"標楷體"_qs, text, &error))
        << error.toStdString();
    const std::optional<QString> stored =
        desktop.store.value(Root::CurrentUser, u"eudc\\950"_qs, u"標楷體"_qs);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(codepage::toCp950(*stored), codepage::toCp950(text) + QByteArray(1, '\0'));
}

TEST_F(InstallRegistryTest, TextBig5CannotHoldIsRefusedAndNotWritten)
{
    QString error;
    EXPECT_FALSE(writeRegistryString(desktop.store, u"EUDC\\950"_qs, u"x"_qs,
                                     u"/home/😀/Qeleudc.tte"_qs, &error));
    EXPECT_TRUE(error.contains(u"Big5"_qs)) << error.toStdString();
    EXPECT_FALSE(desktop.store.value(Root::CurrentUser, u"EUDC\\950"_qs, u"x"_qs).has_value());
}

} // namespace
