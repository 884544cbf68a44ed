#include "tests/vbprog/murvel/views/derivationscan.h"
#include "vbprog/murvel/core/databases.h"
#include "vbprog/murvel/core/scripttables.h"

#include <gtest/gtest.h>

namespace
{

// The sample databases of the program folder, as the program opens them.
class SampleDerivationIndex : public testing::TestWithParam<ScriptId>
{
protected:
    static void SetUpTestSuite()
    {
        OpenReport report;
        OpenDatabases(MURVEL_PROGRAM_DIR, report);
        OpenTables(report);
        ASSERT_TRUE(report.ok()) << report.errors.join('\n').toStdString();
    }
    static void TearDownTestSuite() { CloseDatabases(); }
};

TEST_P(SampleDerivationIndex, AnswersAsTheScanForEveryRoot)
{
    EXPECT_GT(ExpectDerivationsMatchTheScan(ScriptOf(GetParam()).code), 0);
}

INSTANTIATE_TEST_SUITE_P(Scripts, SampleDerivationIndex,
                         testing::Values(ScriptId::Regular, ScriptId::SmallSeal, ScriptId::Bronze,
                                         ScriptId::OracleBone, ScriptId::Chu));

} // namespace
