#pragma once

#include <QString>
#include <libxml/HTMLparser.h>
#include <vector>

namespace office::page
{

// The deepest nesting of elements a page may have. libxml2 stops at 256 levels, which old
// pages with unclosed <font> tags pass; this engine's walks of the tree keep their stack
// flat, and an edit, which follows the paths to its two ends, stays well within the stack
// at this depth.
constexpr int kMaxPageDepth = 10000;

// A parsed page, or why there is none: a tree is only ever made of the whole page.
struct ParsedHtml {
    enum class Failure {
        None,
        EndsInsideMarkup, // the text stops inside a tag, comment or declaration
        TooDeep,          // elements nest deeper than kMaxPageDepth
        Incomplete,       // the parser gave up before the end
    };
    htmlDocPtr doc = nullptr; // Owned by the caller (xmlFreeDoc); null on failure.
    Failure failure = Failure::None;
};

// Parses a whole page given as text. Element names keep their prefix ("o:p" stays "o:p"),
// which libxml2's tree builder would otherwise drop; comments, declarations and the content
// of script and style come back as verbatim nodes (see verbatimmarkup.h).
ParsedHtml parseHtmlDocument(const QString &text);

// Parses an HTML fragment and returns its top-level nodes as copies owned by doc, not yet
// linked into its tree (the caller links or frees them). None when it does not parse whole.
// Its tags are new markup, which the page writes in the writer's form.
std::vector<xmlNodePtr> parseHtmlFragment(const QString &html, xmlDocPtr doc);

} // namespace office::page
