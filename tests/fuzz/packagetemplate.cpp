#include "packagetemplate.h"

#include "fuzzsupport.h"

#include <QFileInfo>

namespace fuzz
{

PackageTemplate::PackageTemplate(const QString &path, QStringList parts)
    : m_folder(ScratchTemplate()),
      m_path(m_folder.filePath(u"fuzz."_qs + QFileInfo(path).suffix())), m_parts(std::move(parts))
{
    platform::Result<std::unique_ptr<office::Package>> opened = office::Package::open(path);
    Check(opened.ok(), "the template package opens", opened.errorString());
    m_package = std::move(opened.value());
    for (const QString &part : std::as_const(m_parts)) {
        Check(m_package->hasPart(part), "the template package has the part", part);
        m_original.append(m_package->bytes(part));
    }
}

QString PackageTemplate::write(std::string_view input)
{
    const QByteArrayList pieces =
        QByteArray::fromRawData(input.data(), qsizetype(input.size())).split('\0');
    for (qsizetype i = 0; i < m_parts.size(); ++i) {
        const QByteArray bytes = i < pieces.size() ? QByteArray(pieces[i]) : m_original[i];
        m_package->setBytes(m_parts[i], bytes, QString());
    }
    const platform::Result<bool> saved = m_package->save(m_path);
    Check(saved.ok(), "the filled package is written", saved.errorString());
    return m_path;
}

} // namespace fuzz
