#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace
{

// The list is a widget: one QApplication lives for the whole test program.
class ApplicationEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { m_app = std::make_unique<QApplication>(m_argc, m_argv); }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "views_test";
    char *m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] const ::testing::Environment *const environment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace
