#pragma once

#include "vbprog/Fonsetta/installrows.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringView>

namespace registry
{
class RegistryStore;
}

namespace fonsetta
{

// What the registry holds now for one row, as the window shows it at load.
struct CurrentRow {
    bool installed = true; // the row's input method is preloaded (the typeface row always is)
    QString text;          // the value the row sets, up to its first NUL; empty when unset
};

// The codes of the preloaded keyboard layouts, upper-cased: the default values of the
// subkeys "1", "2", ... of "keyboard layout\preload" and its values "1", "2", ..., each
// series read up to the first number missing.
QSet<QString> preloadedLayouts(const registry::RegistryStore &store);

// The current state of every row, in the order of installRows().
QList<CurrentRow> readCurrentSettings(const registry::RegistryStore &store);

// The text of a registry string value: everything before its first NUL.
QString textBeforeNul(QStringView data);

// Writes a string value as the system's readers expect it: code page 950 text followed by
// one NUL. False, with `error`, when the text holds a character that code page 950 lacks
// (written, it would come back as another text) or the store cannot be written.
bool writeRegistryString(registry::RegistryStore &store, const QString &key, const QString &name,
                         const QString &text, QString *error);

} // namespace fonsetta
