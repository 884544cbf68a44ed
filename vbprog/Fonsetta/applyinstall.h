#pragma once

#include "vbprog/Fonsetta/installrows.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace registry
{
class RegistryStore;
}

namespace fonsetta
{

class EudcFontLink;

// One row as the user left it on the window.
struct RowRequest {
    bool live = true; // the row's check box is enabled
    CheckValue value = CheckValue::Grey;
    QString text;
};

// The file 預設 puts in a row's box: the row's default file in the main program folder
// (given without its trailing separator).
QString defaultFilePath(const InstallRow &row, const QString &apppath);

// Writes the rows (given in the order of installRows()) into HKEY_CURRENT_USER: a checked
// row sets its value from its text, an unchecked row removes it, a grey or disabled row is
// left alone. The typeface row also links or unlinks its fonts on the desktop. Returns one
// text per failure; empty when every write succeeded.
QStringList ApplyInstallSettings(registry::RegistryStore &store, const EudcFontLink &fontLink,
                                 const QList<RowRequest> &rows, const QString &apppath);

} // namespace fonsetta
