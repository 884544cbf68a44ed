#pragma once

#include "platform/common/result.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>

namespace office
{
class HostApplication;
}

// One document open in the host program, whatever its kind: the texts a window shows and
// the selection within them.
namespace officehost
{

// One text of the document as the window shows it: Word's main story, an Excel cell, a
// PowerPoint text frame, the page's body. `label` names it ("B3", "投影片 2") and is
// shown before the text; positions in `text` are the model's (UTF-16 units from 0).
struct TextSegment {
    QString label;
    QString text;
};

// A selection inside one segment: [start, end) of its text, start == end at a caret.
struct SegmentSelection {
    int segment = 0;
    int start = 0;
    int end = 0;
    friend bool operator==(const SegmentSelection &, const SegmentSelection &) = default;
};

class HostDocument
{
public:
    virtual ~HostDocument() = default;

    // The host the document is open in. Owned by the session.
    virtual office::HostApplication &application() = 0;
    virtual QString fullName() const = 0;

    // The texts of the document, in the order the window shows them; read afresh on each
    // call, as add-ins change the model.
    virtual QList<TextSegment> segments() = 0;
    // Makes the span the host's selection (Word's Selection, Excel's active cell, the
    // PowerPoint window's text selection, the page's selection).
    virtual void select(const SegmentSelection &selection) = 0;
    // The host's selection, when it lies in one of the segments.
    virtual std::optional<SegmentSelection> selection() = 0;
    // True where the host selects whole segments (Excel's cells, which a paste replaces),
    // false where it selects text within them.
    virtual bool selectsWholeSegments() const { return false; }

    // The typeface that the run holding a segment's character names (segments as the last
    // call of segments() gave them); empty when it names none. Private-use characters mean
    // what that typeface draws.
    virtual QString faceAt(int segment, int position) = 0;

    // False after a change that was not saved yet.
    virtual bool saved() const = 0;
    virtual platform::Result<bool> save() = 0;

    // Word's document protection, which the user may remove; false for the other hosts.
    virtual bool isProtected() const { return false; }
    virtual void unprotect() {}
};

} // namespace officehost
