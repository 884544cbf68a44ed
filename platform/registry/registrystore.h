#pragma once

#include "platform/registry/registryhive.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <functional>
#include <optional>

namespace registry
{

enum class Root { LocalMachine, CurrentUser };

// The registry of the programs: HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER, each a text
// file (format: RegistryHive) in one folder. Every call reads the file afresh, so several
// stores and programs see each other's changes. Every change holds a lock on a file beside
// the hive while it reads the hive again, changes it and writes it through a temporary file
// renamed over the old one, so writers at the same time, in any process, lose nothing.
class RegistryStore
{
public:
    explicit RegistryStore(QString folder = defaultFolder());

    // $MURVEL_REGISTRY_DIR when set, else "murvel/registry" in the user's data folder.
    static QString defaultFolder();

    const QString &folder() const { return m_folder; }

    // nullopt when the key or the value is missing or the file cannot be read. A missing
    // file reads as an empty root; anything else at its place that is not a regular file
    // (a folder, a FIFO, a link to nothing) cannot be read.
    std::optional<QString> value(Root root, QStringView keyPath, QStringView name) const;
    bool keyExists(Root root, QStringView keyPath) const;
    QList<RegistryValue> values(Root root, QStringView keyPath) const;
    QStringList subkeys(Root root, QStringView keyPath) const;

    // Creates the key when needed. False, with errorString(), when the file cannot be
    // read (it is then left alone) or written.
    bool setValue(Root root, QStringView keyPath, const QString &name, const QString &data);
    // False when the value is missing or the file cannot be read or written.
    bool deleteValue(Root root, QStringView keyPath, QStringView name);
    // Deletes the key and everything below it. False when it is missing or the file
    // cannot be read or written.
    bool deleteKey(Root root, QStringView keyPath);

    QString errorString() const { return m_error; }

private:
    QString filePath(Root root) const;
    std::optional<RegistryHive> read(Root root) const;
    // Reads, edits and writes one hive under its lock; an edit that returns false leaves
    // the file untouched.
    bool change(Root root, const std::function<bool(RegistryHive &)> &edit);

    QString m_folder;
    mutable QString m_error;
};

} // namespace registry
