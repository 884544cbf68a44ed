#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QLineEdit;
class QListWidget;

// What the font dialog leaves for the font bar: the texts to put into cbo字型名稱 and
// cbo字體大小, each only when that value is to change.
struct FontDialogChoice {
    std::optional<QString> typeface;
    std::optional<QString> size;
};

// The OK rules. Only "標楷體" and "細明體" are accepted as typeface. The size is the
// number the text begins with (none reads as 0), rounded half to even; a size other than
// the current one is clamped to 10..72, the current one writes nothing.
FontDialogChoice ReadFontDialogChoice(const QString &typefaceText, const QString &sizeText,
                                      const QString &currentTypeface, int currentSize);

// The modal font dialog: opens on gBaseFontName and gFontSize; after OK, choice() holds
// what the caller writes into the font bar before running its handlers. Cancel leaves the
// choice empty.
class frm字型 : public QDialog
{
public:
    explicit frm字型(QWidget *parent = nullptr);

    const FontDialogChoice &choice() const { return choice_; }

private:
    QLineEdit *txt楷書_;     // owned by the dialog
    QLineEdit *txtFontsize_; // owned by the dialog
    FontDialogChoice choice_;
};
