// A list view against a stand-in for the main window: no start-up, no databases.

#include "vbprog/murvel/mainwindow/mainwindowservices.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/views/glyphlistwindow.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace
{

class FakeMainWindow : public MainWindowServices
{
public:
    FakeMainWindow() { SetServices(this); }
    ~FakeMainWindow() override { SetServices(nullptr); }

    void setStatusText(const QString &text) override { status = text; }
    bool isMenuChecked(const QString &) const override { return false; }
    void enableMenuItem(const QString &item) override { enabled << item; }
    QString glyphBoxText() const override { return {}; }
    QString showGlyphOnPanel(const QString &, const QString &, qint32) override { return {}; }
    void broadcastGlyph(const QString &, const QString &, qint32, const QList<int> &) override {}
    int strokeFilterIndex() const override { return 0; }
    int firstStrokeFilterIndex() const override { return 0; }
    QString firstStrokeText(int) const override { return {}; }
    void childWindowActivated(int, int, int) override {}
    void childWindowClosed() override {}

    QString status;
    QStringList enabled;
};

TEST(ViewAgainstTheMainWindowServices, ActivationShowsTheStatusAndUnloadFreesTheMenuItem)
{
    FakeMainWindow main;
    QString message = QStringLiteral("3 個字根");
    bool open = true;
    GlyphListTraits traits = ViewTraits(WindowKinds::Structure, {.statusMessage = &message});
    traits.openFlag = &open;
    GlyphListWindow view(traits);

    view.activated();
    EXPECT_EQ(main.status, message);

    view.unload();
    EXPECT_FALSE(open);
    EXPECT_EQ(main.enabled, QStringList{"mnu_字形結構"});
}

TEST(ViewAgainstTheMainWindowServices, AViewWithoutAStatusMessageLeavesTheStatusBoxAlone)
{
    FakeMainWindow main;
    main.status = QStringLiteral("12 個字根");
    GlyphListWindow view(ViewTraits(WindowKinds::Structure, {.reselectsOnActivate = true}));

    view.activated();
    EXPECT_EQ(main.status, "12 個字根");
}

TEST(ViewAgainstTheMainWindowServices, ViewTraitsComeFromTheWindowKindTable)
{
    const GlyphListTraits derivation = ViewTraits(WindowKinds::Derivation, {});
    EXPECT_EQ(derivation.title, "部件檢字");
    EXPECT_EQ(derivation.menuItem, "mnu_字形孳乳");
    EXPECT_EQ(derivation.openFlag, &gOpen字形孳乳);
    const GlyphListTraits evolution = ViewTraits(WindowKinds::Evolution, {});
    EXPECT_EQ(evolution.title, "字形演變");
    EXPECT_EQ(evolution.openFlag, &gOpen字形演變);
    EXPECT_TRUE(WindowKindInfoOf(WindowKinds::Evolution).name.isEmpty());
    EXPECT_EQ(WindowSectionOfKind(WindowKinds::Evolution), "字形演變");
}

} // namespace
