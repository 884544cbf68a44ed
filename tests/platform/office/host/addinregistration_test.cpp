#include "platform/office/host/addinregistration.h"
#include "platform/registry/registrystore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace office;
using registry::RegistryStore;
using registry::Root;

namespace
{

AddInRegistration excelClass()
{
    return {u"Excel"_qs,
            u"PorvexAddin.ConnectExcel"_qs,
            u"Brindlex"_qs,
            u"ConnectExcel (AddInDesigner)"_qs,
            16,
            0,
            u"/build/lib/libporvex.so"_qs};
}

TEST(AddInRegistration, HostKeyComesFromTheApplicationName)
{
    EXPECT_EQ(addInHostKey(u"Microsoft Word"_qs), u"Word"_qs);
    EXPECT_EQ(addInHostKey(u"Microsoft FrontPage"_qs), u"FrontPage"_qs);
    EXPECT_TRUE(addInHostKey(u"Outlook"_qs).isEmpty());
    EXPECT_TRUE(addInHostKey(u"Microsoft "_qs).isEmpty());
}

TEST(AddInRegistration, ValuesLandUnderTheHostsAddinsKey)
{
    QTemporaryDir dir;
    RegistryStore store(dir.path());
    ASSERT_TRUE(registerAddIn(store, excelClass()));
    const QString key = u"Software\\Microsoft\\Office\\Excel\\Addins\\PorvexAddin.ConnectExcel"_qs;
    EXPECT_EQ(store.value(Root::CurrentUser, key, u"FriendlyName"), u"Brindlex"_qs);
    EXPECT_EQ(store.value(Root::CurrentUser, key, u"Description"),
              u"ConnectExcel (AddInDesigner)"_qs);
    EXPECT_EQ(store.value(Root::CurrentUser, key, u"LoadBehavior"), u"16"_qs);
    EXPECT_EQ(store.value(Root::CurrentUser, key, u"CommandLineSafe"), u"0"_qs);
    EXPECT_FALSE(store.keyExists(Root::LocalMachine, key));

    const QList<AddInRegistration> found = registeredAddIns(store, u"Excel"_qs);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].progId, u"PorvexAddin.ConnectExcel"_qs);
    EXPECT_EQ(found[0].libraryPath, u"/build/lib/libporvex.so"_qs);
    EXPECT_EQ(found[0].loadBehavior, 16);
    EXPECT_TRUE(registeredAddIns(store, u"Word"_qs).isEmpty());
}

TEST(AddInRegistration, ReRegisteringDropsAStaleDescriptionAndUnregisterRemovesAll)
{
    QTemporaryDir dir;
    RegistryStore store(dir.path());
    ASSERT_TRUE(registerAddIn(store, excelClass()));
    AddInRegistration plain = excelClass();
    plain.description.reset();
    ASSERT_TRUE(registerAddIn(store, plain));
    const QList<AddInRegistration> found = registeredAddIns(store, u"Excel"_qs);
    ASSERT_EQ(found.size(), 1);
    EXPECT_FALSE(found[0].description);

    ASSERT_TRUE(unregisterAddIn(store, u"Excel"_qs, u"PorvexAddin.ConnectExcel"_qs));
    EXPECT_TRUE(registeredAddIns(store, u"Excel"_qs).isEmpty());
    EXPECT_FALSE(
        store.keyExists(Root::CurrentUser, u"Software\\Classes\\PorvexAddin.ConnectExcel"));
    EXPECT_TRUE(unregisterAddIn(store, u"Excel"_qs, u"PorvexAddin.ConnectExcel"_qs));
}

} // namespace
