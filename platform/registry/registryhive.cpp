#include "platform/registry/registryhive.h"

#include "platform/common/asciichars.h"

namespace registry
{
namespace
{

constexpr QStringView kEscaped = u"%=[]#\r\n";

bool needsEscape(QChar ch)
{
    return kEscaped.contains(ch) || ch.isNull();
}

QString escaped(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (QChar ch : text) {
        if (needsEscape(ch))
            result += u'%' + QString::number(ch.unicode(), 16).toUpper().rightJustified(2, u'0');
        else
            result += ch;
    }
    return result;
}

// A '%' not followed by two hex digits stands for itself.
QString unescaped(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int high =
            text[i] == u'%' && i + 2 < text.size() ? platform::hexDigitValue(text[i + 1]) : -1;
        const int low = high >= 0 ? platform::hexDigitValue(text[i + 2]) : -1;
        if (low >= 0) {
            result += QChar(char16_t(high * 16 + low));
            i += 2;
        } else {
            result += text[i];
        }
    }
    return result;
}

QString folded(QStringView keyPath)
{
    return normalizeKeyPath(keyPath).toCaseFolded();
}

} // namespace

QString normalizeKeyPath(QStringView keyPath)
{
    QStringList parts;
    for (QStringView part : keyPath.split(u'\\', Qt::SkipEmptyParts))
        parts.append(part.toString());
    return parts.join(u'\\');
}

RegistryHive RegistryHive::fromText(QByteArrayView utf8)
{
    RegistryHive hive;
    Key *current = nullptr; // not owned: an element of hive.m_keys
    const QString text = QString::fromUtf8(utf8);
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            current = &hive.createKey(unescaped(line.sliced(1, line.size() - 2)));
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (current != nullptr && equals >= 0) {
            hive.setValue(current->path, unescaped(line.first(equals)),
                          unescaped(line.sliced(equals + 1)));
        }
    }
    return hive;
}

QByteArray RegistryHive::toText(QStringView title) const
{
    QString text = u"# "_qs;
    text += title;
    text += u"\n# Murvel registry store, format described in platform/registry/registryhive.h\n";
    for (const auto &[foldedPath, key] : m_keys) {
        text += u"\n[";
        text += escaped(key.path);
        text += u"]\n";
        for (const RegistryValue &value : key.values)
            text += escaped(value.name) + u'=' + escaped(value.data) + u'\n';
    }
    return text.toUtf8();
}

bool RegistryHive::keyExists(QStringView keyPath) const
{
    const QString path = folded(keyPath);
    if (path.isEmpty() || m_keys.contains(path))
        return true;
    const QString below = path + u'\\';
    const auto next = m_keys.lower_bound(below);
    return next != m_keys.end() && next->first.startsWith(below);
}

std::optional<QString> RegistryHive::value(QStringView keyPath, QStringView name) const
{
    if (const Key *key = findKey(keyPath)) {
        for (const RegistryValue &value : key->values) {
            if (value.name.compare(name, Qt::CaseInsensitive) == 0)
                return value.data;
        }
    }
    return std::nullopt;
}

QList<RegistryValue> RegistryHive::values(QStringView keyPath) const
{
    const Key *key = findKey(keyPath);
    return key != nullptr ? key->values : QList<RegistryValue>();
}

void RegistryHive::setValue(QStringView keyPath, const QString &name, const QString &data)
{
    Key &key = createKey(keyPath);
    for (RegistryValue &value : key.values) {
        if (value.name.compare(name, Qt::CaseInsensitive) == 0) {
            value.data = data;
            return;
        }
    }
    key.values.append({name, data});
}

bool RegistryHive::deleteValue(QStringView keyPath, QStringView name)
{
    const auto key = m_keys.find(folded(keyPath));
    if (key == m_keys.end())
        return false;
    return key->second.values.removeIf([name](const RegistryValue &value) {
        return value.name.compare(name, Qt::CaseInsensitive) == 0;
    }) > 0;
}

QStringList RegistryHive::subkeys(QStringView keyPath) const
{
    const QString path = folded(keyPath);
    const QString below = path.isEmpty() ? QString() : path + u'\\';
    const qsizetype depth = below.count(u'\\');
    std::map<QString, QString> children; // by case-folded name
    for (auto key = m_keys.lower_bound(below); key != m_keys.end() && key->first.startsWith(below);
         ++key) {
        // The child's own spelling, from the stored path of this key or of a key below it.
        const QString name = key->second.path.split(u'\\').value(depth);
        children.try_emplace(name.toCaseFolded(), name);
    }
    QStringList names;
    for (const auto &[foldedName, name] : children)
        names.append(name);
    return names;
}

bool RegistryHive::deleteKey(QStringView keyPath)
{
    const QString path = folded(keyPath);
    if (path.isEmpty() || !keyExists(keyPath))
        return false;
    const QString below = path + u'\\';
    std::erase_if(m_keys, [&](const auto &entry) {
        return entry.first == path || entry.first.startsWith(below);
    });
    return true;
}

const RegistryHive::Key *RegistryHive::findKey(QStringView keyPath) const
{
    const auto key = m_keys.find(folded(keyPath));
    return key != m_keys.end() ? &key->second : nullptr;
}

RegistryHive::Key &RegistryHive::createKey(QStringView keyPath)
{
    const QString path = normalizeKeyPath(keyPath);
    return m_keys.try_emplace(path.toCaseFolded(), Key{path, {}}).first->second;
}

} // namespace registry
