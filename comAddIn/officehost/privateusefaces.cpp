#include "comAddIn/officehost/privateusefaces.h"

#include "platform/fonts/typefacetable.h"

#include <QPlainTextEdit>
#include <QTextCursor>

namespace officehost
{

void ShowPrivateUseFaces(QPlainTextEdit &view, const CaretMap &map,
                         const QList<TextSegment> &segments, HostDocument &document)
{
    QTextCursor cursor(view.document());
    cursor.beginEditBlock();
    for (int segment = 0; segment < segments.size(); ++segment) {
        const QString &text = segments[segment].text;
        for (int position = 0; position < text.size(); ++position) {
            const int shown = map.toDisplay(segment, position);
            if (text[position].category() != QChar::Other_PrivateUse || shown < 0)
                continue;
            cursor.setPosition(shown);
            cursor.setPosition(shown + 1, QTextCursor::KeepAnchor);
            QTextCharFormat format;
            format.setFontFamilies(fonts::privateUseFamilies(document.faceAt(segment, position)));
            cursor.mergeCharFormat(format);
        }
    }
    cursor.endEditBlock();
}

} // namespace officehost
