#include "vbprog/murvel/core/glyphpanel.h"
#include "vbprog/murvel/mainwindow/glyphpanelwidget.h"

#include <QLabel>
#include <QLineEdit>
#include <QStringList>
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
