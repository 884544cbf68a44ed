#include "vbprog/murvel/views/derivationformulabox.h"

#include "platform/system/waitcursor.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <utility>

namespace
{

// Drops from the glyph lists carry gDragText; any other drag is the box's own business.
bool ComesFromGlyphList(const QDropEvent *event)
{
    return qobject_cast<const OutlineList *>(event->source()) != nullptr;
}

} // namespace

QString TextAfterDrop(const QString &text, int selectionStart, int selectionLength,
                      const QString &inserted)
{
    return text.left(selectionStart) + inserted + text.mid(selectionStart + selectionLength);
}

DerivationFormulaBox::DerivationFormulaBox(std::function<void()> enterPressed,
                                           std::function<void()> focused, QWidget *parent)
    : QLineEdit(parent), m_enterPressed(std::move(enterPressed)), m_focused(std::move(focused))
{
    setObjectName("txt構字式");
}

void DerivationFormulaBox::keyPressEvent(QKeyEvent *event)
{
    QLineEdit::keyPressEvent(event);
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        m_enterPressed();
}

void DerivationFormulaBox::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    m_focused();
}

void DerivationFormulaBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (ComesFromGlyphList(event))
        event->acceptProposedAction();
    else
        QLineEdit::dragEnterEvent(event);
}

void DerivationFormulaBox::dragMoveEvent(QDragMoveEvent *event)
{
    if (ComesFromGlyphList(event))
        event->acceptProposedAction();
    else
        QLineEdit::dragMoveEvent(event);
}

void DerivationFormulaBox::dropEvent(QDropEvent *event)
{
    if (!ComesFromGlyphList(event)) {
        QLineEdit::dropEvent(event);
        return;
    }
    event->acceptProposedAction();
    {
        const sys::WaitCursor wait;
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        setText(TextAfterDrop(text(), start, int(selectedText().size()), gDragText));
    }
    setFocus();
    setCursorPosition(int(text().size()));
}
