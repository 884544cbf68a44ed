#include "vbprog/murvel/mainwindow/frm字型.h"

#include "platform/fonts/typefacetable.h"
#include "platform/vb/integers.h"
#include "platform/vb/numbertext.h"
#include "vbprog/murvel/core/scriptfaces.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/dialogplacement.h"
#include "vbprog/murvel/mainwindow/fontbar.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <functional>

namespace
{

constexpr int kSmallestSize = 10;
constexpr int kLargestSize = 72;

// The items of lst楷書, in the order the dialog lists them.
const QStringList kBaseTypefaces{Faces::Kai, Faces::Ming};

template<typename Widget> Widget *named(Widget *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

QLineEdit *scriptTypefaceBox(const QString &name, const QString &typeface)
{
    auto *box = named(new QLineEdit(typeface), name);
    box->setReadOnly(true);
    return box;
}

// A list whose selection (by a click or by code) writes the item's text into its box.
QListWidget *listFeeding(QLineEdit *box, const QString &name, const QStringList &items)
{
    auto *list = named(new QListWidget, name);
    list->addItems(items);
    const auto feed = [list, box] {
        const QList<QListWidgetItem *> selected = list->selectedItems();
        if (selected.isEmpty())
            return;
        box->setText(selected.first()->text());
        box->selectAll();
    };
    QObject::connect(list, &QListWidget::itemSelectionChanged, list, feed);
    QObject::connect(list, &QListWidget::itemClicked, list, feed);
    return list;
}

void selectFirst(QListWidget *list, const std::function<bool(const QString &)> &matches)
{
    for (int row = 0; row < list->count(); ++row) {
        if (matches(list->item(row)->text())) {
            list->setCurrentRow(row);
            return;
        }
    }
}

} // namespace

FontDialogChoice ReadFontDialogChoice(const QString &typefaceText, const QString &sizeText,
                                      const QString &currentTypeface, int currentSize)
{
    FontDialogChoice choice;
    if (IsBaseFontName(typefaceText) && typefaceText != currentTypeface)
        choice.typeface = typefaceText;

    // An infinite size (a number too large for a double) clamps like any other.
    const double size = vb::RoundHalfEven(vb::Val(sizeText));
    if (size != currentSize) {
        const double clamped = std::clamp<double>(size, kSmallestSize, kLargestSize);
        choice.size = QString::number(static_cast<int>(clamped));
    }
    return choice;
}

frm字型::frm字型(QWidget *parent) : QDialog(parent)
{
    setWindowTitle("字型");

    txt楷書_ = named(new QLineEdit(gBaseFontName), "txt楷書");
    txt楷書_->selectAll();
    txtFontsize_ = named(new QLineEdit(QString::number(gFontSize)), "txtFontsize");
    txtFontsize_->selectAll();
    QListWidget *lst楷書 = listFeeding(txt楷書_, "lst楷書", kBaseTypefaces);
    // Each typeface item is drawn in the typeface it names.
    for (int row = 0; row < lst楷書->count(); ++row) {
        QListWidgetItem *item = lst楷書->item(row);
        item->setFont(fonts::fontFor(item->text(), lst楷書->font().pointSizeF()));
    }
    QListWidget *lstFontsize = listFeeding(txtFontsize_, "lstFontsize", FontSizeItems());

    auto *layout = new QGridLayout(this);
    layout->addWidget(named(new QLabel("字型"), "lblFontName"), 0, 1);
    layout->addWidget(named(new QLabel("大小"), "lblfontsize"), 0, 2);
    layout->addWidget(named(new QLabel("楷書"), "lbl楷書"), 1, 0);
    layout->addWidget(txt楷書_, 1, 1);
    layout->addWidget(txtFontsize_, 1, 2);
    layout->addWidget(lst楷書, 2, 1);
    layout->addWidget(lstFontsize, 2, 2, 4, 1);
    layout->addWidget(named(new QLabel("小篆"), "lbl小篆"), 3, 0);
    layout->addWidget(scriptTypefaceBox("txt小篆", Faces::Seal), 3, 1);
    layout->addWidget(named(new QLabel("金文"), "lbl金文"), 4, 0);
    layout->addWidget(scriptTypefaceBox("txt金文", Faces::Bronze), 4, 1);
    layout->addWidget(named(new QLabel("甲骨文"), "lbl甲骨文"), 5, 0);
    layout->addWidget(scriptTypefaceBox("Text1", Faces::OracleBone), 5, 1);
    lst楷書->setMaximumHeight(lst楷書->sizeHintForRow(0) * 3);

    auto *buttons = new QDialogButtonBox;
    QPushButton *ok = buttons->addButton("確定", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKButton");
    QPushButton *cancel = buttons->addButton("取消", QDialogButtonBox::RejectRole);
    cancel->setObjectName("CancelButton");
    layout->addWidget(buttons, 6, 0, 1, 3);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        choice_ =
            ReadFontDialogChoice(txt楷書_->text(), txtFontsize_->text(), gBaseFontName, gFontSize);
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    selectFirst(lst楷書, [](const QString &item) { return item == gBaseFontName; });
    selectFirst(lstFontsize, [](const QString &item) { return item.toInt() == gFontSize; });

    setFixedSize(sizeHint());
    MoveCentredAboveMiddle(*this);
}
