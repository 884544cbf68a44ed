#include "vbprog/tallyq/logupdate.h"

#include "vbprog/murvel/schema/schemanames.h"

namespace tallyq
{

std::optional<FormulaKey> entryKey(const QString &entry)
{
    const auto first = std::find_if(entry.begin(), entry.end(), IsOperatorSymbol);
    if (first == entry.end())
        return std::nullopt;
    // Unlike FormulaKeyOf, a bracket that is the first operator makes the entry bracketed
    // wherever it stands.
    if (*first == QChar(OperatorCodes::OpenBracket))
        return FormulaKey{FormulaKinds::Bracketed, entry.mid(1, entry.size() - 2)};
    return FormulaKeyOf(entry);
}

bool GlyphFormulas::open(const QString &databasePath)
{
    jet::Result<jet::Database> database = jet::Database::open(databasePath);
    if (!database) {
        m_error = database.errorString();
        return false;
    }
    m_database = database.value();
    jet::Result<jet::Table> glyphs = m_database.openTable(Tables::檢字表);
    if (!glyphs) {
        m_error = glyphs.errorString();
        return false;
    }
    m_glyphs = glyphs.value();
    if (!m_glyphs.setIndex(Indexes::構字式)) {
        m_error = m_glyphs.errorString();
        return false;
    }
    return true;
}

bool GlyphFormulas::FormulaInDatabase(const QString &entry)
{
    const std::optional<FormulaKey> key = entryKey(entry);
    return key && m_glyphs.seek(key->kind, key->components);
}

std::optional<int> CountLogEntries(MissingCharacterLog &log)
{
    if (!log.load())
        return std::nullopt;
    return int(log.entries().size());
}

std::optional<int> PruneLog(MissingCharacterLog &log,
                            const std::function<bool(const QString &)> &inDatabase)
{
    if (!log.load())
        return std::nullopt;
    QStringList found;
    for (const QString &entry : log.entries()) {
        if (inDatabase(entry))
            found << entry;
    }
    if (!log.remove(found))
        return std::nullopt;
    return int(log.entries().size());
}

} // namespace tallyq
