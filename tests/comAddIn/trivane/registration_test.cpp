// The library's registration in a private registry store, as the hosts read it.
#include "comAddIn/trivane/connect.h"
#include "platform/office/host/addinregistration.h"
#include "platform/registry/registrystore.h"
#include "tests/support/scopedenvironment.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

TEST(TrigramRegistration, EachHostFindsItsClassWithTheLibrary)
{
    QTemporaryDir dir;
    const ScopedEnvironment environment("MURVEL_REGISTRY_DIR", dir.path().toUtf8());
    ASSERT_EQ(addin::registerLibrary(trivane::definition(), "/opt/murvel/addins/libtrivane.so"), 0);
    const registry::RegistryStore store;
    const QStringList hosts = {u"Word"_qs, u"Excel"_qs, u"PowerPoint"_qs, u"FrontPage"_qs};
    for (const QString &host : hosts) {
        const auto addIns = office::registeredAddIns(store, host);
        ASSERT_EQ(addIns.size(), 1) << host.toStdString();
        EXPECT_EQ(addIns[0].progId, u"Zontabar.Connect"_qs + host);
        EXPECT_EQ(addIns[0].friendlyName, u"八卦符號"_qs);
        EXPECT_FALSE(addIns[0].description.has_value());
        EXPECT_EQ(addIns[0].loadBehavior, 16);
        EXPECT_EQ(addIns[0].commandLineSafe, 0);
        EXPECT_EQ(addIns[0].libraryPath, u"/opt/murvel/addins/libtrivane.so"_qs);
    }

    ASSERT_EQ(addin::unregisterLibrary(trivane::definition()), 0);
    for (const QString &host : hosts)
        EXPECT_TRUE(office::registeredAddIns(registry::RegistryStore(), host).isEmpty());
}

} // namespace
