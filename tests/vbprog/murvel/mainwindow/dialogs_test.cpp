#include "platform/vb/integers.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/dialogplacement.h"
#include "vbprog/murvel/mainwindow/frm字型.h"
#include "vbprog/murvel/mainwindow/frm版本.h"
#include "vbprog/murvel/mainwindow/frm簡易瀏覽.h"
#include "vbprog/murvel/mainwindow/frm預設瀏覽.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <gtest/gtest.h>
#include <map>

namespace
{

// A left click as the window system delivers it.
void sendMouse(QWidget *widget, QEvent::Type type, QPoint pos)
{
    const QPointF local(pos);
    QMouseEvent event(type, local, widget->mapToGlobal(local), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void click(QWidget *widget, std::optional<QPoint> at = std::nullopt)
{
    const QPoint pos = at.value_or(widget->rect().center());
    sendMouse(widget, QEvent::MouseButtonPress, pos);
    sendMouse(widget, QEvent::MouseButtonRelease, pos);
}

// A double-click's second press arrives as a double-click event.
void doubleClick(QWidget *widget)
{
    click(widget);
    sendMouse(widget, QEvent::MouseButtonDblClick, widget->rect().center());
    sendMouse(widget, QEvent::MouseButtonRelease, widget->rect().center());
}

// The members of a control array, by their "index".
template<typename Widget>
std::map<int, Widget *> controlArray(const QWidget &dialog, const QString &name)
{
    std::map<int, Widget *> members;
    for (Widget *widget : dialog.findChildren<Widget *>(name))
        members[widget->property("index").toInt()] = widget;
    return members;
}

template<typename Widget> Widget *child(const QWidget &dialog, const QString &name)
{
    auto *widget = dialog.findChild<Widget *>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

// Indexes of the pictures whose frame shows.
std::vector<int> framed(const QWidget &picker)
{
    std::vector<int> shown;
    for (const auto &[index, frame] : controlArray<QFrame>(picker, "shp預設瀏覽")) {
        if (!frame->isHidden())
            shown.push_back(index);
    }
    return shown;
}

// The miniature of picture `index` as it reads: columns from the left, "A over B" where
// one label stands above another.
QString miniature(const QWidget &picker, int index)
{
    std::map<int, std::map<int, QString>> columns; // x -> y -> caption
    for (QLabel *label : picker.findChildren<QLabel *>()) {
        if (label->objectName().startsWith("lbl") && label->property("index").toInt() == index)
            columns[label->x()][label->y()] = label->text();
    }
    QStringList described;
    for (const auto &[x, column] : columns) {
        QStringList stacked;
        for (const auto &[y, caption] : column)
            stacked << caption;
        described << stacked.join(" over ");
    }
    return described.join(", ");
}

class PresetPickerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gPresetLayoutNumber = -1;
        gPresetIsSimple = true;
        gPresetDialogOk = true;
    }

    int closings = 0;
    std::function<void()> countClosing = [this] { ++closings; };
};

TEST_F(PresetPickerTest, MiniaturesShowTheLayoutsColumns)
{
    frm簡易瀏覽 simple(countClosing);
    EXPECT_EQ(simple.windowTitle(), "預設開啟(基本)");
    EXPECT_EQ(miniature(simple, 0), "字形孳乳, 字形結構, 構字部件");
    EXPECT_EQ(miniature(simple, 1), "字形孳乳, 異體字表, 字形結構");
    EXPECT_EQ(miniature(simple, 2), "字形孳乳, 異體字表, 字形索引");
    EXPECT_EQ(miniature(simple, 3), "字形孳乳, 字形結構, 字形索引");

    frm預設瀏覽 advanced(countClosing);
    EXPECT_EQ(advanced.windowTitle(), "預設開啟(進階)");
    EXPECT_EQ(miniature(advanced, 0), "字形孳乳, 異體字表, 字形結構 over 字形演變");
    EXPECT_EQ(miniature(advanced, 1), "字形孳乳, 字形結構, 異體字表 over 字形演變");
    EXPECT_EQ(miniature(advanced, 2), "字形孳乳, 字形結構 over 異體字表, 字形索引 over 字形演變");
    EXPECT_EQ(miniature(advanced, 3), "字形孳乳, 字形結構 over 異體字表, 構字部件 over 異體字根");

    // The pictures form a 2 x 2 grid, 0 top left to 3 bottom right.
    const auto pictures = controlArray<QFrame>(advanced, "pic預設瀏覽");
    ASSERT_EQ(pictures.size(), 4u);
    EXPECT_LT(pictures.at(0)->x(), pictures.at(1)->x());
    EXPECT_EQ(pictures.at(0)->y(), pictures.at(1)->y());
    EXPECT_EQ(pictures.at(2)->x(), pictures.at(0)->x());
    EXPECT_LT(pictures.at(0)->y(), pictures.at(2)->y());
    EXPECT_EQ(pictures.at(3)->pos(), QPoint(pictures.at(1)->x(), pictures.at(2)->y()));
    EXPECT_EQ(child<QPushButton>(advanced, "OKButton")->text(), "確定");
    EXPECT_EQ(child<QPushButton>(advanced, "CancelButton")->text(), "取消");
}

TEST_F(PresetPickerTest, OpensWithTheFrameOfTheChosenLayoutOfItsOwnFamily)
{
    gPresetLayoutNumber = 3;
    frm簡易瀏覽 simple(countClosing);
    EXPECT_EQ(framed(simple), std::vector<int>{2});
    EXPECT_FALSE(gPresetDialogOk);

    frm預設瀏覽 advanced(countClosing);
    EXPECT_TRUE(framed(advanced).empty());
}

TEST_F(PresetPickerTest, ClickingAPictureOrALabelMovesTheFrameAndOkRecordsIt)
{
    frm預設瀏覽 advanced(countClosing);
    click(controlArray<QLabel>(advanced, "lbl異體字根").at(3));
    EXPECT_EQ(framed(advanced), std::vector<int>{3});
    click(controlArray<QFrame>(advanced, "pic預設瀏覽").at(1));
    EXPECT_EQ(framed(advanced), std::vector<int>{1});
    doubleClick(controlArray<QLabel>(advanced, "lbl字形孳乳").at(2));
    EXPECT_EQ(framed(advanced), std::vector<int>{2});
    EXPECT_EQ(closings, 0); // a double-click only selects

    click(child<QPushButton>(advanced, "OKButton"));
    EXPECT_EQ(gPresetLayoutNumber, 3);
    EXPECT_FALSE(gPresetIsSimple);
    EXPECT_TRUE(gPresetDialogOk);
    EXPECT_EQ(advanced.result(), QDialog::Accepted);
    EXPECT_EQ(closings, 1);
}

TEST_F(PresetPickerTest, OkWithoutAFrameKeepsTheNumberButTakesTheFamily)
{
    gPresetLayoutNumber = 2;
    gPresetIsSimple = false;
    frm簡易瀏覽 simple(countClosing);
    click(child<QPushButton>(simple, "OKButton"));

    EXPECT_EQ(gPresetLayoutNumber, 2);
    EXPECT_TRUE(gPresetIsSimple);
    EXPECT_TRUE(gPresetDialogOk);
}

TEST_F(PresetPickerTest, CancelAfterAClickChangesNothing)
{
    gPresetLayoutNumber = 1;
    frm簡易瀏覽 simple(countClosing);
    click(controlArray<QLabel>(simple, "lbl字形索引").at(3));
    click(child<QPushButton>(simple, "CancelButton"));

    EXPECT_EQ(gPresetLayoutNumber, 1);
    EXPECT_TRUE(gPresetIsSimple);
    EXPECT_FALSE(gPresetDialogOk);
    EXPECT_EQ(closings, 1);
}

TEST(FontDialogChoice, AcceptsOnlyTheTwoBaseTypefacesWhenTheyChange)
{
    EXPECT_EQ(ReadFontDialogChoice("細明體", "18", "標楷體", 18).typeface, "細明體");
    EXPECT_EQ(ReadFontDialogChoice("標楷體", "18", "標楷體", 18).typeface, std::nullopt);
    EXPECT_EQ(ReadFontDialogChoice("新細明體", "18", "標楷體", 18).typeface, std::nullopt);
    EXPECT_EQ(ReadFontDialogChoice("細明體 ", "18", "標楷體", 18).typeface, std::nullopt);
}

TEST(FontDialogChoice, ReadsRoundsAndClampsAChangedSize)
{
    const std::map<QString, QString> sizes{
        {"8", "10"},      {"100", "72"}, {"99999", "72"}, {"1e400", "72"},
        {"abc", "10"},    {"", "10"},    {"12.5", "12"},  {"13.5", "14"},
        {" 2 4pt", "24"}, {"-30", "10"}, {"72", "72"},
    };
    for (const auto &[text, size] : sizes)
        EXPECT_EQ(ReadFontDialogChoice("標楷體", text, "標楷體", 18).size, size)
            << text.toStdString();
}

TEST(FontDialogChoice, AnUnchangedSizeWritesNothingEvenOutsideTheRange)
{
    EXPECT_EQ(ReadFontDialogChoice("標楷體", "18", "標楷體", 18).size, std::nullopt);
    EXPECT_EQ(ReadFontDialogChoice("標楷體", "17.5", "標楷體", 18).size, std::nullopt);
    EXPECT_EQ(ReadFontDialogChoice("標楷體", "100", "標楷體", 100).size, std::nullopt);
}

class FontDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        gBaseFontName = "細明體";
        gFontSize = 12;
    }
};

QString selectedText(const QListWidget *list)
{
    const auto selected = list->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

TEST_F(FontDialogTest, OpensOnTheCurrentTypefaceAndSize)
{
    frm字型 dialog;
    EXPECT_EQ(dialog.windowTitle(), "字型");
    EXPECT_EQ(child<QLineEdit>(dialog, "txt楷書")->text(), "細明體");
    EXPECT_EQ(child<QLineEdit>(dialog, "txtFontsize")->selectedText(), "12");
    const auto *typefaces = child<QListWidget>(dialog, "lst楷書");
    EXPECT_EQ(selectedText(typefaces), "細明體");
    // Each typeface item is drawn in its own typeface.
    EXPECT_NE(typefaces->item(0)->font().family(), typefaces->item(1)->font().family());
    EXPECT_EQ(selectedText(child<QListWidget>(dialog, "lstFontsize")), "12");
    EXPECT_EQ(child<QListWidget>(dialog, "lstFontsize")->count(), 21);
    EXPECT_EQ(child<QLineEdit>(dialog, "txt小篆")->text(), "北師大說文小篆");
    EXPECT_EQ(child<QLineEdit>(dialog, "txt金文")->text(), "Ombrel金文");
    EXPECT_EQ(child<QLineEdit>(dialog, "Text1")->text(), "Ombrel甲骨文");
}

TEST_F(FontDialogTest, ASizeWithoutAnItemKeepsItsNumberAndSelectsNothing)
{
    gFontSize = 11;
    frm字型 dialog;
    EXPECT_EQ(child<QLineEdit>(dialog, "txtFontsize")->text(), "11");
    EXPECT_TRUE(child<QListWidget>(dialog, "lstFontsize")->selectedItems().isEmpty());
}

TEST_F(FontDialogTest, OkReturnsWhatTheBoxesHoldAfterAListClick)
{
    frm字型 dialog;
    auto *sizes = child<QListWidget>(dialog, "lstFontsize");
    const QListWidgetItem *item24 = sizes->findItems("24", Qt::MatchExactly).first();
    click(sizes->viewport(), sizes->visualItemRect(item24).center());
    EXPECT_EQ(child<QLineEdit>(dialog, "txtFontsize")->text(), "24");
    child<QLineEdit>(dialog, "txt楷書")->setText("標楷體");

    click(child<QPushButton>(dialog, "OKButton"));
    EXPECT_EQ(dialog.choice().typeface, "標楷體");
    EXPECT_EQ(dialog.choice().size, "24");
}

TEST_F(FontDialogTest, CancelReturnsNothing)
{
    frm字型 dialog;
    child<QLineEdit>(dialog, "txt楷書")->setText("標楷體");
    child<QLineEdit>(dialog, "txtFontsize")->setText("30");
    click(child<QPushButton>(dialog, "CancelButton"));
    EXPECT_EQ(dialog.choice().typeface, std::nullopt);
    EXPECT_EQ(dialog.choice().size, std::nullopt);
}

TEST(DialogPlacement, PickersStandCentredAcrossAndAboveTheMiddleOfTheScreen)
{
    EXPECT_EQ(CentredAboveMiddle(QSize(28800, 16200), QSize(6000, 4000)), QPoint(11400, 4885));
    // Odd sizes: the halves drop their fraction.
    EXPECT_EQ(CentredAboveMiddle(QSize(1001, 1000), QSize(301, 201)), QPoint(350, 325));
}

TEST(DialogPlacement, TheAboutBoxStandsOverTheMainWindowBelowItsBars)
{
    EXPECT_EQ(CentredOverMainWindow(QRectF(0, 0, 12000, 9000), 400 + 1200, QSizeF(6000, 4000)),
              QPointF(3000, 4100));
    EXPECT_EQ(CentredOverMainWindow(QRectF(150, 300, 12001, 9000), 0, QSizeF(6000, 4000)),
              QPointF(3150.5, 2800));
}

TEST(AboutBox, ShowsItsTextsAndTheProgramVersion)
{
    QCoreApplication::setApplicationVersion("3.1.4");
    QWidget mainWindow;
    int closings = 0;
    frm版本 box(mainWindow, 0, [&] { ++closings; });

    EXPECT_EQ(box.windowTitle(), "關於Tesvani");
    EXPECT_EQ(child<QPushButton>(box, "cmd確定")->text(), "確　定");
    EXPECT_TRUE(child<QLabel>(box, "lbl版本_1")->text().contains("3.1.4"));
    for (int i = 2; i <= 6; ++i)
        EXPECT_FALSE(child<QLabel>(box, QString("lbl版本_%1").arg(i))->text().isEmpty()) << i;
    EXPECT_FALSE(child<QLabel>(box, "img版本")->pixmap().isNull());
    EXPECT_NE(child<QFrame>(box, "Line1"), nullptr);

    click(child<QPushButton>(box, "cmd確定"));
    EXPECT_EQ(closings, 1);
}

TEST(AboutBox, OpensCentredOverTheMainWindowBelowTheBars)
{
    QWidget mainWindow;
    mainWindow.setGeometry(100, 50, 800, 600);
    frm版本 box(mainWindow, 70, [] {});

    // Whole twips per pixel: the place is the twips arithmetic, rounded once to pixels.
    ASSERT_EQ(box.screen()->logicalDotsPerInchY(), 96);
    const QRect frame = mainWindow.frameGeometry();
    const auto half = [](int pixels) { return static_cast<int>(vb::RoundHalfEven(pixels / 2.0)); };
    EXPECT_EQ(box.pos(), QPoint(frame.left() + half(frame.width() - box.width()),
                                frame.top() + half(frame.height() - box.height()) + 70));
}

} // namespace
