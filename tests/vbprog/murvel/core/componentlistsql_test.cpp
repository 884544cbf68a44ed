#include "vbprog/murvel/core/componentlistsql.h"

#include <gtest/gtest.h>

namespace
{

QString sql(const char *listKind, int strokes, int firstStroke)
{
    return BuildComponentListSql(QString::fromUtf8(listKind), strokes, firstStroke);
}

TEST(BuildComponentListSql, BaseTextsWithoutFilter)
{
    EXPECT_EQ(sql("符號", 0, 0), QStringLiteral("select 字形 from 符號 order by 編號 "));
    EXPECT_EQ(sql("八卦", 0, 0), QStringLiteral("select 字形 from 八卦 order by 編號 "));
    EXPECT_EQ(sql("康熙字典部首", 0, 0), QStringLiteral("select 字形 from 康熙部首 "));
    EXPECT_EQ(sql("說文解字部首", 0, 0), QStringLiteral("select 字形 from 說文部首 "));
    EXPECT_EQ(sql("Big5字根", 0, 0), QStringLiteral("select 字形 from 字根 where Big5=1 "));
    EXPECT_EQ(sql("Big5及簡化字字根", 0, 0),
              QStringLiteral("select 字形 from 字根 where (Big5=1 or 簡化字=1) "));
    EXPECT_EQ(sql("字根", 0, 0), QStringLiteral("select 字形 from 字根 "));
    EXPECT_EQ(sql("小篆獨體字", 0, 0),
              QStringLiteral("select 字形 from 小篆獨體字 where 編號<9999999"));
    EXPECT_EQ(sql("金文字根", 0, 0),
              QStringLiteral("select 字形 from 金文字根 where 編號<9999999"));
    EXPECT_EQ(sql("部件外字", 0, 0),
              QStringLiteral("select 字形 from 部件外字 where 編號<9999999"));
}

TEST(BuildComponentListSql, UnknownKindListsComponentCharacters)
{
    EXPECT_EQ(sql("字形結構", 0, 0),
              QStringLiteral("select 字形 from 部件外字 where 編號<9999999"));
    EXPECT_EQ(sql("", 3, 0),
              QStringLiteral(
                  "select 字形 from 部件外字 where 編號<9999999 and 筆畫 = 3 order by 首筆,編號"));
}

TEST(BuildComponentListSql, SymbolListsTakeNoFilter)
{
    EXPECT_EQ(sql("符號", 5, 2), QStringLiteral("select 字形 from 符號 order by 編號 "));
    EXPECT_EQ(sql("八卦", 0, 1), QStringLiteral("select 字形 from 八卦 order by 編號 "));
}

TEST(BuildComponentListSql, FiltersStartAWhereClause)
{
    EXPECT_EQ(sql("字根", 5, 0),
              QStringLiteral("select 字形 from 字根 where 筆畫 = 5 order by 首筆,編號"));
    EXPECT_EQ(sql("康熙字典部首", 0, 3),
              QStringLiteral("select 字形 from 康熙部首 where 首筆 = 3 order by 筆畫,編號"));
    EXPECT_EQ(
        sql("說文解字部首", 12, 4),
        QStringLiteral("select 字形 from 說文部首 where 筆畫 = 12 and 首筆 = 4 order by 編號"));
}

TEST(BuildComponentListSql, FiltersContinueAnExistingCondition)
{
    EXPECT_EQ(sql("Big5字根", 5, 2),
              QStringLiteral(
                  "select 字形 from 字根 where Big5=1 and 筆畫 = 5 and 首筆 = 2 order by 編號"));
    EXPECT_EQ(
        sql("Big5及簡化字字根", 0, 1),
        QStringLiteral(
            "select 字形 from 字根 where (Big5=1 or 簡化字=1) and 首筆 = 1 order by 筆畫,編號"));
    EXPECT_EQ(
        sql("小篆獨體字", 7, 0),
        QStringLiteral(
            "select 字形 from 小篆獨體字 where 編號<9999999 and 筆畫 = 7 order by 首筆,編號"));
    EXPECT_EQ(sql("金文字根", 0, 5),
              QStringLiteral(
                  "select 字形 from 金文字根 where 編號<9999999 and 首筆 = 5 order by 筆畫,編號"));
    EXPECT_EQ(sql("部件外字", 10, 3), QStringLiteral("select 字形 from 部件外字 where 編號<9999999 "
                                                     "and 筆畫 = 10 and 首筆 = 3 order by 編號"));
}

TEST(BuildComponentListSql, NegativeValuesAreNoFilter)
{
    EXPECT_EQ(sql("字根", -1, -5), QStringLiteral("select 字形 from 字根 "));
    EXPECT_EQ(sql("字根", -1, 2),
              QStringLiteral("select 字形 from 字根 where 首筆 = 2 order by 筆畫,編號"));
    EXPECT_EQ(sql("金文字根", 4, -2),
              QStringLiteral(
                  "select 字形 from 金文字根 where 編號<9999999 and 筆畫 = 4 order by 首筆,編號"));
}

} // namespace
