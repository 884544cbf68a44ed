#include "bench/synthetic/sourcefiles.h"

#include "data/generator/glyphnumbers.h"
#include "data/generator/sourcereader.h"
#include "vbprog/murvel/schema/databaseschema.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTextStream>

namespace
{

const QString Regular = QStringLiteral("murvel");

// The tables of murvel that are copied from the sample sources as they are.
const QStringList CopiedRegularTables = {
    "八卦", "字體",     "小篆獨體字", "常用符號及部件", "常用符號及部件類型", "康熙部首",
    "符號", "說文部首", "部件外字",   "金文字根",       "異寫字根",           "異體字根",
};
// Every ancient script takes murvel's variant roots.
const QString VariantRootTable = QStringLiteral("異寫字根");

QString cell(bool flag)
{
    return flag ? QStringLiteral("1") : QStringLiteral("0");
}

QString cell(int number)
{
    return QString::number(number);
}

// One table file: a comment, the header and the records.
class TableFile
{
public:
    TableFile(const QString &path, const QString &comment, const QStringList &header) : m_file(path)
    {
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
        m_out.setDevice(&m_file);
        m_out << "# " << comment << "\n" << header.join(u'\t') << "\n";
    }

    bool isOpen() const { return m_file.isOpen(); }
    void append(const QStringList &cells) { m_out << cells.join(u'\t') << "\n"; }
    QString error() const { return m_file.isOpen() ? QString() : m_file.fileName(); }

private:
    QFile m_file;
    QTextStream m_out;
};

QString writeRegularGlyphs(const RegularScript &regular, const QString &folder)
{
    TableFile file(QDir(folder).filePath("檢字表.tsv"),
                   "Synthetic regular script: symbols, roots, composed glyphs.",
                   {"字形", "字碼", "字體", "@構字式", "連接符號", "筆畫", "部首", "部首筆畫",
                    "常用字", "簡化字", "漢語大字典", "重複"});
    for (const SyntheticGlyph &glyph : regular.glyphs) {
        if (glyph.symbol) {
            file.append({glyph.glyph, {}, {}, {}, "9", {}, {}, {}, {}, {}, {}, "0"});
            continue;
        }
        file.append({glyph.glyph,
                     glyph.code,
                     cell(glyph.face),
                     glyph.formula,
                     {},
                     cell(glyph.strokes),
                     cell(glyph.radical),
                     cell(glyph.radicalStrokes),
                     cell(glyph.frequent),
                     cell(glyph.simplified),
                     cell(glyph.dictionary),
                     "0"});
    }
    return file.error();
}

QString writeRegularRoots(const RegularScript &regular, const QString &folder)
{
    TableFile file(QDir(folder).filePath("字根.tsv"), "Synthetic roots, numbered in order.",
                   {"編號", "字形", "簡化字", "筆畫", "首筆"});
    for (qsizetype i = 0; i < regular.roots.size(); ++i) {
        const SampleRoot &root = regular.roots[i];
        file.append({cell(int(i) + 1), root.glyph, cell(root.simplified), cell(root.strokes),
                     cell(root.firstStroke)});
    }
    return file.error();
}

QString writeRegularVariants(const RegularScript &regular, const QString &folder)
{
    constexpr int Alternative = 4;
    TableFile file(QDir(folder).filePath("異體字表.tsv"),
                   "Synthetic variant groups: the head, then its variants.",
                   {"組號", "形碼", "@編號", "類別"});
    for (qsizetype group = 0; group < regular.variantGroups.size(); ++group) {
        const QList<int> &members = regular.variantGroups[group];
        for (qsizetype m = 0; m < members.size(); ++m)
            file.append({cell(int(group) + 1), cell(int(m) + 1), regular.glyphs[members[m]].glyph,
                         m == 0 ? QString() : cell(Alternative)});
    }
    return file.error();
}

// The reference columns of a script and their values for a record, in the style of the
// script's reference works.
struct ReferenceColumns {
    QStringList names;
    std::function<QStringList(int number, int count, const AncientRecord &)> values;
};

ReferenceColumns referenceColumnsOf(const QString &database)
{
    static const QStringList sections = [] {
        QStringList parts;
        const QStringList numbers = {"一", "二", "三", "四",   "五",   "六",   "七",
                                     "八", "九", "十", "十一", "十二", "十三", "十四"};
        for (const QString &n : numbers)
            parts << n + "上" << n + "下";
        return parts;
    }();
    if (database == "qelseal")
        return {{"解形二", "六書", "部首", "卷"},
                [](int number, int count, const AncientRecord &r) {
                    const QString kind = r.formula.isEmpty()
                                             ? QStringLiteral("象形")
                                             : (r.analysis.endsWith(u'V') ? "形聲" : "會意");
                    const int position = (number - 1) * int(sections.size()) / count;
                    return QStringList{r.analysis, kind, cell(1 + (number - 1) * 540 / count),
                                       sections[position]};
                }};
    if (database == "qelbronz")
        return {{"金文編索引", "器名缺字"}, [](int number, int, const AncientRecord &) {
                    return QStringList{QStringLiteral("%1-1-1").arg(number), "0"};
                }};
    if (database == "qeljiagu")
        return {{"甲骨文字詁林"}, [](int number, int, const AncientRecord &) {
                    return QStringList{QStringLiteral("%1-%2").arg(1 + number / 1000).arg(number)};
                }};
    return {{"出處"}, [](int number, int, const AncientRecord &) {
                return QStringList{QStringLiteral("包山2-%1").arg(number)};
            }};
}

// The 編號 that murvel-datagen gives each regular glyph, which a glyph without a character
// of its own is referred to by: a Big5 hanzi's rank, else the next number in file order.
QList<int> regularGlyphNumbers(const RegularScript &regular)
{
    QList<int> numbers;
    numbers.reserve(regular.glyphs.size());
    QSet<int> ranked;
    int next = FirstNonBig5Number;
    for (const SyntheticGlyph &glyph : regular.glyphs) {
        const auto rank = Big5GlyphRank(glyph.glyph, glyph.face);
        if (rank && !ranked.contains(*rank)) {
            ranked.insert(*rank);
            numbers.append(*rank);
        } else {
            numbers.append(next++);
        }
    }
    return numbers;
}

// A glyph reference (@楷書) to a regular glyph: its character, else "#" and its 編號.
class RegularReferences
{
public:
    explicit RegularReferences(const RegularScript &regular)
        : m_regular(regular), m_numbers(regularGlyphNumbers(regular))
    {
    }

    QString of(int glyph) const
    {
        const QString &character = m_regular.glyphs[glyph].glyph;
        return character.isEmpty() ? QStringLiteral("#%1").arg(m_numbers[glyph]) : character;
    }

private:
    const RegularScript &m_regular;
    const QList<int> m_numbers;
};

QString writeAncientScript(const RegularReferences &regular, const AncientScript &script,
                           const QString &folder)
{
    const ReferenceColumns references = referenceColumnsOf(script.def.database);
    TableFile glyphs(
        QDir(folder).filePath("檢字表.tsv"),
        "Synthetic ancient script: the forms of regular glyphs, numbered in order.",
        QStringList{"編號", "@楷書", "字形", "字碼", "字體", "重複", "@構字式", "解形"} +
            references.names);
    const int count = int(script.records.size());
    for (int i = 0; i < count; ++i) {
        const AncientRecord &record = script.records[i];
        glyphs.append(QStringList{cell(i + 1), regular.of(record.regular), record.glyph,
                                  record.code, cell(record.face), cell(record.repeated),
                                  record.formula, record.analysis} +
                      references.values(i + 1, count, record));
    }
    if (!glyphs.error().isEmpty())
        return glyphs.error();

    TableFile roots(QDir(folder).filePath("字根.tsv"), "Synthetic roots of the script.", {"字形"});
    for (const QString &root : script.roots)
        roots.append({root});
    if (!roots.error().isEmpty())
        return roots.error();

    constexpr int OtherForm = 4;
    TableFile variants(QDir(folder).filePath("異體字表.tsv"),
                       "Synthetic variant groups: the regular glyph, the first form, the others.",
                       {"組號", "形碼", "編號", "類別", "@楷書"});
    for (qsizetype group = 0; group < script.variantGroups.size(); ++group) {
        const QList<int> &members = script.variantGroups[group];
        const QString groupNumber = cell(int(group) + 1);
        const QString regularGlyph = regular.of(script.records[members[0]].regular);
        variants.append({groupNumber, "0", cell(members[0] + 1), {}, regularGlyph});
        for (qsizetype m = 0; m < members.size(); ++m)
            variants.append({groupNumber,
                             cell(int(m) + 1),
                             cell(members[m] + 1),
                             m == 0 ? QString() : cell(OtherForm),
                             {}});
    }
    return variants.error();
}

QString copyTable(const QString &sampleDir, const QString &table, const QString &folder)
{
    const QString from = QDir(sampleDir).filePath(Regular + "/" + table + ".tsv");
    const QString to = QDir(folder).filePath(table + ".tsv");
    QFile::remove(to);
    return QFile::copy(from, to) ? QString() : QStringLiteral("cannot copy %1").arg(from);
}

} // namespace

QString ReadSampleSources(const QString &sampleDir, SampleSources &sample)
{
    const DatabaseDef *def = FindDatabaseDef(Regular);
    QList<SourceError> errors;
    const DatabaseData data = ReadDatabaseSources(QDir(sampleDir).filePath(Regular), *def, errors);
    if (!errors.isEmpty())
        return errors.first().text();
    const TableData *roots = data.table(Tables::字根);
    for (int row = 0; roots && row < roots->rowCount(); ++row) {
        sample.roots.append({roots->text(row, Fields::字形),
                             int(roots->number(row, Fields::筆畫).value_or(1)),
                             int(roots->number(row, Fields::首筆).value_or(1)),
                             roots->number(row, Fields::簡化字).value_or(0) > 0});
    }
    if (const TableData *variantRoots = data.table(Tables::異寫字根)) {
        for (int row = 0; row < variantRoots->rowCount(); ++row)
            sample.namedGlyphs +=
                variantRoots->text(row, Fields::字根) + variantRoots->text(row, Fields::異寫);
    }
    if (const TableData *variantComponents = data.table(Tables::異體字根)) {
        for (int row = 0; row < variantComponents->rowCount(); ++row)
            sample.namedGlyphs += variantComponents->input(row, InputColumns::Number);
    }
    return sample.roots.isEmpty() ? QStringLiteral("%1 holds no roots").arg(sampleDir) : QString();
}

QString WriteSyntheticSources(const RegularScript &regular, const QList<AncientScript> &ancient,
                              const QString &sampleDir, const QString &outputDir)
{
    const QDir out(outputDir);
    const QString regularFolder = out.filePath(Regular);
    if (!QDir().mkpath(regularFolder))
        return QStringLiteral("cannot create %1").arg(regularFolder);
    for (const auto &write : {writeRegularGlyphs, writeRegularRoots, writeRegularVariants}) {
        if (const QString error = write(regular, regularFolder); !error.isEmpty())
            return error;
    }
    for (const QString &table : CopiedRegularTables) {
        if (const QString error = copyTable(sampleDir, table, regularFolder); !error.isEmpty())
            return error;
    }
    const RegularReferences references(regular);
    for (const AncientScript &script : ancient) {
        const QString folder = out.filePath(script.def.database);
        if (!QDir().mkpath(folder))
            return QStringLiteral("cannot create %1").arg(folder);
        if (const QString error = writeAncientScript(references, script, folder); !error.isEmpty())
            return error;
        if (const QString error = copyTable(sampleDir, VariantRootTable, folder); !error.isEmpty())
            return error;
    }
    return {};
}
