#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <map>
#include <optional>

namespace registry
{

struct RegistryValue {
    QString name; // empty for the key's default value
    QString data;

    friend bool operator==(const RegistryValue &, const RegistryValue &) = default;
};

// The keys and string values of one registry root, in memory, and their text form.
// Key paths are backslash-separated ("Software\Microsoft\...\App Paths\murvel.exe");
// key and value names compare without regard to case and keep the case first given.
//
// Text form (UTF-8, one item a line, '\n' or "\r\n" line ends):
//   # comment                  ignored, as are blank lines
//   [Software\Vendor\Key]      starts a key
//   name=data                  a string value of the key above; "=data" is the default
//                              value (the one with the empty name)
// In key paths, names and data the characters % = [ ] # CR LF and NUL are written as %
// and two upper-case hex digits of their code (%25 %3D %5B %5D %23 %0D %0A %00), so
// every other character, Chinese included, stands as it is. Lines of another shape are
// ignored. Keys are written in case-folded path order, values in the order they were
// first set.
class RegistryHive
{
public:
    static RegistryHive fromText(QByteArrayView utf8);
    QByteArray toText(QStringView title) const;

    // A key exists when it was created or holds a key below it; "" is the root itself.
    bool keyExists(QStringView keyPath) const;
    std::optional<QString> value(QStringView keyPath, QStringView name) const;
    QList<RegistryValue> values(QStringView keyPath) const;
    // The names of the keys right below the key, in case-folded order, each once.
    QStringList subkeys(QStringView keyPath) const;

    // Sets the value, creating the key and replacing a value of the same name.
    void setValue(QStringView keyPath, const QString &name, const QString &data);
    // False when the key or the value is missing.
    bool deleteValue(QStringView keyPath, QStringView name);
    // Deletes the key with every key and value below it. False when it does not exist.
    bool deleteKey(QStringView keyPath);

private:
    struct Key {
        QString path;
        QList<RegistryValue> values;
    };

    const Key *findKey(QStringView keyPath) const;
    Key &createKey(QStringView keyPath);

    std::map<QString, Key> m_keys; // by case-folded normalized path
};

// Drops empty components, so "\A\\B\" is "A\B".
QString normalizeKeyPath(QStringView keyPath);

} // namespace registry
