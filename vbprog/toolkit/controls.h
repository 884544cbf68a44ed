#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// The controls of the tools' windows, each made with the objectName that its tests find it by.
namespace toolkit
{

// Gives the widget its objectName and returns it.
template<typename Widget> Widget *named(Widget *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text);
QPushButton *makeButton(QWidget *parent, const QString &name, const QString &text);

} // namespace toolkit
