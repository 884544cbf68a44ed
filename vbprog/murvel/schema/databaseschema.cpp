#include "vbprog/murvel/schema/databaseschema.h"

#include <algorithm>

namespace
{

constexpr FieldType I = FieldType::Integer;
constexpr FieldType T = FieldType::Text;
namespace F = Fields;
namespace X = Indexes;

// Fields of 檢字表 in every script database: the glyph, its stored formula, the search keys
// derived from it, the counts and the character-set flags the derivation search filters on.
const QList<FieldDef> kGlyphFields = {
    {F::編號, I},
    {F::字形, T},
    {F::字碼, T},
    {F::字體, I},
    {F::連接符號, I},
    {F::部件序, T},
    {F::部件序二, T},
    {F::字根序, T},
    {F::字根序二, T},
    {F::字根組, T},
    {F::字根組二, T},
    {F::組字字數, I},
    {F::組字字數二, I},
    {F::組字字數常用字, I},
    {F::組字字數Big5, I},
    {F::組字字數簡化字, I},
    {F::組字字數漢語大字典, I},
    {F::部首筆畫排序, I},
    {F::筆畫, I},
    {F::部首, I},
    {F::部首筆畫, I},
    {F::常用字, I},
    {F::簡化字, I},
    {F::漢語大字典, I},
    {F::重複, I},
};

const QList<FieldDef> kRegularGlyphFields = {
    {F::注音, T},           {F::BIG5, T},           {F::倉頡, T},           {F::Unicode, T},
    {F::遠東漢語大字典, T}, {F::建宏漢語大字典, T}, {F::中文大辭典索引, T}, {F::中文大辭典部首, I},
    {F::小篆編號, I},       {F::金文編號, I},       {F::甲骨文編號, I},     {F::楚系文字編號, I},
    {F::小篆, T},           {F::金文, T},           {F::甲骨文, T},         {F::楚系文字, T},
};

const QList<FieldDef> kAncientGlyphFields = {
    {F::楷書編號, I},
    {F::解形, T},
    {F::字源, T},
};

const QList<IndexDef> kGlyphIndexes = {
    {X::編號, {F::編號}},
    {X::字形, {F::字形}},
    {X::構字式, {F::連接符號, F::部件序}},
    {X::字根序, {F::字根序}},
    {X::字根序二, {F::字根序二}},
    {X::字根組, {F::字根組}},
    {X::字根組二, {F::字根組二}},
};

// The sequence fields that the derivation search matches with LIKE.
const QStringList kSearchedSequences = {F::部件序,   F::部件序二, F::字根序,
                                        F::字根序二, F::字根組,   F::字根組二};

TableDef ancientGlyphTable(const QList<FieldDef> &scriptFields)
{
    return {Tables::檢字表, kGlyphFields + kAncientGlyphFields + scriptFields,
            kGlyphIndexes + QList<IndexDef>{{X::楷書編號, {F::楷書編號}}}, kSearchedSequences};
}

const TableDef kRootTable = {Tables::字根,
                             {{F::編號, I},
                              {F::字形, T},
                              {F::連接符號, I},
                              {F::字根序二, T},
                              {F::Big5, I},
                              {F::簡化字, I},
                              {F::筆畫, I},
                              {F::首筆, I}},
                             {{X::字形, {F::字形}}, {X::編號, {F::編號}}}};

const TableDef kVariantRootTable = {
    Tables::異寫字根, {{F::字根, T}, {F::異寫, T}}, {{X::字根, {F::字根}}}};

const TableDef kVariantGlyphTable = {
    Tables::異體字表,
    {{F::組號, I}, {F::形碼, I}, {F::編號, I}, {F::類別, I}, {F::楷書編號, I}},
    {{X::編號, {F::編號}}, {X::組號, {F::組號}}}};

// The component lists of the main program: number, glyph, strokes and first stroke.
TableDef componentListTable(const QString &name, const QList<IndexDef> &indexes = {})
{
    return {name, {{F::編號, I}, {F::字形, T}, {F::筆畫, I}, {F::首筆, I}}, indexes};
}

QList<DatabaseDef> buildSchemas()
{
    const DatabaseDef regular = {
        DatabaseNames::Regular,
        {
            {Tables::檢字表, kGlyphFields + kRegularGlyphFields, kGlyphIndexes, kSearchedSequences},
            kRootTable,
            kVariantRootTable,
            kVariantGlyphTable,
            {Tables::異體字根, {{F::組號, I}, {F::形碼, I}, {F::編號, I}}, {}},
            {Tables::符號, {{F::編號, I}, {F::字形, T}}, {}},
            {Tables::字體, {{F::編號, I}, {F::名稱, T}}, {}},
            {Tables::常用符號及部件類型, {{F::類型, I}, {F::說明, T}}, {}},
            {Tables::常用符號及部件, {{F::編號, I}, {F::字形, T}, {F::類型, I}}, {}},
            componentListTable(Tables::康熙部首, {{X::編號, {F::編號}}}),
            componentListTable(Tables::說文部首, {{X::編號, {F::編號}}}),
            {Tables::八卦, {{F::編號, I}, {F::字形, T}}, {}},
            componentListTable(Tables::小篆獨體字),
            componentListTable(Tables::金文字根),
            componentListTable(Tables::部件外字),
        }};

    const QList<FieldDef> sealFields = {
        {F::解形二, T}, {F::六書, T}, {F::卷, T}, {F::詁林索引, T}, {F::中華索引, T}};
    const QList<FieldDef> bronzeFields = {{F::金文編索引, T}, {F::金文詁林索引, T},
                                          {F::集成器號, T},   {F::集成引得索引, T},
                                          {F::集成器名, T},   {F::器名缺字, I}};
    const QList<FieldDef> oracleFields = {
        {F::甲骨刻辭類纂, T}, {F::甲骨文字詁林, T}, {F::甲骨文字集釋, T}};
    const QList<FieldDef> chuFields = {{F::楚系簡帛文字編, T}, {F::出處, T}};

    const QList<TableDef> ancientShared = {kRootTable, kVariantRootTable, kVariantGlyphTable};
    const TableDef bronzeSupplement = {Tables::補遺,
                                       {{F::楷書編號, I},
                                        {F::金文編索引, T},
                                        {F::金文詁林索引, T},
                                        {F::集成器號, T},
                                        {F::集成引得索引, T}},
                                       {{X::楷書編號, {F::楷書編號}}}};

    const TableDef transcodeTable = {
        Tables::檢字表, {{F::舊形, T}, {F::構字式, T}}, {{X::舊形, {F::舊形}}}};

    return {
        regular,
        {DatabaseNames::Seal, QList<TableDef>{ancientGlyphTable(sealFields)} + ancientShared},
        {DatabaseNames::Bronze,
         QList<TableDef>{ancientGlyphTable(bronzeFields), bronzeSupplement} + ancientShared},
        {DatabaseNames::OracleBone,
         QList<TableDef>{ancientGlyphTable(oracleFields)} + ancientShared},
        {DatabaseNames::Chu, QList<TableDef>{ancientGlyphTable(chuFields)} + ancientShared},
        {DatabaseNames::Transcode1, {transcodeTable}},
        {DatabaseNames::Transcode2, {transcodeTable}},
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
        {DatabaseNames::Seal, Fields::小篆編號, Fields::小篆},
        {DatabaseNames::Bronze, Fields::金文編號, Fields::金文},
        {DatabaseNames::OracleBone, Fields::甲骨文編號, Fields::甲骨文},
        {DatabaseNames::Chu, Fields::楚系文字編號, Fields::楚系文字},
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

QString StampSchemaVersionSql()
{
    return QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion);
}
