#pragma once

#include <QString>
#include <QStringView>

// The three Windows profile calls the programs make, each reading or writing the whole
// file. Code that reads or writes many keys uses one profile::ProfileFile instead.
namespace profile
{

// The value of the key, or `defaultValue`, cut to bufferSize - 1 bytes in the file's
// encoding. A missing or unreadable file gives the default.
QString GetPrivateProfileString(QStringView section, QStringView key, const QString &defaultValue,
                                const QString &path, int bufferSize);

// The leading integer of the key's value; `defaultValue` when the file, section or key is
// missing or the value is empty.
int GetPrivateProfileInt(QStringView section, QStringView key, int defaultValue,
                         const QString &path);

// Sets the key and saves the file atomically. On failure returns false, leaves the file
// as it was and, when `errorMessage` is given, says why there.
bool WritePrivateProfileString(const QString &section, const QString &key, const QString &value,
                               const QString &path, QString *errorMessage = nullptr);

} // namespace profile
