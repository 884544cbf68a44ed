// The application object that the batch tools' window tests share.

#include <QApplication>
#include <array>
#include <gtest/gtest.h>
#include <memory>

namespace
{

class QtEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { m_app = std::make_unique<QApplication>(m_argc, m_argv.data()); }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "toolkit_tests";
    std::array<char *, 2> m_argv{m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] const auto *const environment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
