#include "platform/registry/registrystore.h"
#include "tests/support/printqstring.h"
#include "vbprog/murvel/core/mainprogrampath.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mainprogram;
using registry::RegistryStore;
using registry::Root;

namespace
{

class MainProgramPathTest : public ::testing::Test
{
protected:
    void store(const QString &path)
    {
        ASSERT_TRUE(m_store.setValue(Root::LocalMachine, kAppPathsKey, QString(), path))
            << m_store.errorString().toStdString();
    }

    QTemporaryDir m_dir;
    RegistryStore m_store{m_dir.path()};
};

TEST_F(MainProgramPathTest, NoEntryGivesNoPathAndNoFolder)
{
    EXPECT_TRUE(MainProgramPath(m_store).isEmpty());
    EXPECT_TRUE(GetMainProgramDir(m_store).isEmpty());
    EXPECT_TRUE(GetMainProgramDirWithoutSeparator(m_store).isEmpty());
}

TEST_F(MainProgramPathTest, StoredWindowsPathGivesItsThreeForms)
{
    store(u"C:\\Tools\\murvel.exe"_qs);
    EXPECT_EQ(MainProgramPath(m_store), u"C:\\Tools\\murvel.exe"_qs);
    EXPECT_EQ(GetMainProgramDir(m_store), u"C:\\Tools\\"_qs);
    EXPECT_EQ(GetMainProgramDir(m_store) + u"murvel.mdb"_qs, u"C:\\Tools\\murvel.mdb"_qs);
    EXPECT_EQ(GetMainProgramDirWithoutSeparator(m_store), u"C:\\Tools"_qs);
}

TEST_F(MainProgramPathTest, BuildTreeExecutableGivesItsFolder)
{
    store(u"/home/user/murvel/build/bin/murvel"_qs);
    EXPECT_EQ(GetMainProgramDir(m_store), u"/home/user/murvel/build/bin/"_qs);
    EXPECT_EQ(GetMainProgramDirWithoutSeparator(m_store), u"/home/user/murvel/build/bin"_qs);
}

TEST_F(MainProgramPathTest, TheFileNameIsCountedNotSearchedFor)
{
    store(u"/opt/tools/abcdef.exe"_qs);
    EXPECT_EQ(GetMainProgramDir(m_store), u"/opt/tools/"_qs);
}

TEST_F(MainProgramPathTest, ValueNoLongerThanTheFileNameGivesNoFolder)
{
    for (const QString &value : {u"murvel.exe"_qs, u"vel.exe"_qs, u"x"_qs}) {
        store(value);
        EXPECT_TRUE(GetMainProgramDir(m_store).isEmpty()) << value.toStdString();
        EXPECT_TRUE(GetMainProgramDirWithoutSeparator(m_store).isEmpty()) << value.toStdString();
    }
}

TEST_F(MainProgramPathTest, TextEndsAtTheFirstNul)
{
    store(u"C:\\Tools\\murvel.exe"_qs + QChar(u'\0') + u"garbage"_qs);
    EXPECT_EQ(MainProgramPath(m_store), u"C:\\Tools\\murvel.exe"_qs);
    EXPECT_EQ(GetMainProgramDir(m_store), u"C:\\Tools\\"_qs);
}

TEST_F(MainProgramPathTest, EveryCallReadsTheEntryAfresh)
{
    store(u"/a/murvel"_qs);
    EXPECT_EQ(GetMainProgramDir(m_store), u"/a/"_qs);
    RegistryStore other(m_dir.path());
    ASSERT_TRUE(other.setValue(Root::LocalMachine, kAppPathsKey, QString(), u"/b/murvel"_qs));
    EXPECT_EQ(GetMainProgramDir(m_store), u"/b/"_qs);
}

} // namespace
