#pragma once

#include <QDir>
#include <QString>

// The names of the glyph databases' files, tables, fields and indexes: the one place that
// spells them. Code names a table, field or index through these constants, so that a
// misspelt name fails to compile instead of reading Null. The SQL texts of the program are
// written out as they stand.

// The database files, by name without ".mdb".
namespace DatabaseNames
{
inline const QString Regular = QStringLiteral("murvel"); // regular script and the shared tables
inline const QString Seal = QStringLiteral("qelseal");
inline const QString Bronze = QStringLiteral("qelbronz");
inline const QString OracleBone = QStringLiteral("qeljiagu");
inline const QString Chu = QStringLiteral("qelchu");
// The transcoding tables of the batch tools.
inline const QString Transcode1 = QStringLiteral("kavrot01");
inline const QString Transcode2 = QStringLiteral("kavrot02");
} // namespace DatabaseNames

// The file of a database in the program folder: its name and ".mdb".
inline QString DatabaseFileName(const QString &name)
{
    return name + QStringLiteral(".mdb");
}

// The path of a database's file in a folder (with or without its trailing separator).
inline QString DatabasePath(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(DatabaseFileName(name));
}

namespace Tables
{
inline const QString 檢字表 = QStringLiteral("檢字表");
inline const QString 字根 = QStringLiteral("字根");
inline const QString 異寫字根 = QStringLiteral("異寫字根");
inline const QString 異體字表 = QStringLiteral("異體字表");
inline const QString 異體字根 = QStringLiteral("異體字根");
inline const QString 符號 = QStringLiteral("符號");
inline const QString 字體 = QStringLiteral("字體");
inline const QString 常用符號及部件類型 = QStringLiteral("常用符號及部件類型");
inline const QString 常用符號及部件 = QStringLiteral("常用符號及部件");
inline const QString 康熙部首 = QStringLiteral("康熙部首");
inline const QString 說文部首 = QStringLiteral("說文部首");
inline const QString 八卦 = QStringLiteral("八卦");
inline const QString 小篆獨體字 = QStringLiteral("小篆獨體字");
inline const QString 金文字根 = QStringLiteral("金文字根");
inline const QString 部件外字 = QStringLiteral("部件外字");
inline const QString 補遺 = QStringLiteral("補遺");
} // namespace Tables

// Fields; a name written with brackets in SQL is spelt here without them.
namespace Fields
{
inline const QString 編號 = QStringLiteral("編號");
inline const QString 字形 = QStringLiteral("字形");
inline const QString 字碼 = QStringLiteral("字碼");
inline const QString 字體 = QStringLiteral("字體");
inline const QString 連接符號 = QStringLiteral("連接符號");
inline const QString 部件序 = QStringLiteral("部件序");
inline const QString 部件序二 = QStringLiteral("部件序二");
inline const QString 字根序 = QStringLiteral("字根序");
inline const QString 字根序二 = QStringLiteral("字根序二");
inline const QString 字根組 = QStringLiteral("字根組");
inline const QString 字根組二 = QStringLiteral("字根組二");
inline const QString 組字字數 = QStringLiteral("組字字數");
inline const QString 組字字數二 = QStringLiteral("組字字數二");
inline const QString 組字字數常用字 = QStringLiteral("組字字數(常用字)");
inline const QString 組字字數Big5 = QStringLiteral("組字字數(Big5)");
inline const QString 組字字數簡化字 = QStringLiteral("組字字數(簡化字)");
inline const QString 組字字數漢語大字典 = QStringLiteral("組字字數(漢語大字典)");
inline const QString 部首筆畫排序 = QStringLiteral("部首筆畫排序");
inline const QString 筆畫 = QStringLiteral("筆畫");
inline const QString 部首 = QStringLiteral("部首");
inline const QString 部首筆畫 = QStringLiteral("部首筆畫");
inline const QString 常用字 = QStringLiteral("常用字");
inline const QString 簡化字 = QStringLiteral("簡化字");
inline const QString 漢語大字典 = QStringLiteral("漢語大字典");
inline const QString 重複 = QStringLiteral("重複");
inline const QString 注音 = QStringLiteral("注音");
inline const QString BIG5 = QStringLiteral("BIG5");
inline const QString 倉頡 = QStringLiteral("倉頡");
inline const QString Unicode = QStringLiteral("Unicode");
inline const QString 遠東漢語大字典 = QStringLiteral("遠東漢語大字典");
inline const QString 建宏漢語大字典 = QStringLiteral("建宏漢語大字典");
inline const QString 中文大辭典索引 = QStringLiteral("中文大辭典索引");
inline const QString 中文大辭典部首 = QStringLiteral("中文大辭典部首");
inline const QString 小篆編號 = QStringLiteral("小篆編號");
inline const QString 金文編號 = QStringLiteral("金文編號");
inline const QString 甲骨文編號 = QStringLiteral("甲骨文編號");
inline const QString 楚系文字編號 = QStringLiteral("楚系文字編號");
inline const QString 小篆 = QStringLiteral("小篆");
inline const QString 金文 = QStringLiteral("金文");
inline const QString 甲骨文 = QStringLiteral("甲骨文");
inline const QString 楚系文字 = QStringLiteral("楚系文字");
inline const QString 楷書編號 = QStringLiteral("楷書編號");
inline const QString 解形 = QStringLiteral("解形");
inline const QString 字源 = QStringLiteral("字源");
inline const QString 解形二 = QStringLiteral("解形二");
inline const QString 六書 = QStringLiteral("六書");
inline const QString 卷 = QStringLiteral("卷");
inline const QString 詁林索引 = QStringLiteral("詁林索引");
inline const QString 中華索引 = QStringLiteral("中華索引");
inline const QString 金文編索引 = QStringLiteral("金文編索引");
inline const QString 金文詁林索引 = QStringLiteral("金文詁林索引");
inline const QString 集成器號 = QStringLiteral("集成器號");
inline const QString 集成引得索引 = QStringLiteral("集成引得索引");
inline const QString 集成器名 = QStringLiteral("集成器名");
inline const QString 器名缺字 = QStringLiteral("器名缺字");
inline const QString 甲骨刻辭類纂 = QStringLiteral("甲骨刻辭類纂");
inline const QString 甲骨文字詁林 = QStringLiteral("甲骨文字詁林");
inline const QString 甲骨文字集釋 = QStringLiteral("甲骨文字集釋");
inline const QString 楚系簡帛文字編 = QStringLiteral("楚系簡帛文字編");
inline const QString 出處 = QStringLiteral("出處");
inline const QString Big5 = QStringLiteral("Big5");
inline const QString 首筆 = QStringLiteral("首筆");
inline const QString 字根 = QStringLiteral("字根");
inline const QString 異寫 = QStringLiteral("異寫");
inline const QString 組號 = QStringLiteral("組號");
inline const QString 形碼 = QStringLiteral("形碼");
inline const QString 類別 = QStringLiteral("類別");
inline const QString 名稱 = QStringLiteral("名稱");
inline const QString 類型 = QStringLiteral("類型");
inline const QString 說明 = QStringLiteral("說明");
inline const QString 舊形 = QStringLiteral("舊形");
inline const QString 構字式 = QStringLiteral("構字式");
} // namespace Fields

// Indexes, each over the fields the schema gives it; 構字式 is (連接符號, 部件序).
namespace Indexes
{
inline const QString 編號 = QStringLiteral("編號");
inline const QString 字形 = QStringLiteral("字形");
inline const QString 構字式 = QStringLiteral("構字式");
inline const QString 字根序 = QStringLiteral("字根序");
inline const QString 字根序二 = QStringLiteral("字根序二");
inline const QString 字根組 = QStringLiteral("字根組");
inline const QString 字根組二 = QStringLiteral("字根組二");
inline const QString 楷書編號 = QStringLiteral("楷書編號");
inline const QString 字根 = QStringLiteral("字根");
inline const QString 組號 = QStringLiteral("組號");
inline const QString 舊形 = QStringLiteral("舊形");
} // namespace Indexes
