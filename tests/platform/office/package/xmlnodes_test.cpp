#include "platform/office/package/xmlnodes.h"

#include <gtest/gtest.h>

using office::xml::sameXml;
using office::xml::serialize;

namespace
{

pugi::xml_node parsed(pugi::xml_document &document, const char *text)
{
    document.load_string(text);
    return document.document_element();
}

} // namespace

// Run formatting is compared to decide whether two runs may be joined: nodes are the same
// exactly when they are written as the same text.
TEST(SameXml, AgreesWithTheWrittenText)
{
    const char *const texts[] = {
        "<w:rPr><w:b/><w:sz w:val=\"24\"/></w:rPr>",
        "<w:rPr><w:b/><w:sz w:val=\"28\"/></w:rPr>",
        "<w:rPr><w:sz w:val=\"24\"/><w:b/></w:rPr>",
        "<w:rPr><w:b/></w:rPr>",
        "<w:rPr><w:b/><w:sz w:val=\"24\" w:x=\"1\"/></w:rPr>",
        "<w:rPr><w:b/><w:sz w:x=\"24\"/></w:rPr>",
        "<w:rPr><w:b/><w:sz w:val=\"24\"/><w:i/></w:rPr>",
        "<w:rPr>a<w:b/></w:rPr>",
        "<w:rPr>b<w:b/></w:rPr>",
        "<w:rPr><![CDATA[a]]><w:b/></w:rPr>",
        "<w:rPr/>",
        "<w:pPr/>",
    };
    for (const char *left : texts) {
        for (const char *right : texts) {
            pugi::xml_document a;
            pugi::xml_document b;
            const pugi::xml_node x = parsed(a, left);
            const pugi::xml_node y = parsed(b, right);
            EXPECT_EQ(sameXml(x, y), serialize(x) == serialize(y)) << left << " " << right;
        }
    }
    pugi::xml_document a;
    const pugi::xml_node empty = parsed(a, "<w:rPr/>");
    EXPECT_TRUE(sameXml(pugi::xml_node(), pugi::xml_node())) << "two runs without formatting";
    EXPECT_FALSE(sameXml(empty, pugi::xml_node()));
    EXPECT_FALSE(sameXml(pugi::xml_node(), empty));
}
