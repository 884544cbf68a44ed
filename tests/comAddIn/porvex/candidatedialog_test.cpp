#include "comAddIn/porvex/candidatedialog.h"
#include "comAddIn/porvex/lookupengine.h"
#include "platform/fonts/programfonts.h"
#include "platform/fonts/typefacetable.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace porvex;

namespace
{

Candidate candidate(const QString &code, int faceCode, const QString &faceName = {})
{
    Candidate c;
    c.glyph = {{}, code, faceName, faceCode};
    return c;
}

// Runs the action on the modal dialog once it shows, and records what it showed.
struct DialogDriver {
    explicit DialogDriver(std::function<void(CandidateDialog &)> onShown)
        : action(std::move(onShown))
    {
    }

    std::function<void(CandidateDialog &)> action;
    QStringList visibleButtons;
    QString label;

    void arm()
    {
        QTimer::singleShot(0, [this] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            ASSERT_EQ(dialog->objectName(), "frmConfirm");
            label = dialog->findChild<QLabel *>("Label")->text();
            for (int i = 1; i <= 8; ++i) {
                auto *button = dialog->findChild<QPushButton *>(QStringLiteral("cmb%1").arg(i));
                if (!button->isHidden())
                    visibleButtons << button->text();
            }
            action(static_cast<CandidateDialog &>(*dialog));
        });
    }
};

void click(CandidateDialog &dialog, const char *name)
{
    dialog.findChild<QPushButton *>(name)->click();
}

TEST(CandidateDialog, ShowsOneButtonPerCandidateInItsTypeface)
{
    // 標楷體外字集二 is drawn by a face file of its own in the program folder.
    QTemporaryDir programFolder;
    ASSERT_TRUE(QFile::copy(TEST_FACE_FILE, programFolder.filePath("標楷體外字集二.ttf")));
    fonts::registerProgramFonts(programFolder.path());

    CandidateDialog dialog;
    DialogDriver driver{[](CandidateDialog &shown) {
        EXPECT_EQ(shown.findChild<QPushButton *>("cmb1")->font().families().constFirst(),
                  TEST_FACE_FAMILY);
        EXPECT_EQ(shown.findChild<QPushButton *>("cmb2")->font().families(),
                  fonts::familiesFor("標楷體"));
        EXPECT_EQ(shown.findChild<QPushButton *>("cmdNone")->text(), "以上皆非");
        click(shown, "cmb2");
    }};
    driver.arm();
    const int choice = dialog.ShowCandidateForm(
        "魚\uF6A5羊", {candidate("\uE002", 2, "標楷體外字集二"), candidate("鮮", 0)});
    EXPECT_EQ(choice, 1);
    EXPECT_EQ(driver.label, "魚\uF6A5羊：");
    EXPECT_EQ(driver.visibleButtons, QStringList({"\uE002", "鮮"}));
}

TEST(CandidateDialog, ASingleCandidateStillAsksAndEightFillBothRows)
{
    CandidateDialog dialog;
    // However few the candidates, the dialog keeps its size: its title shows.
    QSize singleSize;
    QSize fullSize;
    DialogDriver single{[&singleSize](CandidateDialog &shown) {
        singleSize = shown.size();
        click(shown, "cmb1");
    }};
    single.arm();
    EXPECT_EQ(dialog.ShowCandidateForm("x", {candidate("鮮", 0)}), 0);
    EXPECT_EQ(single.visibleButtons.size(), 1);

    QList<Candidate> eight;
    for (int i = 0; i < 8; ++i)
        eight << candidate(QString(QChar(0xE030 + i)), 1, "標楷體外字集一");
    DialogDriver full{[&fullSize](CandidateDialog &shown) {
        fullSize = shown.size();
        const auto *first = shown.findChild<QPushButton *>("cmb1");
        const auto *fifth = shown.findChild<QPushButton *>("cmb5");
        const auto *fourth = shown.findChild<QPushButton *>("cmb4");
        EXPECT_GT(fifth->y(), first->y());
        EXPECT_EQ(fifth->x(), first->x());
        EXPECT_GT(fourth->x(), first->x());
        click(shown, "cmb8");
    }};
    full.arm();
    EXPECT_EQ(dialog.ShowCandidateForm("y", eight), 7);
    EXPECT_EQ(full.visibleButtons.size(), 8);
    EXPECT_EQ(singleSize, fullSize);
}

TEST(CandidateDialog, NoneOfTheseAndTheCloseBoxAreTheirOwnAnswers)
{
    CandidateDialog dialog;
    DialogDriver none{[](CandidateDialog &shown) { click(shown, "cmdNone"); }};
    none.arm();
    EXPECT_EQ(dialog.ShowCandidateForm("x", {candidate("鮮", 0)}), CandidatePicker::NoneOfThese);
    DialogDriver closed{[](CandidateDialog &shown) { shown.close(); }};
    closed.arm();
    EXPECT_EQ(dialog.ShowCandidateForm("x", {candidate("鮮", 0)}), CandidatePicker::NoChoice);
}

TEST(CandidateDialog, APickInTheDialogIsWhatTheLookupWrites)
{
    jet::Result<jet::Database> database =
        jet::Database::open(QStringLiteral(MURVEL_FIXTURE_DIR "/lookup/murvel.mdb"));
    ASSERT_TRUE(database);
    QTemporaryDir windows;
    LookupEngine engine;
    ASSERT_TRUE(engine.startRun(database.value(), windows.path()));
    DialogCandidatePicker picker;

    DialogDriver pick{[](CandidateDialog &shown) { click(shown, "cmb2"); }};
    pick.arm();
    const Lookup &found = engine.lookUp("魚\uF6A5羊", picker);
    EXPECT_EQ(pick.visibleButtons, QStringList({"鮮", "\uE002", "\uE003"}));
    EXPECT_EQ(found.writeFor("標楷體").text, "\uE002");
    EXPECT_EQ(found.writeFor("標楷體").face, "標楷體外字集二");

    DialogDriver reject{[](CandidateDialog &shown) { click(shown, "cmdNone"); }};
    reject.arm();
    engine.lookUp("羊\uF6A4魚", picker);
    EXPECT_EQ(engine.log().entries(), QStringList({"羊\uF6A4魚"}));
}

} // namespace
