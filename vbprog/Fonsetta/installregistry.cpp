#include "vbprog/Fonsetta/installregistry.h"

#include "platform/codepage/cp950.h"
#include "platform/registry/registrystore.h"

namespace fonsetta
{

using registry::Root;

namespace
{

// Reads the numbered entries "1", "2", ... up to the first one missing.
template<typename Read> void readNumbered(Read read, QSet<QString> &codes)
{
    for (int n = 1;; ++n) {
        const std::optional<QString> value = read(QString::number(n));
        if (!value)
            return;
        codes.insert(textBeforeNul(*value).toUpper());
    }
}

} // namespace

QString textBeforeNul(QStringView data)
{
    const qsizetype nul = data.indexOf(QChar(u'\0'));
    return (nul < 0 ? data : data.left(nul)).toString();
}

QSet<QString> preloadedLayouts(const registry::RegistryStore &store)
{
    const QString key = QString::fromUtf16(kPreloadKey);
    QSet<QString> codes;
    readNumbered(
        [&](const QString &n) { return store.value(Root::CurrentUser, key + u'\\' + n, u""); },
        codes);
    readNumbered([&](const QString &n) { return store.value(Root::CurrentUser, key, n); }, codes);
    return codes;
}

QList<CurrentRow> readCurrentSettings(const registry::RegistryStore &store)
{
    const QSet<QString> layouts = preloadedLayouts(store);
    QList<CurrentRow> rows;
    for (const InstallRow &row : installRows()) {
        CurrentRow current;
        current.installed = row.layoutCode.isEmpty() || layouts.contains(row.layoutCode);
        if (current.installed)
            current.text = textBeforeNul(
                store.value(Root::CurrentUser, row.registryKey, row.valueName).value_or(QString()));
        rows.append(current);
    }
    return rows;
}

bool writeRegistryString(registry::RegistryStore &store, const QString &key, const QString &name,
                         const QString &text, QString *error)
{
    if (codepage::fromCp950(codepage::toCp950(text)) != text) {
        *error = QStringLiteral("「%1」含有 Big5 沒有的字元").arg(text);
        return false;
    }
    if (!store.setValue(Root::CurrentUser, key, name, text + QChar(u'\0'))) {
        *error = store.errorString();
        return false;
    }
    return true;
}

} // namespace fonsetta
