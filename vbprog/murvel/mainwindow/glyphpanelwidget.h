#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

class GlyphPanel;
class QLineEdit;

// The glyph attribute panel pic字形屬性: a captioned box for each box of the panel model, in
// the model's order, and the status box txt狀態. The window shows the model through it.
class GlyphPanelWidget : public QWidget
{
public:
    explicit GlyphPanelWidget(QWidget *parent = nullptr);

    // A box by name (txt編號 .. txt組字字數含異寫); null for another name.
    QLineEdit *box(const QString &name) const { return m_boxes.value(name); }
    // Whether the object is one of the panel's boxes.
    bool isBox(const QObject *object) const;
    QLineEdit *statusBox() const { return m_status; }
    // Shows the text in the status box. A long search reports its progress at every record,
    // mostly in the text already shown: that set is no change, and the box is not drawn
    // again for it.
    void showStatus(const QString &text);

    // Takes the boxes' texts into the model.
    void read(GlyphPanel &panel) const;
    // Puts the model into the boxes in the model's order; a box that already shows its text
    // is left alone, so that it reports no change.
    void fill(const GlyphPanel &panel);

private:
    QHash<QString, QLineEdit *> m_boxes; // owned by the widget
    QLineEdit *m_status;                 // owned by the widget
};
