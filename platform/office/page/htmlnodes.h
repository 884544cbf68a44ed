#pragma once

#include <QString>
#include <libxml/tree.h>

namespace office::page
{

// What the page model needs to know of HTML elements.

// True when the element is a known HTML element that never has content (img, br, meta...).
bool isVoidElement(xmlNodePtr node);

// True for elements that the page lays out as blocks (paragraphs, cells, list items...).
bool isBlockElement(xmlNodePtr node);

// True for the parts of tables and lists, which an edit never removes even when it empties
// them.
bool isStructural(xmlNodePtr node);

// The value of the element's attribute; empty when it has none.
QString attributeOf(xmlNodePtr element, const char *name);

// The element's name without regard to case, for comparisons ("img", "font").
bool hasName(xmlNodePtr node, const char *name);

// A node of markup that the page keeps as it was read (see verbatimmarkup.h): a text node
// that the writer writes without escaping and that is no text of the page.
xmlNodePtr newVerbatimNode(xmlDocPtr doc, const QString &markup);
bool isVerbatim(xmlNodePtr node);

// A character reference of the page's text as it was read ("&nbsp;", "&copy"): a text node
// that holds the characters it stands for and keeps the reference as its name, which the
// writer writes while the text is unchanged. A plain text node in a document without a name
// dictionary.
xmlNodePtr newReferenceNode(xmlDocPtr doc, const QString &reference, const QString &meaning);
// The reference a node was read from; empty for every other node.
QString referenceOf(xmlNodePtr node);

// The start tag an element was read with, where the writer would form it otherwise, kept
// with writtenForm, the writer's form of it when it was read. A kept tag is no attribute of
// the element's (see isKeptTagAttribute).
void keepStartTag(xmlNodePtr element, const QString &tag, const QString &writtenForm);
// The start tag read, while the writer forms the tag as writtenForm still; else empty.
QString keptStartTag(xmlNodePtr element, const QString &writtenForm);
// The end tag an element was read with ("</P>"); empty when it had none of its own.
void keepEndTag(xmlNodePtr element, const QString &tag);
QString keptEndTag(xmlNodePtr element);
bool isKeptTagAttribute(xmlAttrPtr attribute);

// A deep copy of the node owned by doc and not in its tree, made without recursion.
xmlNodePtr copyTree(xmlNodePtr node, xmlDocPtr doc);

// The node after node in document order, inside root: an element's first child, else the
// next node on the way up. Null after the last node of root. Walks with it keep the stack
// flat however deep the page nests.
xmlNodePtr nextInTree(xmlNodePtr node, xmlNodePtr root);

} // namespace office::page
