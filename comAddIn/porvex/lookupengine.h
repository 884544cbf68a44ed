#pragma once

#include "comAddIn/porvex/candidatepicker.h"
#include "comAddIn/porvex/lookuprules.h"
#include "platform/jet/database.h"
#include "platform/jet/table.h"
#include "vbprog/murvel/core/missingcharacterlog.h"

#include <QList>
#include <QString>

namespace porvex
{

// Where the lookup of one formula ended.
enum class LookupLevel {
    Formula,        // index 構字式 held the formula
    ComponentOrder, // found by its root sequence (index 字根序二); the chooser was asked
    ComponentSet,   // found by its root set (index 字根組二); the chooser was asked
    Logged,         // a component key found it but the missing-character log holds it
    Missing,        // no index holds it; it is in the log now (or message says why not)
    Failed,         // the glyph table is not open; message says so
};

// The outcome of one formula: the engine's per-formula state.
struct Lookup {
    QString formula;    // as found in the document, brackets included
    int kind = 0;       // working FormulaKind; a picked candidate's 連接符號
    QString components; // working component string; a picked candidate's 部件序
    QString orderKey;   // key of 字根序二, built when the formula key missed
    QString setKey;     // key of 字根組二, built when the order key missed
    ChosenCandidate chosen;
    ScriptTexts scripts;
    QString resultText; // replaces the formula in the source; empty = no replacement
    LookupLevel level = LookupLevel::Missing;
    QList<Candidate> candidates; // offered to the chooser
    int choice = CandidatePicker::NoChoice;
    QString message; // for the host's status bar: a formula the log refused, a log error

    // What to write in place of the formula in a text of typeface textFace.
    GlyphWrite writeFor(const QString &textFace) const
    {
        return WriteFor(chosen, scripts, textFace);
    }
};

// The add-in's lookup engine: one object owned by the loaded add-in, holding the state of
// the current conversion run (the glyph database's tables, the missing-character log) and
// of the formula looked up last. One run at a time, on the host's thread.
//
// A converter calls startRun at the start of a run, lookUp once per formula it finds, and
// finishRun at the end; between them it writes Lookup::writeFor(the text's typeface) in
// place of the formula and Lookup::resultText into the source.
class LookupEngine
{
public:
    enum class ConversionMode { Glyph = 1, Picture = 2 };

    // Opens 檢字表 and 字根 of the glyph database and starts a run on the missing-character
    // log of the Windows folder. False, with errorString(), when a table cannot be opened;
    // lookUp then fails every formula without logging it.
    bool startRun(const jet::Database &glyphDatabase, const QString &windowsFolder);
    // Lets go of the tables and saves the log when the run added to it. False, with
    // errorString(), when the log could not be saved.
    bool finishRun();
    QString errorString() const { return m_error; }

    // Runs the lookup chain for a formula found in a document: the formula key, then the
    // root sequence, then the root set, asking the picker when a root key found it, and
    // logging the formula when nothing did.
    const Lookup &lookUp(const QString &formula, CandidatePicker &picker);
    // Looks up a bracketed glyph number (U+F6AE, digits, U+F6AF) by field 編號: its 字碼 in
    // the bracketed-number typeface "qel98m", with U+F6B0 as its glyph and no result text.
    // Nothing is chosen, and nothing logged, when no record has the number.
    const Lookup &lookUpNumber(const QString &formula, qint32 number);
    const Lookup &current() const { return m_lookup; }

    // The keys the chain builds, on the open tables.
    QString componentOrderKey(const QString &components);
    QString componentSetKey(const QString &orderKey);

    MissingCharacterLog &log() { return m_log; }

    ConversionMode conversionMode() const { return m_mode; }
    void setConversionMode(ConversionMode mode) { m_mode = mode; }

private:
    bool seekKey(const QString &index, const QString &key);
    Candidate readCandidate() const;
    void takeCandidate(const Candidate &candidate);
    void chooseCandidate(const QString &index, const QString &key, CandidatePicker &picker);
    // Loads the log once; a failure goes to the lookup's message.
    void ensureLogLoaded();
    void logMissing();

    jet::Table m_glyphs; // 檢字表; its index changes before every seek
    jet::Table m_roots;  // 字根, index 字形
    MissingCharacterLog m_log;
    Lookup m_lookup;
    ConversionMode m_mode = ConversionMode::Glyph;
    QString m_error;
};

} // namespace porvex
