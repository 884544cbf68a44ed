#include "vbprog/toolkit/controls.h"

#include <QLabel>
#include <QPushButton>

namespace toolkit
{

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text)
{
    return named(new QLabel(text, parent), name);
}

QPushButton *makeButton(QWidget *parent, const QString &name, const QString &text)
{
    return named(new QPushButton(text, parent), name);
}

} // namespace toolkit
