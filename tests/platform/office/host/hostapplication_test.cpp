#include "platform/office/host/hostapplication.h"

#include <QCursor>
#include <QGuiApplication>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace
{

class TestHost : public office::HostApplication
{
public:
    QString name() const override { return QStringLiteral("Microsoft Word"); }

protected:
    platform::Result<bool> typeIntoActiveDocument(const QString &) override
    {
        return noDocumentOpen();
    }
};

class HostApplicationTest : public ::testing::Test
{
protected:
    void SetUp() override { m_app = std::make_unique<QGuiApplication>(m_argc, m_argv); }
    void TearDown() override { m_app.reset(); }

    static std::optional<Qt::CursorShape> overrideShape()
    {
        const QCursor *cursor = QGuiApplication::overrideCursor();
        return cursor != nullptr ? std::optional(cursor->shape()) : std::nullopt;
    }

private:
    int m_argc = 1;
    char m_name[16] = "host_test";
    char *m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_app;
};

} // namespace

TEST_F(HostApplicationTest, WaitPointerIsSetOnceAndRestoredOnce)
{
    {
        TestHost host;
        host.setCursor(office::HostApplication::Cursor::Wait);
        // A second run that sets the wait shape again must not stack a second pointer.
        host.setCursor(office::HostApplication::Cursor::Wait);
        EXPECT_EQ(host.cursor(), office::HostApplication::Cursor::Wait);
        EXPECT_EQ(overrideShape(), Qt::WaitCursor);
        host.setCursor(office::HostApplication::Cursor::Normal);
        EXPECT_EQ(overrideShape(), std::nullopt);
        host.setCursor(office::HostApplication::Cursor::Wait);
    }
    // A host that goes while showing the wait shape takes it with it.
    EXPECT_EQ(overrideShape(), std::nullopt);
}

TEST_F(HostApplicationTest, StatusAndScreenStartShownAndKeepWhatIsSet)
{
    TestHost host;
    EXPECT_TRUE(host.screenUpdating());
    EXPECT_TRUE(host.statusBar().isEmpty());
    host.setScreenUpdating(false);
    host.setStatusBar(QStringLiteral("構字式轉換中..."));
    EXPECT_FALSE(host.screenUpdating());
    EXPECT_EQ(host.statusBar(), QStringLiteral("構字式轉換中..."));
}
