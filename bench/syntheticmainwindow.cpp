#include "bench/syntheticmainwindow.h"

#include "synthetic/syntheticdatabases.h"
#include "vbprog/murvel/registerviews.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

namespace
{

struct StartedWindow {
    mdi漢字字形 *window = nullptr; // never deleted: a widget may not outlive the application
    QString problem;
};

StartedWindow startWindow()
{
    if (QString missing = SyntheticDatabasesMissing(); !missing.isEmpty())
        return {nullptr, missing};
    // The run leaves the user's registry and missing-character log alone.
    static const QTemporaryDir scratch;
    qputenv("MURVEL_REGISTRY_DIR", QFile::encodeName(scratch.filePath("registry")));
    qputenv("MURVEL_WINDOWS_DIR", QFile::encodeName(scratch.filePath("windows")));

    StartedWindow started{new mdi漢字字形(SyntheticFolder()), {}};
    started.window->setProblemReporter([&](const QString &text) { started.problem = text; });
    RegisterViews(started.window->childWindows());
    if (!started.window->startUp() && started.problem.isEmpty())
        started.problem = QStringLiteral("the main window did not start");
    started.window->setProblemReporter([](const QString &) {});
    QCoreApplication::processEvents(); // the restored windows are laid out and drawn
    return started;
}

} // namespace

mdi漢字字形 *SyntheticMainWindow(benchmark::State &state)
{
    static const StartedWindow started = startWindow();
    if (!started.problem.isEmpty()) {
        state.SkipWithError(started.problem.toUtf8().constData());
        return nullptr;
    }
    return started.window;
}

void LookUpGlyphNumber(mdi漢字字形 &window, qint32 number)
{
    QLineEdit *box = window.box(QStringLiteral("txt編號"));
    box->setText(QString::number(number));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &enter);
}
