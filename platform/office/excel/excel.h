#pragma once

#include "platform/common/result.h"
#include "platform/office/host/hostapplication.h"

#include <QString>
#include <QVariant>
#include <memory>

// What the add-ins use of the spreadsheet host, one class per host object. Positions and
// lengths of characters count UTF-16 units from 1, as the host's own do.
namespace office::excel
{

class Range;
class Worksheet;
class Workbook;

class Font
{
public:
    virtual ~Font() = default;
    // Empty when the characters carry more than one typeface.
    virtual QString name() const = 0;
    virtual void setName(const QString &name) = 0;
};

// A stretch of the text of one cell.
class Characters
{
public:
    virtual ~Characters() = default;
    virtual QString text() const = 0;
    virtual int count() const = 0;
    virtual Font &font() = 0; // owned by these characters
    // Replaces these characters by text; the new text keeps the typeface of the first
    // replaced character. False for a cell whose text is not a string (a formula, a number).
    virtual bool insert(const QString &text) = 0;
    virtual std::unique_ptr<Range> parent() const = 0;
};

enum class LookIn { Formulas = -4123, Values = -4163 };

// One cell or a rectangle of cells. A range stays valid while its worksheet is open.
class Range
{
public:
    virtual ~Range() = default;
    virtual QString address() const = 0; // "$B$3", "$A$1:$C$4"
    // Invalid (Empty) for an empty cell; a list of rows of values for several cells.
    virtual QVariant value() const = 0;
    virtual Worksheet &worksheet() const = 0;
    // start counts from 1; length -1 runs to the end of the cell's text.
    virtual std::unique_ptr<Characters> characters(int start = 1, int length = -1) = 0;
    // Searches the cells of this range by rows for a cell whose text holds what, ignoring
    // case, beginning after the range's first cell; nullptr when none holds it.
    virtual std::unique_ptr<Range> find(const QString &what, LookIn lookIn = LookIn::Values) = 0;
    // The next cell after after that holds what the last find sought, wrapping round.
    virtual std::unique_ptr<Range> findNext(const Range &after) = 0;
    // Replaces every occurrence of what in the text of each string cell of the range;
    // true when something was replaced.
    virtual bool replace(const QString &what, const QString &replacement) = 0;
    // Makes this cell the active cell and its worksheet the active sheet.
    virtual void activate() = 0;
};

class Worksheet
{
public:
    virtual ~Worksheet() = default;
    virtual QString name() const = 0;
    virtual bool protectionMode() const = 0;
    // userInterfaceOnly: the user cannot edit the sheet, code can. No password.
    virtual void protect(bool userInterfaceOnly) = 0;
    virtual std::unique_ptr<Range> usedRange() = 0;
    virtual std::unique_ptr<Range> cells() = 0;
    virtual std::unique_ptr<Range> range(const QString &address) = 0; // nullptr when malformed
    // Puts the clipboard's text into the active cell.
    virtual void paste() = 0;
    virtual Workbook &workbook() const = 0;
};

class Workbook
{
public:
    virtual ~Workbook() = default;
    virtual QString name() const = 0;     // "plan.xlsx"
    virtual QString path() const = 0;     // the folder, without a trailing separator
    virtual QString fullName() const = 0; // path and name
    virtual bool saved() const = 0;
    virtual platform::Result<bool> save() = 0;
    // Writes the workbook to fileName, which becomes its file from then on.
    virtual platform::Result<bool> saveAs(const QString &fileName) = 0;
    // Closes without saving; the workbook is deleted by its collection.
    virtual void close() = 0;
    virtual Worksheet *activeSheet() = 0;
    virtual int worksheetCount() const = 0;
    virtual Worksheet *worksheet(int index) = 0;           // from 1; nullptr when out of range
    virtual Worksheet *worksheet(const QString &name) = 0; // nullptr when there is none
};

class Workbooks
{
public:
    virtual ~Workbooks() = default;
    virtual int count() const = 0;
    virtual Workbook *item(int index) = 0; // from 1; owned by the collection
    // Opens the file and makes it the active workbook.
    virtual platform::Result<Workbook *> open(const QString &fileName) = 0;
};

class Application : public HostApplication
{
public:
    QString name() const override { return hostName(HostKind::Excel); }
    virtual Workbooks &workbooks() = 0;
    virtual Workbook *activeWorkbook() = 0; // nullptr when no workbook is open
    virtual std::unique_ptr<Range> activeCell() = 0;
    bool displayAlerts() const { return m_displayAlerts; }
    void setDisplayAlerts(bool on) { m_displayAlerts = on; }

protected:
    // Pasted into the active cell through the clipboard, which keeps the text afterwards.
    // A process without a clipboard types nothing and fails.
    platform::Result<bool> typeIntoActiveDocument(const QString &text) override;

private:
    bool m_displayAlerts = true;
};

} // namespace office::excel
