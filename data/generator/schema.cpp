#include "schema.h"

#include <algorithm>

namespace
{

constexpr FieldType I = FieldType::Integer;
constexpr FieldType T = FieldType::Text;

// Fields of 檢字表 in every script database: the glyph, its stored formula, the search keys
// derived from it, the counts and the character-set flags the derivation search filters on.
const QList<FieldDef> kGlyphFields = {
    {"編號", I},
    {"字形", T},
    {"字碼", T},
    {"字體", I},
    {"連接符號", I},
    {"部件序", T},
    {"部件序二", T},
    {"字根序", T},
    {"字根序二", T},
    {"字根組", T},
    {"字根組二", T},
    {"組字字數", I},
    {"組字字數二", I},
    {"組字字數(常用字)", I},
    {"組字字數(Big5)", I},
    {"組字字數(簡化字)", I},
    {"組字字數(漢語大字典)", I},
    {"部首筆畫排序", I},
    {"筆畫", I},
    {"部首", I},
    {"部首筆畫", I},
    {"常用字", I},
    {"簡化字", I},
    {"漢語大字典", I},
    {"重複", I},
};

const QList<FieldDef> kRegularGlyphFields = {
    {"注音", T},           {"BIG5", T},           {"倉頡", T},           {"Unicode", T},
    {"遠東漢語大字典", T}, {"建宏漢語大字典", T}, {"中文大辭典索引", T}, {"中文大辭典部首", I},
    {"小篆編號", I},       {"金文編號", I},       {"甲骨文編號", I},     {"楚系文字編號", I},
    {"小篆", T},           {"金文", T},           {"甲骨文", T},         {"楚系文字", T},
};

const QList<FieldDef> kAncientGlyphFields = {
    {"楷書編號", I},
    {"解形", T},
    {"字源", T},
};

const QList<IndexDef> kGlyphIndexes = {
    {"編號", {"編號"}},         {"字形", {"字形"}},         {"構字式", {"連接符號", "部件序"}},
    {"字根序", {"字根序"}},     {"字根序二", {"字根序二"}}, {"字根組", {"字根組"}},
    {"字根組二", {"字根組二"}},
};

TableDef ancientGlyphTable(const QList<FieldDef> &scriptFields)
{
    return {"檢字表", kGlyphFields + kAncientGlyphFields + scriptFields,
            kGlyphIndexes + QList<IndexDef>{{"楷書編號", {"楷書編號"}}}};
}

const TableDef kRootTable = {"字根",
                             {{"編號", I},
                              {"字形", T},
                              {"連接符號", I},
                              {"字根序二", T},
                              {"Big5", I},
                              {"簡化字", I},
                              {"筆畫", I},
                              {"首筆", I}},
                             {{"字形", {"字形"}}, {"編號", {"編號"}}}};

const TableDef kVariantRootTable = {"異寫字根", {{"字根", T}, {"異寫", T}}, {{"字根", {"字根"}}}};

const TableDef kVariantGlyphTable = {
    "異體字表",
    {{"組號", I}, {"形碼", I}, {"編號", I}, {"類別", I}, {"楷書編號", I}},
    {{"編號", {"編號"}}, {"組號", {"組號"}}}};

// The component lists of the main program: number, glyph, strokes and first stroke.
TableDef componentListTable(const QString &name, const QList<IndexDef> &indexes = {})
{
    return {name, {{"編號", I}, {"字形", T}, {"筆畫", I}, {"首筆", I}}, indexes};
}

QList<DatabaseDef> buildSchemas()
{
    const DatabaseDef regular = {
        DatabaseNames::Regular,
        {
            {"檢字表", kGlyphFields + kRegularGlyphFields, kGlyphIndexes},
            kRootTable,
            kVariantRootTable,
            kVariantGlyphTable,
            {"異體字根", {{"組號", I}, {"形碼", I}, {"編號", I}}, {}},
            {"符號", {{"編號", I}, {"字形", T}}, {}},
            {"字體", {{"編號", I}, {"名稱", T}}, {}},
            {"常用符號及部件類型", {{"類型", I}, {"說明", T}}, {}},
            {"常用符號及部件", {{"編號", I}, {"字形", T}, {"類型", I}}, {}},
            componentListTable("康熙部首", {{"編號", {"編號"}}}),
            componentListTable("說文部首", {{"編號", {"編號"}}}),
            {"八卦", {{"編號", I}, {"字形", T}}, {}},
            componentListTable("小篆獨體字"),
            componentListTable("金文字根"),
            componentListTable("部件外字"),
        }};

    const QList<FieldDef> sealFields = {
        {"解形二", T}, {"六書", T}, {"卷", T}, {"詁林索引", T}, {"中華索引", T}};
    const QList<FieldDef> bronzeFields = {{"金文編索引", T}, {"金文詁林索引", T},
                                          {"集成器號", T},   {"集成引得索引", T},
                                          {"集成器名", T},   {"器名缺字", I}};
    const QList<FieldDef> oracleFields = {
        {"甲骨刻辭類纂", T}, {"甲骨文字詁林", T}, {"甲骨文字集釋", T}};
    const QList<FieldDef> chuFields = {{"楚系簡帛文字編", T}, {"出處", T}};

    const QList<TableDef> ancientShared = {kRootTable, kVariantRootTable, kVariantGlyphTable};
    const TableDef bronzeSupplement = {"補遺",
                                       {{"楷書編號", I},
                                        {"金文編索引", T},
                                        {"金文詁林索引", T},
                                        {"集成器號", T},
                                        {"集成引得索引", T}},
                                       {{"楷書編號", {"楷書編號"}}}};

    const TableDef transcodeTable = {"檢字表", {{"舊形", T}, {"構字式", T}}, {{"舊形", {"舊形"}}}};

    return {
        regular,
        {"qelseal", QList<TableDef>{ancientGlyphTable(sealFields)} + ancientShared},
        {"qelbronz",
         QList<TableDef>{ancientGlyphTable(bronzeFields), bronzeSupplement} + ancientShared},
        {"qeljiagu", QList<TableDef>{ancientGlyphTable(oracleFields)} + ancientShared},
        {"qelchu", QList<TableDef>{ancientGlyphTable(chuFields)} + ancientShared},
        {"kavrot01", {transcodeTable}},
        {"kavrot02", {transcodeTable}},
    };
}

QString quoted(const QString &name)
{
    return u'"' + name + u'"';
}

} // namespace

int TableDef::fieldIndex(const QString &field) const
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (fields[i].name == field)
            return static_cast<int>(i);
    }
    return -1;
}

const TableDef *DatabaseDef::table(const QString &tableName) const
{
    for (const TableDef &t : tables) {
        if (t.name == tableName)
            return &t;
    }
    return nullptr;
}

const DatabaseDef *FindDatabaseDef(const QString &name)
{
    static const QList<DatabaseDef> schemas = buildSchemas();
    const auto found = std::find_if(schemas.begin(), schemas.end(),
                                    [&](const DatabaseDef &db) { return db.name == name; });
    return found == schemas.end() ? nullptr : &*found;
}

bool IsAncientScriptDatabase(const QString &name)
{
    const QList<ScriptLink> &links = ScriptLinks();
    return std::any_of(links.begin(), links.end(),
                       [&](const ScriptLink &link) { return link.database == name; });
}

bool IsScriptDatabase(const QString &name)
{
    return name == DatabaseNames::Regular || IsAncientScriptDatabase(name);
}

const QList<ScriptLink> &ScriptLinks()
{
    static const QList<ScriptLink> links = {
        {"qelseal", "小篆編號", "小篆"},
        {"qelbronz", "金文編號", "金文"},
        {"qeljiagu", "甲骨文編號", "甲骨文"},
        {"qelchu", "楚系文字編號", "楚系文字"},
    };
    return links;
}

QString CreateTableSql(const TableDef &table)
{
    QStringList columns;
    for (const FieldDef &field : table.fields)
        columns << quoted(field.name) + (field.type == FieldType::Integer ? " INTEGER" : " TEXT");
    return "CREATE TABLE " + quoted(table.name) + " (" + columns.join(", ") + ")";
}

QString CreateIndexSql(const TableDef &table, const IndexDef &index)
{
    QStringList columns;
    for (const QString &column : index.columns)
        columns << quoted(column);
    return "CREATE INDEX " + quoted(table.name + u'.' + index.name) + " ON " + quoted(table.name) +
           " (" + columns.join(", ") + ")";
}
