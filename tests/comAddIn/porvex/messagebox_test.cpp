#include "comAddIn/porvex/messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace
{

TEST(AddInMessageBox, ShowsItsTextWithTheOneButtonInTheInterfacesLanguage)
{
    QString shownTitle;
    QString shownText;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shownTitle = box->windowTitle();
        shownText = box->text();
        for (QAbstractButton *button : box->buttons())
            buttons << button->text();
        box->defaultButton()->click();
    });
    porvex::showMessageBox({.title = u"構字式轉成字形"_qs, .text = u"轉換完畢"_qs});
    EXPECT_EQ(shownTitle, u"構字式轉成字形"_qs);
    EXPECT_EQ(shownText, u"轉換完畢"_qs);
    EXPECT_EQ(buttons, QStringList{u"確定"_qs});
}

} // namespace
