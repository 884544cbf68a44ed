#include "vbprog/murvel/core/databases.h"
#include "vbprog/murvel/core/glyphrtf.h"
#include "vbprog/murvel/core/公用變數.h"

#include <gtest/gtest.h>

namespace
{

class FormulaTextToRtfDatabaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        OpenReport report;
        OpenDatabases(QStringLiteral(MURVEL_FIXTURE_DIR "/basic"), report);
        OpenTables(report);
        ASSERT_TRUE(report.ok()) << report.errors.join('\n').toStdString();
    }

    void TearDown() override { CloseDatabases(); }

    // The body of the document: what follows the font table, without the closing brace.
    static QString body(const QString &rtf)
    {
        const QString lastFont = QStringLiteral(R"(\'a4\'4b;}})");
        const qsizetype start = rtf.indexOf(lastFont);
        return start < 0 ? rtf : rtf.mid(start + lastFont.size()).chopped(1);
    }
};

TEST_F(FormulaTextToRtfDatabaseTest, LooksFormulasUpInTheRegularScript)
{
    EXPECT_EQ(body(FormulaTextToRtf(QStringLiteral("X月\uF6A4木Y"), QStringLiteral("標楷體"))),
              QStringLiteral(R"({\f0\'58}{\f1\'fa\'40}{\f0\'59})"));
    EXPECT_EQ(body(FormulaTextToRtf(QStringLiteral("口\uF6A5木口\uF6A3木木\uF6A3口"),
                                    QStringLiteral("細明體"))),
              QStringLiteral(R"({\f16\'a7\'78}{\f16\'a7\'62}{\f16\'a1\'b4})"));
    EXPECT_EQ(body(FormulaTextToRtf(QStringLiteral("\uF6AE日\uF6A3\uF6A7日\uF6AF"),
                                    QStringLiteral("標楷體"))),
              QStringLiteral(R"({\f0\'b4\'b9})"));
    EXPECT_EQ(gRs檢字表楷書.index(), QStringLiteral("構字式"));
}

} // namespace
