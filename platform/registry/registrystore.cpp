#include "platform/registry/registrystore.h"

#include "platform/system/filelock.h"
#include "platform/system/filewrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    return change(root, [&](RegistryHive &hive) {
        hive.setValue(keyPath, name, data);
        return true;
    });
}

bool RegistryStore::deleteValue(Root root, QStringView keyPath, QStringView name)
{
    return change(root, [&](RegistryHive &hive) {
        if (hive.deleteValue(keyPath, name))
            return true;
        m_error = QStringLiteral("%2\\%3 沒有「%1」這個值")
                      .arg(name.toString(), rootName(root), keyPath.toString());
        return false;
    });
}

bool RegistryStore::deleteKey(Root root, QStringView keyPath)
{
    return change(root, [&](RegistryHive &hive) {
        if (hive.deleteKey(keyPath))
            return true;
        m_error = QStringLiteral("%1\\%2 不存在").arg(rootName(root), keyPath.toString());
        return false;
    });
}

bool RegistryStore::change(Root root, const std::function<bool(RegistryHive &)> &edit)
{
    if (!QDir().mkpath(m_folder)) {
        m_error = QStringLiteral("無法建立資料夾 %1").arg(QDir::toNativeSeparators(m_folder));
        return false;
    }
    // Held across the read, the change and the write, so that no other writer's change
    // made in between is lost.
    const sys::FileLock lock(m_folder + QStringLiteral("/.") + rootName(root) +
                             QStringLiteral(".lock"));
    if (!lock.isLocked()) {
        m_error = lock.errorString();
        return false;
    }
    std::optional<RegistryHive> hive = read(root);
    if (!hive || !edit(*hive))
        return false;
    if (!sys::replaceFile(filePath(root), hive->toText(rootName(root)), &m_error))
        return false;
    m_error.clear();
    return true;
}

QString RegistryStore::filePath(Root root) const
{
    return m_folder + u'/' + rootName(root) + QStringLiteral(".txt");
}

std::optional<RegistryHive> RegistryStore::read(Root root) const
{
    QFile file(filePath(root));
    const QFileInfo found(file.fileName());
    if (!found.exists() && !found.isSymLink())
        return RegistryHive();
    // Only a regular file is read: a FIFO would block the read, and a write after it would
    // replace it.
    if (!found.isFile()) {
        m_error = QStringLiteral("無法讀取 %1（不是一般檔案）")
                      .arg(QDir::toNativeSeparators(file.fileName()));
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("無法讀取 %1（%2）")
                      .arg(QDir::toNativeSeparators(file.fileName()), file.errorString());
        return std::nullopt;
    }
    return RegistryHive::fromText(file.readAll());
}

} // namespace registry
