#pragma once

#include <QList>
#include <QString>

// murvel.ini, the main program's settings file: the in-memory mirror of every key the main
// program uses, read once at start-up and written back at shut-down. Section [Convert]
// belongs to the batch tools; the main program neither reads nor writes it.

namespace SettingsNames {
inline const QString Start = QStringLiteral("Start");
inline const QString Window = QStringLiteral("Window");
inline const QString CharSet = QStringLiteral("字集");
inline const QString Font = QStringLiteral("Font");
inline const QString Options = QStringLiteral("選項");

inline const QString First = QStringLiteral("first");
inline const QString FontName = QStringLiteral("fontname");
inline const QString FontSize = QStringLiteral("fontsize");
inline const QString Copy = QStringLiteral("copy");
inline const QString CharSetCode = QStringLiteral("字頻");
inline const QString Save = QStringLiteral("save");

// [Window] and the six keys of each child-window section.
inline const QStringList GeometryKeys = {"left", "top", "width", "height"};
inline const QStringList ChildWindowKeys = {"open", "winstate", "left", "top", "width", "height"};

// The nine [字集] keys, in the order of their menu items.
inline const QStringList CharSetKeys = {"常用字",   "五大碼", "簡化字",         "漢語大字典", "說文解字",
                                        "金文編",   "甲骨類纂", "楚系簡帛文字編", "楷體字"};

// The sections of the child windows; 構形部件 stands for the component lists (kinds 1..10).
inline const QStringList ChildWindowSections = {"字形孳乳", "字形結構", "異體字表", "異體字根",
                                                "構形部件", "字形演變", "字形索引"};

// The 24 option keys of [選項], each the check mark of one option menu item.
inline const QStringList OptionKeys = {
    "逐級列出",     "部件順序",     "異寫部件",     "解形列出",     "遠東漢語大字典", "建宏漢語大字典",
    "中文大辭典",   "說文解字詁林", "中華說文解字", "金文編",       "金文詁林",       "金文器號",
    "金文引得",     "甲骨刻辭類纂", "甲骨文字詁林", "甲骨文字集釋", "楚系簡帛文字編", "楚系文字出處",
    "Unicode",      "Big5",         "甲骨文演變",   "金文演變",     "楚系文字演變",   "小篆演變"};

inline const QString DefaultFontName = QStringLiteral("標楷體");
} // namespace SettingsNames

// One text value per key, the integers as their decimal text. Geometry and the font size
// are kept as 32-bit numbers, so a large screen's twips never overflow when they are saved.
class SettingsMirror
{
public:
    QString value(const QString &section, const QString &key) const;
    void setValue(const QString &section, const QString &key, const QString &value);

    // The leading integer of the value; 0 when missing or not a number.
    int number(const QString &section, const QString &key) const;
    // A switch is on exactly when its numeric value is 1.
    bool isOn(const QString &section, const QString &key) const;
    void setOn(const QString &section, const QString &key, bool on);

    // Whether murvel.ini held a saved session: its [Start] first key. A file without it (one
    // that only the batch tools wrote) holds none, and the program starts as on a first run.
    bool sessionFound = false;

private:
    struct Entry {
        QString section;
        QString key;
        QString value;
    };
    const Entry *find(const QString &section, const QString &key) const;

    QList<Entry> m_entries;
};

// Reads every key of the main program into a mirror: integers as GetPrivateProfileInt
// reads them (missing keys 0), the typeface name with default "標楷體" cut to 255 bytes.
// An unreadable file reads as missing.
SettingsMirror ReadSettings(const QString &iniPath);

// Writes the 85 keys of the main program in their order, with first = "2" and save = "1",
// keeping every other section and key of the file. False with a message in `error` when
// the file cannot be written; the old file is then left intact.
bool SaveSettings(const QString &iniPath, const SettingsMirror &mirror, QString *error);
