#include "platform/system/waitcursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <stdexcept>

namespace
{

class WaitCursorTest : public ::testing::Test
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
    char m_name[16] = "waitcursor_test";
    char *m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_app;
};

} // namespace

TEST_F(WaitCursorTest, ShowsTheWaitPointerForItsScope)
{
    {
        const sys::WaitCursor wait;
        EXPECT_EQ(overrideShape(), Qt::WaitCursor);
    }
    EXPECT_EQ(overrideShape(), std::nullopt);
}

TEST_F(WaitCursorTest, NestedGuardsRestoreTheEarlierPointer)
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
    {
        const sys::WaitCursor outer;
        {
            const sys::WaitCursor inner;
            EXPECT_EQ(overrideShape(), Qt::WaitCursor);
        }
        EXPECT_EQ(overrideShape(), Qt::WaitCursor);
    }
    EXPECT_EQ(overrideShape(), Qt::CrossCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(overrideShape(), std::nullopt);
}

TEST_F(WaitCursorTest, RestoresWhenAnExceptionUnwinds)
{
    const auto failingLoad = [] {
        const sys::WaitCursor wait;
        throw std::runtime_error("load failed");
    };
    EXPECT_THROW(failingLoad(), std::runtime_error);
    EXPECT_EQ(overrideShape(), std::nullopt);
}
