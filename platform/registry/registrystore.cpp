#include "platform/registry/registrystore.h"

#include "platform/system/filewrite.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace registry
{
namespace
{

QString rootName(Root root)
{
    return root == Root::LocalMachine ? QStringLiteral("HKEY_LOCAL_MACHINE")
                                      : QStringLiteral("HKEY_CURRENT_USER");
}

} // namespace

RegistryStore::RegistryStore(QString folder) : m_folder(std::move(folder))
{
}

QString RegistryStore::defaultFolder()
{
    const QString redirected = qEnvironmentVariable("MURVEL_REGISTRY_DIR");
    if (!redirected.isEmpty())
        return redirected;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/murvel/registry");
}

std::optional<QString> RegistryStore::value(Root root, QStringView keyPath, QStringView name) const
{
    const std::optional<RegistryHive> hive = read(root);
    return hive ? hive->value(keyPath, name) : std::nullopt;
}

bool RegistryStore::keyExists(Root root, QStringView keyPath) const
{
    const std::optional<RegistryHive> hive = read(root);
    return hive && hive->keyExists(keyPath);
}

QList<RegistryValue> RegistryStore::values(Root root, QStringView keyPath) const
{
    const std::optional<RegistryHive> hive = read(root);
    return hive ? hive->values(keyPath) : QList<RegistryValue>();
}

QStringList RegistryStore::subkeys(Root root, QStringView keyPath) const
{
    const std::optional<RegistryHive> hive = read(root);
    return hive ? hive->subkeys(keyPath) : QStringList();
}

bool RegistryStore::setValue(Root root, QStringView keyPath, const QString &name,
                             const QString &data)
{
    std::optional<RegistryHive> hive = read(root);
    if (!hive)
        return false;
    hive->setValue(keyPath, name, data);
    return write(root, *hive);
}

bool RegistryStore::deleteValue(Root root, QStringView keyPath, QStringView name)
{
    std::optional<RegistryHive> hive = read(root);
    if (!hive)
        return false;
    if (!hive->deleteValue(keyPath, name)) {
        m_error = QStringLiteral("%2\\%3 沒有「%1」這個值")
                      .arg(name.toString(), rootName(root), keyPath.toString());
        return false;
    }
    return write(root, *hive);
}

bool RegistryStore::deleteKey(Root root, QStringView keyPath)
{
    std::optional<RegistryHive> hive = read(root);
    if (!hive)
        return false;
    if (!hive->deleteKey(keyPath)) {
        m_error = QStringLiteral("%1\\%2 不存在").arg(rootName(root), keyPath.toString());
        return false;
    }
    return write(root, *hive);
}

QString RegistryStore::filePath(Root root) const
{
    return m_folder + u'/' + rootName(root) + QStringLiteral(".txt");
}

std::optional<RegistryHive> RegistryStore::read(Root root) const
{
    QFile file(filePath(root));
    if (!file.exists())
        return RegistryHive();
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("無法讀取 %1（%2）")
                      .arg(QDir::toNativeSeparators(file.fileName()), file.errorString());
        return std::nullopt;
    }
    return RegistryHive::fromText(file.readAll());
}

bool RegistryStore::write(Root root, const RegistryHive &hive)
{
    const QString path = filePath(root);
    if (!QDir().mkpath(m_folder)) {
        m_error = QStringLiteral("無法建立資料夾 %1").arg(QDir::toNativeSeparators(m_folder));
        return false;
    }
    if (!sys::replaceFile(path, hive.toText(rootName(root)), &m_error))
        return false;
    m_error.clear();
    return true;
}

} // namespace registry
