#include "platform/profile/privateprofile.h"

#include "platform/profile/profilefile.h"

namespace profile
{

QString GetPrivateProfileString(QStringView section, QStringView key, const QString &defaultValue,
                                const QString &path, int bufferSize)
{
    ProfileFile file(path);
    file.load();
    return file.stringValue(section, key, defaultValue, bufferSize);
}

int GetPrivateProfileInt(QStringView section, QStringView key, int defaultValue,
                         const QString &path)
{
    ProfileFile file(path);
    file.load();
    return file.intValue(section, key, defaultValue);
}

bool WritePrivateProfileString(const QString &section, const QString &key, const QString &value,
                               const QString &path, QString *errorMessage)
{
    ProfileFile file(path);
    const bool written = file.load() && file.setValue(section, key, value) && file.save();
    if (!written && errorMessage != nullptr)
        *errorMessage = file.errorString();
    return written;
}

} // namespace profile
