#pragma once

#include <QLineEdit>
#include <functional>

// The text a drop puts into a box: the selection (from `selectionStart`, `selectionLength`
// characters long) is replaced by the inserted text.
QString TextAfterDrop(const QString &text, int selectionStart, int selectionLength,
                      const QString &inserted);

// txt構字式 of the derivation view: the components to search for. Enter asks for a search
// (the key goes on to the box as usual); a glyph dragged from a glyph list drops the text
// of the glyph selected last (gDragText) in place of the selection and leaves the caret at
// the end, without searching. Getting the focus makes it the focused box of its window.
class DerivationFormulaBox : public QLineEdit
{
public:
    DerivationFormulaBox(std::function<void()> enterPressed, std::function<void()> focused,
                         QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    std::function<void()> m_enterPressed;
    std::function<void()> m_focused;
};
