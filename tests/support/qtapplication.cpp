// The application object that a test program's widget and font tests share: one lives for
// the whole program. Built with REGISTER_PROGRAM_FONTS, it also registers the program
// folder's fonts (the operator font, face files) once it exists, as the program does at
// start-up; without it, every face shows its installed stand-in.

#include <QApplication>
#include <array>
#include <gtest/gtest.h>
#include <memory>

#ifdef REGISTER_PROGRAM_FONTS
#include "platform/fonts/programfonts.h"
#endif

namespace
{

class QtApplicationEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        m_app = std::make_unique<QApplication>(m_argc, m_argv.data());
#ifdef REGISTER_PROGRAM_FONTS
        fonts::registerProgramFonts(MURVEL_PROGRAM_DIR);
#endif
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "murvel_tests";
    std::array<char *, 2> m_argv{m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] const auto *const environment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace
