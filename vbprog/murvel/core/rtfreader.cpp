#include "vbprog/murvel/core/rtfreader.h"

#include "platform/codepage/cp950.h"
#include "platform/common/asciichars.h"

#include <QMap>

namespace
{

using platform::hexDigitValue;
using platform::isAsciiDigit;
using platform::isAsciiLetter;

constexpr int NoFont = -1;

class GlyphRtfParser
{
public:
    explicit GlyphRtfParser(const QString &rtf) : m_rtf(rtf) {}

    QList<RtfRun> parse()
    {
        while (m_pos < m_rtf.size()) {
            const QChar c = m_rtf[m_pos++];
            if (c == u'{')
                openGroup();
            else if (c == u'}')
                closeGroup();
            else if (c == u'\\')
                readControl();
            else if (c != u'\r' && c != u'\n') // line breaks in rich text are not text
                appendCharacter(c);
        }
        endPiece();
        return m_runs;
    }

private:
    // What a group's text is: the body, or a typeface name inside the font table.
    struct GroupState {
        int font = NoFont;
        bool inFontTable = false;
    };

    void openGroup()
    {
        endPiece();
        m_groups.append(m_state);
    }

    void closeGroup()
    {
        endPiece();
        if (!m_groups.isEmpty())
            m_state = m_groups.takeLast();
    }

    void readControl()
    {
        if (m_pos >= m_rtf.size())
            return;
        const QChar c = m_rtf[m_pos];
        if (c == u'\'') {
            readHexByte();
        } else if (isAsciiLetter(c)) {
            readControlWord();
        } else {
            ++m_pos;
            appendCharacter(c);
        }
    }

    // \'hh: one byte. An escape without two hexadecimal digits is dropped together with
    // the digit it has, so that a cut-off escape adds no stray text.
    void readHexByte()
    {
        ++m_pos;
        const int high = hexDigitAt(m_pos);
        if (high < 0)
            return;
        const int low = hexDigitAt(++m_pos);
        if (low < 0)
            return;
        ++m_pos;
        m_pendingBytes.append(char(high * 16 + low));
    }

    int hexDigitAt(qsizetype pos) const
    {
        return pos < m_rtf.size() ? hexDigitValue(m_rtf[pos]) : -1;
    }

    // A word, an optional signed number, and one blank that only delimits the word.
    void readControlWord()
    {
        const qsizetype wordStart = m_pos;
        while (m_pos < m_rtf.size() && isAsciiLetter(m_rtf[m_pos]))
            ++m_pos;
        const QString word = m_rtf.mid(wordStart, m_pos - wordStart);
        const qsizetype numberStart = m_pos;
        if (m_pos < m_rtf.size() && m_rtf[m_pos] == u'-')
            ++m_pos;
        while (m_pos < m_rtf.size() && isAsciiDigit(m_rtf[m_pos]))
            ++m_pos;
        bool hasNumber = false;
        const int number = m_rtf.mid(numberStart, m_pos - numberStart).toInt(&hasNumber);
        if (m_pos < m_rtf.size() && m_rtf[m_pos] == u' ')
            ++m_pos;

        if (word == u"f") {
            endPiece();
            m_state.font = hasNumber && number >= 0 ? number : NoFont;
        } else if (word == u"fonttbl") {
            m_state.inFontTable = true;
        }
    }

    void appendCharacter(QChar c)
    {
        if (c.unicode() < 0x80) {
            m_pendingBytes.append(char(c.unicode()));
            if (c == u';' && m_state.inFontTable)
                endPiece(); // a typeface name ends at its semicolon
        } else {
            m_pendingText += codepage::fromCp950(m_pendingBytes) + c;
            m_pendingBytes.clear();
        }
    }

    // Ends the text read since the last group, font or name boundary.
    void endPiece()
    {
        QString text = m_pendingText + codepage::fromCp950(m_pendingBytes);
        m_pendingText.clear();
        m_pendingBytes.clear();
        if (m_state.inFontTable) {
            if (text.endsWith(u';'))
                text.chop(1);
            if (m_state.font != NoFont && !text.isEmpty() && !m_fontNames.contains(m_state.font))
                addFont(m_state.font, text);
        } else if (!text.isEmpty()) {
            m_runs.append({text, typefaceOf(m_state.font)});
        }
    }

    void addFont(int number, const QString &name)
    {
        if (m_fontNames.isEmpty())
            m_baseTypeface = name;
        m_fontNames.insert(number, name);
    }

    QString typefaceOf(int font) const { return m_fontNames.value(font, m_baseTypeface); }

    const QString &m_rtf;
    qsizetype m_pos = 0;
    GroupState m_state;
    QList<GroupState> m_groups; // the states of the enclosing groups, innermost last
    QByteArray m_pendingBytes;
    QString m_pendingText;
    QMap<int, QString> m_fontNames;
    QString m_baseTypeface; // the first typeface of the font table
    QList<RtfRun> m_runs;
};

} // namespace

QList<RtfRun> ReadGlyphRtf(const QString &rtf)
{
    if (!rtf.startsWith(QStringLiteral("{\\rtf")))
        return rtf.isEmpty() ? QList<RtfRun>() : QList<RtfRun>{{rtf, QString()}};
    return GlyphRtfParser(rtf).parse();
}
