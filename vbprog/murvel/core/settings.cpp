#include "vbprog/murvel/core/settings.h"

#include "platform/profile/profilefile.h"

#include <QFile>

using namespace SettingsNames;

namespace {

// The profile call reads the typeface name into a buffer of this size.
constexpr int FontNameBufferSize = 256;

} // namespace

const SettingsMirror::Entry *SettingsMirror::find(const QString &section, const QString &key) const
{
    for (const Entry &entry : m_entries) {
        if (entry.section.compare(section, Qt::CaseInsensitive) == 0
            && entry.key.compare(key, Qt::CaseInsensitive) == 0)
            return &entry;
    }
    return nullptr;
}

QString SettingsMirror::value(const QString &section, const QString &key) const
{
    const Entry *entry = find(section, key);
    return entry ? entry->value : QString();
}

void SettingsMirror::setValue(const QString &section, const QString &key, const QString &value)
{
    if (auto *entry = const_cast<Entry *>(find(section, key)))
        entry->value = value;
    else
        m_entries.append({section, key, value});
}

int SettingsMirror::number(const QString &section, const QString &key) const
{
    bool ok = false;
    const int n = value(section, key).trimmed().toInt(&ok);
    return ok ? n : 0;
}

bool SettingsMirror::isOn(const QString &section, const QString &key) const
{
    return number(section, key) == 1;
}

void SettingsMirror::setOn(const QString &section, const QString &key, bool on)
{
    setValue(section, key, on ? QStringLiteral("1") : QStringLiteral("0"));
}

SettingsMirror ReadSettings(const QString &iniPath)
{
    profile::ProfileFile file(iniPath);
    SettingsMirror mirror;
    mirror.sessionFound =
        QFile::exists(iniPath) && file.load() && file.value(Start, First).has_value();

    auto readInt = [&](const QString &section, const QString &key) {
        mirror.setValue(section, key, QString::number(file.intValue(section, key, 0)));
    };
    readInt(Start, First);
    for (const QString &key : GeometryKeys)
        readInt(Window, key);
    for (const QString &key : CharSetKeys)
        readInt(CharSet, key);
    for (const QString &section : ChildWindowSections) {
        for (const QString &key : ChildWindowKeys)
            readInt(section, key);
    }
    mirror.setValue(Font, FontName,
                    file.stringValue(Font, FontName, DefaultFontName, FontNameBufferSize));
    readInt(Font, FontSize);
    for (const QString &key : OptionKeys)
        readInt(Options, key);
    readInt(Options, Copy);
    readInt(Options, Save);
    return mirror;
}

bool SaveSettings(const QString &iniPath, const SettingsMirror &mirror, QString *error)
{
    profile::ProfileFile file(iniPath);
    if (!file.load()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    auto write = [&](const QString &section, const QString &key, const QString &value) {
        file.setValue(section, key, value);
    };
    auto copy = [&](const QString &section, const QString &key) {
        write(section, key, mirror.value(section, key));
    };

    write(Start, First, QStringLiteral("2"));
    for (const QString &key : GeometryKeys)
        copy(Window, key);
    copy(Font, FontName);
    copy(Font, FontSize);
    for (const QString &key : CharSetKeys)
        copy(CharSet, key);
    for (const QString &section : ChildWindowSections) {
        for (const QString &key : ChildWindowKeys)
            copy(section, key);
    }
    for (const QString &key : OptionKeys)
        copy(Options, key);
    copy(Options, Copy);
    copy(Options, CharSetCode);
    write(Options, Save, QStringLiteral("1"));

    if (!file.save()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
