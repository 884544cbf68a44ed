#pragma once

#include "platform/office/package/package.h"

#include <QByteArrayList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <string_view>

namespace fuzz
{

// A valid package whose chosen parts an input replaces: the input split at its 0 bytes,
// piece i for part i; parts without a piece keep the package's own. XML never holds a 0
// byte, so the seeds of the parts read as they are.
class PackageTemplate
{
public:
    // Aborts when the package does not open or lacks one of the parts.
    PackageTemplate(const QString &path, QStringList parts);

    // Writes the package filled from input to a scratch file of the package's kind, and
    // returns the file's path.
    QString write(std::string_view input);

private:
    QTemporaryDir m_folder;
    QString m_path;
    std::unique_ptr<office::Package> m_package;
    QStringList m_parts;
    QByteArrayList m_original; // the package's own bytes of each part
};

} // namespace fuzz
