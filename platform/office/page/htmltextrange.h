#pragma once

#include "platform/office/page/htmlpage.h"
#include "platform/office/page/pagemodel.h"

namespace office::page
{

// A live span of an HtmlPage's body text.
class HtmlTextRange final : public TextRange
{
public:
    HtmlTextRange(HtmlPage &page, int start, int end);
    ~HtmlTextRange() override;
    HtmlTextRange(const HtmlTextRange &) = delete;
    HtmlTextRange &operator=(const HtmlTextRange &) = delete;

    int start() const { return m_span.start; }
    int end() const { return m_span.end; }

    std::unique_ptr<TextRange> duplicate() const override;
    void collapse(bool toStart = true) override;
    int move(int count) override;
    int moveStart(int count) override;
    int moveEnd(int count) override;
    bool expand() override;
    bool findText(const QString &text) override;
    void setEndPoint(EndPoint how, const TextRange &source) override;
    QString text() const override;
    void setText(const QString &text) override;
    QString htmlText() const override;
    void pasteHTML(const QString &html) override;
    std::unique_ptr<Element> parentElement() const override;
    void select() override;
    QVariant queryCommandValue(const QString &command) const override;
    bool queryCommandState(const QString &command) const override;

private:
    int clamped(int position) const;
    // The node whose formatting the range's first character has.
    xmlNodePtr formattedNode() const;

    HtmlPage &m_page;
    LiveSpan m_span;
};

} // namespace office::page
