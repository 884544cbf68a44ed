#include "vbprog/murvel/core/scripttables.h"
#include "vbprog/murvel/schema/databaseschema.h"

#include <QSet>
#include <gtest/gtest.h>

namespace
{

TEST(ScriptTable, EveryScriptNamesTablesAndFieldsTheSchemaHas)
{
    const TableDef *regularGlyphs = FindDatabaseDef(DatabaseNames::Regular)->table(Tables::檢字表);
    ASSERT_NE(regularGlyphs, nullptr);
    QSet<QString> codes, menuItems, faces;
    for (const Script &script : Scripts()) {
        SCOPED_TRACE(script.code.toStdString());
        EXPECT_EQ(&ScriptOf(script.id), &script);
        EXPECT_TRUE(IsScriptDatabase(script.databaseName));
        EXPECT_EQ(IsAncientScriptDatabase(script.databaseName), script.isAncient());
        EXPECT_EQ(script.isAncient(), !script.crossNumberField.isEmpty());
        if (script.isAncient()) {
            EXPECT_TRUE(regularGlyphs->hasField(script.crossNumberField));
            EXPECT_TRUE(regularGlyphs->hasField(script.textField));
        }
        codes.insert(script.code);
        menuItems.insert(script.menuItem);
        for (const QString &face : script.faces)
            faces.insert(face);
    }
    EXPECT_EQ(codes.size(), 5);
    EXPECT_EQ(menuItems.size(), 5);
    EXPECT_EQ(faces.size(), 6) << "the small seal has two faces";
}

TEST(ScriptTable, CodesAndFacesFallBackToTheRegularScript)
{
    EXPECT_EQ(ScriptOfCode(ScriptCodes::Chu).id, ScriptId::Chu);
    EXPECT_EQ(ScriptOfCode("小篆").face(), "北師大說文小篆");
    EXPECT_EQ(ScriptOfCode("隸書").id, ScriptId::Regular);
    EXPECT_TRUE(ScriptCodes::IsAncient("甲骨文"));
    EXPECT_FALSE(ScriptCodes::IsAncient("楷書"));
    EXPECT_FALSE(ScriptCodes::IsAncient(""));
    // The default face names the regular script, and so does a face of no script.
    EXPECT_EQ(ScriptOfFace("標楷體").id, ScriptId::Regular);
    EXPECT_EQ(ScriptOfFace("ombrel金文").id, ScriptId::Regular) << "faces compare exactly";
    EXPECT_EQ(AncientScriptTable("標楷體"), nullptr);
    EXPECT_EQ(AncientScriptTable("北師大說文重文"), ScriptOf(ScriptId::SmallSeal).glyphs);
}

} // namespace
