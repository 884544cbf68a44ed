#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

namespace toolkittest
{

// The text of the window's label, button or text box of that objectName; a failure of the
// running test when there is none.
inline QString controlText(const QWidget &window, const char *name)
{
    const QString objectName = QString::fromUtf8(name);
    if (auto *label = window.findChild<QLabel *>(objectName))
        return label->text();
    if (auto *button = window.findChild<QPushButton *>(objectName))
        return button->text();
    if (auto *box = window.findChild<QLineEdit *>(objectName))
        return box->text();
    ADD_FAILURE() << "no control " << name;
    return {};
}

} // namespace toolkittest
