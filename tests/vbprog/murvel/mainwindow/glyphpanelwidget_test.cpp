#include "vbprog/murvel/core/glyphpanel.h"
#include "vbprog/murvel/mainwindow/glyphpanelwidget.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

TEST(GlyphPanelWidget, HasACaptionedBoxForEachBoxOfTheModelAndTheStatusBox)
{
    GlyphPanelWidget widget;
    EXPECT_EQ(widget.objectName(), "pic字形屬性");
    QStringList captions;
    for (const QLabel *label : widget.findChildren<QLabel *>())
        captions << label->text();
    for (const GlyphPanel::Box &box : GlyphPanel::Boxes) {
        ASSERT_NE(widget.findChild<QLineEdit *>(box.name), nullptr) << box.name.toStdString();
        EXPECT_EQ(widget.box(box.name), widget.findChild<QLineEdit *>(box.name));
        EXPECT_TRUE(widget.isBox(widget.box(box.name)));
        EXPECT_TRUE(captions.contains(box.caption)) << box.caption.toStdString();
    }
    EXPECT_EQ(widget.box("txt狀態"), nullptr);
    EXPECT_FALSE(widget.isBox(widget.statusBox()));
    EXPECT_TRUE(widget.statusBox()->isReadOnly());
}

TEST(GlyphPanelWidget, FillingChangesOnlyTheBoxesWhoseTextDiffersAndReadingTakesThemBack)
{
    GlyphPanelWidget widget;
    widget.box("txt字形")->setText("明");
    int glyphChanges = 0;
    int formulaChanges = 0;
    QObject::connect(widget.box("txt字形"), &QLineEdit::textChanged, [&] { ++glyphChanges; });
    QObject::connect(widget.box("txt構字式"), &QLineEdit::textChanged, [&] { ++formulaChanges; });

    GlyphPanel panel;
    panel.setText("txt字形", "明");
    panel.setText("txt構字式", "日月");
    panel.setText("txt冊數", "2-1509-03");
    widget.fill(panel);
    EXPECT_EQ(glyphChanges, 0);
    EXPECT_EQ(formulaChanges, 1);
    EXPECT_EQ(widget.box("txt冊數")->text(), "2-1509-03");

    widget.box("txt編號")->setText("42");
    GlyphPanel read;
    widget.read(read);
    EXPECT_EQ(read.text("txt編號"), "42");
    EXPECT_EQ(read.text("txt構字式"), "日月");
}

// Counts the paint events of one widget.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

// A long search shows its progress at every record but lets events run only now and then,
// mostly with the text already shown: such a set must change nothing, neither the drawing
// nor what the user selected in the box meanwhile.
TEST(GlyphPanelWidget, StatusTextIsSetAndDrawnOnlyWhenItChanges)
{
    GlyphPanelWidget widget;
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QLineEdit *status = widget.statusBox();
    const QString progress = QStringLiteral("字形載入已完成 5 % , 欲中斷請按 Esc 鍵");
    widget.showStatus(progress);
    QCoreApplication::processEvents(); // the window is activated and drawn
    status->setSelection(0, 7);
    QCoreApplication::processEvents();
    PaintCounter paints(status);
    QSignalSpy selectionChanges(status, &QLineEdit::selectionChanged);

    for (int yield = 0; yield < 20; ++yield) {
        for (int record = 0; record < 50; ++record)
            widget.showStatus(progress);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(paints.count, 0);
    EXPECT_EQ(selectionChanges.count(), 0);
    EXPECT_EQ(status->selectedText(), QStringLiteral("字形載入已完成"));

    const QString next = QStringLiteral("字形載入已完成 6 % , 欲中斷請按 Esc 鍵");
    widget.showStatus(next);
    QCoreApplication::processEvents();
    EXPECT_EQ(status->text(), next);
    EXPECT_GT(paints.count, 0);
    widget.showStatus(QString());
    EXPECT_TRUE(status->text().isEmpty());
}

TEST(GlyphPanelModel, FocusCodesFollowTheBoxOrder)
{
    EXPECT_EQ(GlyphPanel::focusCodeOf("txt編號"), 1);
    EXPECT_EQ(GlyphPanel::focusCodeOf("txt構字式"), 10);
    EXPECT_EQ(GlyphPanel::focusCodeOf("txt組字字數含異寫"), 13);
    EXPECT_EQ(GlyphPanel::focusCodeOf("txt狀態"), 0);
    for (int code = 1; code <= GlyphPanel::BoxCount; ++code)
        EXPECT_EQ(GlyphPanel::focusCodeOf(GlyphPanel::boxOfFocusCode(code)), code);
    EXPECT_TRUE(GlyphPanel::boxOfFocusCode(0).isEmpty());
    EXPECT_TRUE(GlyphPanel::boxOfFocusCode(14).isEmpty());
}

} // namespace
