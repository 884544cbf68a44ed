#pragma once

#include <QList>
#include <QString>

// The five settings the installer registers for the current user: the end-user-defined-
// character typeface and the dictionaries of four input methods.
namespace fonsetta
{

// The value of a row's three-state check box.
enum class CheckValue { Unchecked = 0, Checked = 1, Grey = 2 };

enum class RowId { Typeface, Cangjie, Zhuyin, NewCangjie, NewZhuyin };

struct InstallRow {
    RowId id;
    QString name;         // the suffix of the row's controls: chk<name>, txt<name>, cmd<name>
    QString caption;      // the check box's caption
    QString registryKey;  // under HKEY_CURRENT_USER
    QString valueName;    // the value the row sets
    QString layoutCode;   // the keyboard layout that must be preloaded; empty: always live
    QString defaultFile;  // the file name 預設 puts in the box, in the main program folder
    QString dialogFilter; // the file dialog's filter text
    QString filePattern;  // the file dialog's file name pattern
};

// The rows in their order on the window and in every pass over them.
const QList<InstallRow> &installRows();
const InstallRow &installRow(RowId id);

// The typeface row's key and the per-typeface links that it updates when they exist.
inline constexpr char16_t kEudcKey[] = u"EUDC\\950";
inline constexpr char16_t kSystemDefaultEudcFont[] = u"SystemDefaultEUDCFont";
inline constexpr char16_t kMingLink[] = u"細明體";
inline constexpr char16_t kNewMingLink[] = u"新細明體";
inline constexpr char16_t kKaiLink[] = u"標楷體";
// The Kai twin of the default typeface file, for the 標楷體 link.
inline constexpr char16_t kDefaultKaiFile[] = u"qeleudck.tte";

// Where the preloaded keyboard layouts are listed.
inline constexpr char16_t kPreloadKey[] = u"keyboard layout\\preload";

} // namespace fonsetta
