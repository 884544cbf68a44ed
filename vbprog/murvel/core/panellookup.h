#pragma once

#include <QString>
#include <optional>

// A glyph as the views get it: its script's typeface and its number in that script.
struct ViewGlyph {
    QString face;
    qint32 number = 0;
};

// What one lookup of the attribute panel found.
struct LookupOutcome {
    enum class Kind {
        Ignored, // nothing to seek: blank text, or a number box that holds no number
        Hit,     // gRs檢字表 stands on the regular record of `number`
        Miss,    // the panel is cleared and `status` shown
    };
    Kind kind = Kind::Ignored;
    qint32 number = 0;   // Hit: the regular script's 編號
    ViewGlyph viewGlyph; // Hit: the script chosen in the 字集 menu when the glyph has a
                         // form in it, else the regular script
    // A formula whose key is too short: the text put into txt字形 before the miss.
    std::optional<QString> glyphBoxText;
    QString status; // Miss: the text of txt狀態
};

// The lookups behind Enter in txt字形, txt構字式 and txt編號, without the window: each seeks
// the regular-script table (gRs檢字表 is made to refer to gRs檢字表楷書) and says what the
// panel and the views are to show. A read error of the table is a miss whose status names
// the table and the error, never a silent miss.
class PanelLookup
{
public:
    // The text sought exactly as typed: a blank before the glyph misses.
    LookupOutcome byGlyph(const QString &text);
    // The formula search; its near matches follow the miss status when there are enough.
    LookupOutcome byFormula(const QString &text);
    // The number rounded as the box's number is; beyond 32 bits it has no record.
    LookupOutcome byNumber(const QString &text);

private:
    LookupOutcome seek(const QString &index, const QVariant &key, qint32 number);
    LookupOutcome miss() const;

    // Near matches of the last formula search, shown after its miss.
    QString m_similarGlyphList;
};
