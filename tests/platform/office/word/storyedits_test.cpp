#include "platform/office/word/docx/story.h"

#include <QRandomGenerator>
#include <cstring>
#include <gtest/gtest.h>

using word::docx::Story;
using word::docx::StyleSheet;

namespace
{

// Three paragraphs, the middle one long and of every kind of content the map knows: runs
// of several formats, tabs and breaks, a hyperlink, a simple field, a content control,
// bookmarks at the top level and inside a hyperlink, a picture, an empty run.
const char *const body =
    "<w:body xmlns:w='http://schemas.openxmlformats.org/wordprocessingml/2006/main'>"
    "<w:p><w:r><w:t>first</w:t></w:r></w:p>"
    "<w:p><w:pPr><w:jc w:val='left'/></w:pPr><w:bookmarkStart w:id='0' w:name='a'/>"
    "<w:r><w:t>說文解字注曰之字</w:t></w:r>"
    "<w:r><w:rPr><w:b/></w:rPr><w:t>bold text</w:t><w:tab/><w:t>after tab</w:t></w:r>"
    "<w:hyperlink><w:r><w:t>link</w:t></w:r><w:bookmarkEnd w:id='0'/>"
    "<w:r><w:rPr><w:i/></w:rPr><w:t>ed</w:t></w:r></w:hyperlink>"
    "<w:r><w:rPr/></w:r>"
    "<w:fldSimple w:instr='PAGE'><w:r><w:t>12</w:t></w:r></w:fldSimple>"
    "<w:r><w:drawing/><w:t>picture</w:t><w:br/></w:r>"
    "<w:sdt><w:sdtContent><w:r><w:t>control</w:t></w:r></w:sdtContent></w:sdt>"
    "<w:bookmarkStart w:id='1' w:name='b'/>"
    "<w:r><w:rPr><w:rFonts w:eastAsia='標楷體'/></w:rPr><w:t>\xE5\xAD\x97\xE5\xBD\xA2</w:t></w:r>"
    "<w:bookmarkEnd w:id='1'/></w:p>"
    "<w:p><w:r><w:t>last</w:t></w:r></w:p></w:body>";

// What a story made afresh over the same XML maps: the edited story's map must agree.
void expectSameMapAsAFreshStory(const Story &edited, const pugi::xml_node &container,
                                const std::string &step)
{
    const Story fresh(edited.type(), edited.part(), {container}, nullptr, {});
    ASSERT_EQ(edited.text().toStdU16String(), fresh.text().toStdU16String()) << step;
    for (const char *name : {"w:bookmarkStart", "w:bookmarkEnd"})
        EXPECT_EQ(edited.markers(name), fresh.markers(name)) << step << ' ' << name;
    EXPECT_EQ(edited.objects(), fresh.objects()) << step;
}

} // namespace

// Each edit maps again only the part of the paragraph it touched; a long run of edits of
// every kind must leave the same map as reading the edited XML from the start.
TEST(StoryEditsTest, EditsAnywhereInAParagraphLeaveTheMapAFreshReadingMakes)
{
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(body));
    const pugi::xml_node container = document.document_element();
    Story story(word::StoryType::MainText, QStringLiteral("word/document.xml"), {container},
                nullptr, {});
    const int firstLength = 6;
    QRandomGenerator random(20251209);
    const QString alphabet = QStringLiteral("ab字 \t\uE000\uF6A3");
    for (int step = 0; step < 400; ++step) {
        // Edits stay inside the middle paragraph, its end left alone.
        const int middleEnd = story.length() - 5 - 1;
        const int start = firstLength + random.bounded(middleEnd - firstLength + 1);
        const int end = start + random.bounded(std::min(4, middleEnd - start) + 1);
        const int kind = random.bounded(4);
        std::string what = std::to_string(step) + ": ";
        if (kind == 0) {
            QString text;
            for (int i = random.bounded(4); i > 0; --i)
                text += alphabet.at(random.bounded(int(alphabet.size())));
            what += "replace " + std::to_string(start) + ".." + std::to_string(end) + " by " +
                    text.toStdString();
            story.replace(start, end, text);
        } else if (kind == 1 && start < end) {
            word::Font font;
            font.bold = random.bounded(2) == 1;
            font.name = random.bounded(2) == 1 ? QStringLiteral("標楷體") : QStringLiteral("Arial");
            what += "font " + std::to_string(start) + ".." + std::to_string(end);
            story.setFont(start, end, font);
        } else if (kind == 2) {
            what += "object " + std::to_string(start) + ".." + std::to_string(end);
            story.replaceWithObject(start, end,
                                    [](pugi::xml_node run) { run.append_child("w:drawing"); });
        } else {
            what += "delete " + std::to_string(start) + ".." + std::to_string(end);
            story.replace(start, end, QString());
        }
        expectSameMapAsAFreshStory(story, container, what);
        if (::testing::Test::HasFailure())
            return;
    }
    EXPECT_TRUE(story.text().startsWith(QStringLiteral("first\r")));
    EXPECT_TRUE(story.text().endsWith(QStringLiteral("\rlast\r")));
}

// Text typed with private-use characters is split into runs of its own around each of them.
TEST(StoryEditsTest, TypedPrivateUseCharactersInALongParagraphKeepTheMap)
{
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(body));
    const pugi::xml_node container = document.document_element();
    pugi::xml_document stylesXml;
    ASSERT_TRUE(stylesXml.load_string(
        "<w:styles xmlns:w='http://schemas.openxmlformats.org/wordprocessingml/2006/main'/>"));
    const StyleSheet styles(stylesXml.document_element(), {});
    Story story(word::StoryType::MainText, QStringLiteral("word/document.xml"), {container},
                &styles, {});
    for (int position : {40, 30, 20, 8}) {
        story.replace(position, position + 1, QStringLiteral("x\uE001y\uE002"), Story::Typed::Yes);
        expectSameMapAsAFreshStory(story, container, "typed at " + std::to_string(position));
    }
    EXPECT_EQ(story.text().count(QChar(0xE001)), 4);
}

// A paragraph held in one long run is cut into shorter runs at its first edit, and edits
// join runs only up to a bounded length, so an edit never copies the whole paragraph.
TEST(StoryEditsTest, ALongRunIsCutAtItsFirstEditAndKeepsItsTextAndFormatting)
{
    QString longText;
    for (int i = 0; i < 6000; ++i)
        longText += QChar(i % 7 == 0 ? 0x5B57 : u'a' + i % 26);
    // A surrogate pair across the first place the text is cut stays whole.
    longText.insert(1023, QStringLiteral("\U00020000"));
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(
        (QStringLiteral(
             "<w:body xmlns:w='http://schemas.openxmlformats.org/wordprocessingml/2006/main'>"
             "<w:p><w:r><w:rPr><w:b/></w:rPr><w:t>") +
         longText + QStringLiteral("</w:t><w:tab/></w:r></w:p></w:body>"))
            .toUtf8()
            .constData()));
    const pugi::xml_node container = document.document_element();
    Story story(word::StoryType::MainText, QStringLiteral("word/document.xml"), {container},
                nullptr, {});
    QString expected = longText + QStringLiteral("\t\r");
    for (int position = 10; position < 5990; position += 997) {
        story.replace(position, position + 1, QStringLiteral("xy"));
        expected.replace(position, 1, QStringLiteral("xy"));
        expectSameMapAsAFreshStory(story, container, "at " + std::to_string(position));
    }
    EXPECT_EQ(story.text(), expected);
    int runs = 0;
    for (pugi::xml_node run : container.child("w:p").children("w:r")) {
        ++runs;
        EXPECT_TRUE(run.child("w:rPr").child("w:b")) << "each piece keeps the formatting";
        EXPECT_LE(std::strlen(run.child("w:t").child_value()), 4096u);
    }
    EXPECT_GT(runs, 3);
}
