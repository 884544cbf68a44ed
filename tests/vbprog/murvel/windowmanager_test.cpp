// The program itself on a real X server with a real window manager: placement that only a
// window manager shows (frames, title bars, a maximise granted later than asked) over
// several sessions. Each test run has its own server on a free display and its own program
// folder, and ends every process it started.

#include "platform/profile/profilefile.h"
#include "tests/support/childprocess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRect>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

// Found by GoogleTest's printer through argument-dependent lookup.
void PrintTo(const QRect &rect, std::ostream *out)
{
    *out << "{left " << rect.left() << ", top " << rect.top() << ", width " << rect.width()
         << ", height " << rect.height() << "}";
}

namespace
{

constexpr int ScreenWidth = 1600;
constexpr int ScreenHeight = 1000;
constexpr int StartTimeoutMs = 60000; // a sanitized build starts slowly on a busy machine
constexpr int CommandTimeoutMs = 10000;

// Runs a command to its end; its standard output, or nullopt when it failed or timed out.
std::optional<QString> run(const QString &program, const QStringList &arguments,
                           const QProcessEnvironment &environment, int timeoutMs = CommandTimeoutMs)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// Ends a started process: politely, then by force.
void stop(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
    }
}

// An X server with openbox, on a display the server picks itself. Both may take long to come
// up while the rest of the suite keeps every processor busy.
class Desktop
{
public:
    // Starts both, once more when the first try fails (a busy machine can lose a start);
    // failure() then says which step failed.
    bool start() { return startOnce() || (stopBoth(), startOnce()); }

    const QString &failure() const { return m_failure; }

    ~Desktop() { stopBoth(); }

    const QProcessEnvironment &environment() const { return m_environment; }

private:
    bool startOnce()
    {
        testsupport::endWithTest(m_server);
        testsupport::endWithTest(m_windowManager);
        m_server.setProcessChannelMode(QProcess::SeparateChannels);
        m_server.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0",
                                QString("%1x%2x24").arg(ScreenWidth).arg(ScreenHeight)});
        if (!m_server.waitForStarted(CommandTimeoutMs))
            return failed("Xvfb did not start");
        QByteArray display;
        if (!QTest::qWaitFor(
                [&] {
                    m_server.waitForReadyRead(100);
                    display += m_server.readAllStandardOutput();
                    return display.contains('\n') || m_server.state() == QProcess::NotRunning;
                },
                StartTimeoutMs) ||
            !display.contains('\n'))
            return failed("Xvfb named no display: " + m_server.readAllStandardError());
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert("DISPLAY", ":" + QString::fromLatin1(display.trimmed()));
        m_environment.remove("QT_QPA_PLATFORM");

        m_windowManager.setProcessEnvironment(m_environment);
        m_windowManager.start("openbox", {});
        // The window manager is ready once it has announced itself on the root window.
        if (!m_windowManager.waitForStarted(CommandTimeoutMs))
            return failed("openbox did not start");
        return QTest::qWaitFor(
                   [&] {
                       const auto check =
                           run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}, m_environment);
                       return check && check->contains("window id");
                   },
                   StartTimeoutMs) ||
               failed("openbox did not take the display " + display.trimmed() + ": " +
                      m_windowManager.readAllStandardError());
    }

    bool failed(const QString &why)
    {
        m_failure = why;
        return false;
    }

    void stopBoth()
    {
        stop(m_windowManager);
        stop(m_server);
    }

    QProcess m_server;
    QProcess m_windowManager;
    QProcessEnvironment m_environment;
    QString m_failure;
};

class WindowManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        const QDir program(MURVEL_PROGRAM_DIR);
        for (const QString &name :
             program.entryList({"murvel", "*.mdb", "*.ttf", "murvel.html"}, QDir::Files)) {
            const QString from = program.filePath(name);
            const QString to = folder.filePath(name);
            // A hard link where it can be made: the program is large.
            const bool linked =
                ::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
            ASSERT_TRUE(linked || QFile::copy(from, to)) << name.toStdString();
        }
        ASSERT_TRUE(QFile::exists(folder.filePath("murvel")));
        ASSERT_TRUE(desktop.start()) << desktop.failure().toStdString();

        // A sanitized program reports what the X platform's D-Bus library keeps at exit.
        QFile suppressions(folder.filePath("leaks.supp"));
        ASSERT_TRUE(suppressions.open(QIODevice::WriteOnly));
        suppressions.write("leak:libdbus-1.so\n");
        environment = desktop.environment();
        environment.insert("LSAN_OPTIONS", "suppressions=" + suppressions.fileName());
    }

    // Starts the program, waits until its main window is up and its start-up done, and
    // closes it as a user does with the close button of its title bar. The window manager
    // is asked to close that window itself, so no request goes to another window that has
    // the focus; it is asked again while the program runs, since a busy machine may be slow
    // to act on it.
    void runOneSession()
    {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        testsupport::endWithTest(program);
        program.start(folder.filePath("murvel"), {});
        ASSERT_TRUE(program.waitForStarted(CommandTimeoutMs));
        std::optional<QString> window;
        const bool shown = QTest::qWaitFor(
            [&] {
                window = run("xdotool",
                             {"search", "--onlyvisible", "--pid",
                              QString::number(program.processId()), "--name", "^漢字字形$"},
                             desktop.environment());
                return (window && !window->isEmpty()) || program.state() == QProcess::NotRunning;
            },
            StartTimeoutMs);
        if (!shown || !window || window->isEmpty()) {
            stop(program);
            FAIL() << "the main window did not appear";
        }
        // Start-up ends with the first run's layout or the restored windows: wait until the
        // program's windows have kept their places for a while before closing it.
        EXPECT_TRUE(waitUntilWindowsSettle(program.processId())) << "the windows kept moving";
        const QString id = window->section('\n', 0, 0);
        const bool ended = QTest::qWaitFor(
            [&] {
                run("wmctrl", {"-i", "-c", id}, desktop.environment());
                return program.waitForFinished(CommandTimeoutMs);
            },
            StartTimeoutMs);
        if (!ended)
            stop(program);
        ASSERT_TRUE(ended) << "the program did not close";
        EXPECT_EQ(program.exitCode(), 0);
    }

    // The places of the program's visible windows, as the window manager gives them.
    QString windowPlaces(qint64 processId) const
    {
        const auto ids =
            run("xdotool",
                {"search", "--onlyvisible", "--pid", QString::number(processId), "--name", "."},
                desktop.environment());
        QString places;
        for (const QString &id : ids.value_or(QString()).split('\n', Qt::SkipEmptyParts))
            places += run("xdotool", {"getwindowgeometry", id}, desktop.environment())
                          .value_or(QString()) +
                      '\n';
        return places;
    }

    bool waitUntilWindowsSettle(qint64 processId) const
    {
        constexpr int SettledMs = 1500;
        QString places = windowPlaces(processId);
        QElapsedTimer unchanged;
        unchanged.start();
        return QTest::qWaitFor(
            [&] {
                const QString now = windowPlaces(processId);
                if (now != places) {
                    places = now;
                    unchanged.restart();
                }
                return unchanged.elapsed() >= SettledMs;
            },
            StartTimeoutMs);
    }

    QRect saved(const QString &section) const
    {
        profile::ProfileFile ini(folder.filePath("murvel.ini"));
        EXPECT_TRUE(ini.load());
        const auto number = [&](const char *key) {
            return ini.intValue(section, QString::fromLatin1(key), -1);
        };
        return {number("left"), number("top"), number("width"), number("height")};
    }

    QTemporaryDir folder;
    Desktop desktop;
    QProcessEnvironment environment; // the program's
};

TEST_F(WindowManagerTest, TheFirstRunsLayoutFillsTheMaximisedWindow)
{
    runOneSession();

    // Saved at the end of the first run: the maximised window and the layout's columns.
    const QRect main = saved("Window");
    const QRect derivation = saved("字形孳乳");
    const QRect rightmost = saved("字形結構");
    EXPECT_GT(main.width(), ScreenWidth * 15 * 9 / 10); // 15 twips a pixel at 96 dpi
    EXPECT_EQ(derivation.left(), 0);
    EXPECT_GT(rightmost.right(), main.width() * 95 / 100);
    EXPECT_GT(derivation.height(), main.height() * 6 / 10);
}

TEST_F(WindowManagerTest, ASavedPlaceStaysOverSessions)
{
    const QRect place(1500, 1500, 12000, 9000);
    QFile ini(folder.filePath("murvel.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QString("[Start]\nfirst=2\n[Window]\nleft=%1\ntop=%2\nwidth=%3\nheight=%4\n"
                      "[Font]\nfontname=標楷體\nfontsize=18\n[選項]\nsave=1\n")
                  .arg(place.left())
                  .arg(place.top())
                  .arg(place.width())
                  .arg(place.height())
                  .toUtf8());
    ini.close();

    for (int session = 1; session <= 3; ++session) {
        SCOPED_TRACE(session);
        runOneSession();
        EXPECT_EQ(saved("Window"), place);
    }
}

} // namespace
