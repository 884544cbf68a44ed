#include "platform/codepage/cp950.h"
#include "tempdesktop.h"
#include "vbprog/Fonsetta/applyinstall.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace fonsetta;
using registry::Root;

namespace
{

const QString kEudc = QString::fromUtf16(kEudcKey);
const QString kDefaultFont = QString::fromUtf16(kSystemDefaultEudcFont);

class ApplyInstallTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(apppath));
        // The sample fonts of the program folder, under the names 預設 fills in.
        for (const QString &name : {u"Qeleudc.tte"_qs, u"qeleudck.tte"_qs})
            ASSERT_TRUE(QFile::copy(standInEudcFont(), apppath + u'/' + name));
    }

    void set(const QString &key, const QString &name, const QString &data)
    {
        ASSERT_TRUE(desktop.store.setValue(Root::CurrentUser, key, name, data));
    }

    std::optional<QString> value(const QString &key, const QString &name) const
    {
        return desktop.store.value(Root::CurrentUser, key, name);
    }

    // Only the typeface row is live unless a test says otherwise.
    static QList<RowRequest> typefaceOnly(CheckValue value, const QString &text)
    {
        QList<RowRequest> rows(5, RowRequest{false, CheckValue::Grey, QString()});
        rows[0] = {true, value, text};
        return rows;
    }

    QStringList apply(const QList<RowRequest> &rows, const QString &folder)
    {
        return ApplyInstallSettings(desktop.store, desktop.fontLink(), rows, folder);
    }

    static QString withNul(const QString &text) { return text + QChar(u'\0'); }

    TempDesktop desktop;
    const QString apppath = desktop.dir.filePath(u"程式"_qs);
};

TEST_F(ApplyInstallTest, DefaultFontUpdatesExistingLinksAndGivesKaiItsTwin)
{
    set(kEudc, u"細明體"_qs, u"old"_qs);
    set(kEudc, u"標楷體"_qs, u"old"_qs);
    // The box holds the default path in another letter case.
    const QString box = apppath + u"/QELEUDC.TTE"_qs;
    QFile::copy(standInEudcFont(), box);

    EXPECT_EQ(apply(typefaceOnly(CheckValue::Checked, box), apppath), QStringList());

    EXPECT_EQ(value(kEudc, kDefaultFont), withNul(box));
    EXPECT_EQ(value(kEudc, u"細明體"_qs), withNul(box));
    EXPECT_EQ(value(kEudc, u"標楷體"_qs), withNul(apppath + u"/qeleudck.tte"_qs));
    // A link that did not exist is not created.
    EXPECT_FALSE(value(kEudc, u"新細明體"_qs).has_value());
    EXPECT_TRUE(QFileInfo::exists(desktop.fontLink().aliasFile()));
}

TEST_F(ApplyInstallTest, TheDesktopsKaiFacesTakeTheKaiTwinEvenWithoutATypefaceLink)
{
    ASSERT_EQ(apply(typefaceOnly(CheckValue::Checked, apppath + u"/Qeleudc.tte"_qs), apppath),
              QStringList());
    EXPECT_FALSE(value(kEudc, u"標楷體"_qs).has_value());
    EXPECT_EQ(linkTargets(desktop.fontLink()),
              (QStringList{apppath + u"/Qeleudc.tte"_qs, apppath + u"/qeleudck.tte"_qs}));
}

TEST_F(ApplyInstallTest, AnyOtherFileOrNoDefaultsPressedGivesEveryLinkTheBoxText)
{
    set(kEudc, u"新細明體"_qs, u"old"_qs);
    set(kEudc, u"標楷體"_qs, u"old"_qs);
    const QString other = apppath + u"/Qeleudc.tte"_qs;
    // 預設 never pressed: the box is compared against "/qeleudc.tte" alone.
    EXPECT_EQ(apply(typefaceOnly(CheckValue::Checked, other), QString()), QStringList());
    for (const QString &name : {kDefaultFont, u"新細明體"_qs, u"標楷體"_qs})
        EXPECT_EQ(value(kEudc, name), withNul(other)) << name.toStdString();
}

TEST_F(ApplyInstallTest, UncheckingBlanksTheDefaultWith255ZeroBytesAndDeletesEveryLink)
{
    ASSERT_EQ(apply(typefaceOnly(CheckValue::Checked, apppath + u"/Qeleudc.tte"_qs), apppath),
              QStringList());
    for (const QString &link : {u"細明體"_qs, u"新細明體"_qs, u"標楷體"_qs})
        set(kEudc, link, u"x"_qs);

    EXPECT_EQ(apply(typefaceOnly(CheckValue::Unchecked, QString()), apppath), QStringList());

    const std::optional<QString> blank = value(kEudc, kDefaultFont);
    ASSERT_TRUE(blank.has_value());
    EXPECT_EQ(codepage::toCp950(*blank), QByteArray(255, '\0'));
    EXPECT_EQ(desktop.store.values(Root::CurrentUser, kEudc).size(), 1);
    // In the store's file the zero bytes stand escaped.
    QFile hive(desktop.store.folder() + u"/HKEY_CURRENT_USER.txt"_qs);
    ASSERT_TRUE(hive.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        hive.readAll().contains("SystemDefaultEUDCFont=" + QByteArray("%00").repeated(255) + '\n'));
    EXPECT_FALSE(QFileInfo::exists(desktop.fontLink().aliasFile()));
    EXPECT_FALSE(QFileInfo::exists(desktop.fontLink().linkFolder()));
}

TEST_F(ApplyInstallTest, GreyAndDisabledRowsAreLeftAlone)
{
    const QString cangjie = installRow(RowId::Cangjie).registryKey;
    set(cangjie, u"User Dictionary"_qs, u"keep"_qs);
    QList<RowRequest> rows = {{true, CheckValue::Grey, u"a"_qs},
                              {false, CheckValue::Unchecked, u"b"_qs},
                              {true, CheckValue::Grey, u"c"_qs},
                              {false, CheckValue::Checked, u"d"_qs},
                              {true, CheckValue::Grey, u"e"_qs}};
    EXPECT_EQ(apply(rows, apppath), QStringList());
    EXPECT_FALSE(desktop.store.keyExists(Root::CurrentUser, kEudc));
    EXPECT_EQ(value(cangjie, u"User Dictionary"_qs), u"keep"_qs);
    EXPECT_FALSE(
        desktop.store.keyExists(Root::CurrentUser, installRow(RowId::NewCangjie).registryKey));
    EXPECT_FALSE(QFileInfo::exists(desktop.fontLink().aliasFile()));
}

TEST_F(ApplyInstallTest, InputMethodRowsSetOrDeleteTheirValue)
{
    const InstallRow &zhuyin = installRow(RowId::Zhuyin);
    const InstallRow &newZhuyin = installRow(RowId::NewZhuyin);
    set(newZhuyin.registryKey, newZhuyin.valueName, u"old"_qs);
    QList<RowRequest> rows(5, RowRequest{true, CheckValue::Grey, QString()});
    rows[2] = {true, CheckValue::Checked, apppath + u"/Qeleudpn.tbl"_qs};
    rows[4] = {true, CheckValue::Unchecked, QString()};
    rows[3] = {true, CheckValue::Unchecked, QString()}; // nothing there to delete: no failure

    EXPECT_EQ(apply(rows, apppath), QStringList());
    EXPECT_EQ(value(zhuyin.registryKey, u"User Dictionary"_qs),
              withNul(apppath + u"/Qeleudpn.tbl"_qs));
    EXPECT_FALSE(value(newZhuyin.registryKey, u"Eudc Dictionary"_qs).has_value());
}

// The keys and value names as the system's readers know them, written out here rather
// than taken from the installer's own table.
TEST_F(ApplyInstallTest, EveryRowWritesTheKeyAndValueNameTheSystemReads)
{
    QList<RowRequest> rows;
    for (const QString &file : {u"Qeleudc.tte"_qs, u"Qeleudcj.tbl"_qs, u"Qeleudpn.tbl"_qs,
                                u"cQelc.tab"_qs, u"tQelc.tab"_qs})
        rows.append({true, CheckValue::Checked, apppath + u'/' + file});
    ASSERT_EQ(apply(rows, apppath), QStringList());

    const QString ime = u"Software\\Microsoft\\Windows\\CurrentVersion\\"_qs;
    const QList<std::pair<QString, QString>> written = {
        {u"EUDC\\950"_qs, u"SystemDefaultEUDCFont"_qs},
        {ime + u"CHAJEI"_qs, u"User Dictionary"_qs},
        {ime + u"PHON"_qs, u"User Dictionary"_qs},
        {ime + u"CINTLGNT"_qs, u"Eudc Dictionary"_qs},
        {ime + u"TINTLGNT"_qs, u"Eudc Dictionary"_qs},
    };
    for (qsizetype i = 0; i < written.size(); ++i) {
        const auto &[key, name] = written[i];
        EXPECT_EQ(value(key, name), withNul(rows[i].text)) << key.toStdString();
        // The key holds nothing else: no value was written under another name.
        EXPECT_EQ(desktop.store.values(Root::CurrentUser, key).size(), 1) << key.toStdString();
    }
}

TEST_F(ApplyInstallTest, EveryFailureIsReportedWithItsRow)
{
    QList<RowRequest> rows(5, RowRequest{true, CheckValue::Grey, QString()});
    rows[0] = {true, CheckValue::Checked, apppath + u"/missing.tte"_qs};
    rows[1] = {true, CheckValue::Checked, u"/home/😀/Qeleudcj.tbl"_qs};
    const QStringList failures = apply(rows, apppath);
    ASSERT_EQ(failures.size(), 2) << failures.join(u'\n').toStdString();
    EXPECT_TRUE(failures[0].startsWith(u"外字："_qs) && failures[0].contains(u"missing.tte"_qs));
    EXPECT_TRUE(failures[1].startsWith(u"倉頡："_qs) && failures[1].contains(u"Big5"_qs));
}

TEST_F(ApplyInstallTest, AStoreThatCannotBeWrittenIsReported)
{
    registry::RegistryStore blocked(desktop.dir.filePath(u"a-file"_qs));
    QFile file(blocked.folder());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QList<RowRequest> rows(5, RowRequest{true, CheckValue::Grey, QString()});
    rows[3] = {true, CheckValue::Checked, u"/x/cQelc.tab"_qs};
    const QStringList failures = ApplyInstallSettings(blocked, desktop.fontLink(), rows, apppath);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].startsWith(u"微軟新倉頡："_qs)) << failures[0].toStdString();
}

} // namespace
