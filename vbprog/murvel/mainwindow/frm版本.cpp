#include "vbprog/murvel/mainwindow/frm版本.h"

#include "platform/fonts/typefacetable.h"
#include "vbprog/murvel/mainwindow/dialogplacement.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

// The emblem: the character 字 on a tile.
QPixmap emblem()
{
    constexpr int side = 72;
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor("#8c2d19"));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(pixmap.rect(), 10, 10);
    painter.setPen(Qt::white);
    QFont font = fonts::fontFor("標楷體", 12);
    font.setPixelSize(side * 2 / 3);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, "字");
    return pixmap;
}

QLabel *label(const QString &name, const QString &text)
{
    auto *label = new QLabel(text);
    label->setObjectName(name);
    return label;
}

} // namespace

frm版本::frm版本(QWidget &mainWindow, int topBarsHeightPixels, std::function<void()> onClosed)
    : QDialog(&mainWindow)
{
    connect(this, &QDialog::finished, this, std::move(onClosed));
    setWindowTitle("關於Tesvani");

    auto *picture = label("img版本", {});
    picture->setPixmap(emblem());
    picture->setAlignment(Qt::AlignTop);

    auto *texts = new QVBoxLayout;
    texts->addWidget(label("lbl版本_1", "Tesvani 版本 " + QCoreApplication::applicationVersion()));
    texts->addWidget(label("lbl版本_2", "漢字字形結構資料庫與構字式工具"));
    texts->addWidget(label("lbl版本_3", "楷書字型：AR PL UKai TW（Arphic Public License）"));
    texts->addWidget(label("lbl版本_4", "明體字型：AR PL UMing TW（Arphic Public License）"));
    texts->addWidget(label("lbl版本_5", "使用說明："));
    texts->addWidget(label("lbl版本_6", "請見「說明」選單的「說明主題」"));

    auto *top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(texts);

    auto *rule = new QFrame;
    rule->setObjectName("Line1");
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    auto *ok = new QPushButton("確　定");
    ok->setObjectName("cmd確定");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(rule);
    layout->addWidget(ok, 0, Qt::AlignRight);

    setFixedSize(sizeHint());
    MoveCentredOverMainWindow(*this, mainWindow, topBarsHeightPixels);
}
