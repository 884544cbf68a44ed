#include "tests/vbprog/murvel/mainwindow/fakeviews.h"

#include "vbprog/murvel/core/公用變數.h"

FakeView::FakeView(ViewLog &log, bool *openFlag)
    : m_log(log), m_openFlag(openFlag), m_formulaBox(new QLineEdit(this))
{
    m_formulaBox->setObjectName("txt構字式");
}

void FakeView::load()
{
    if (m_openFlag != nullptr)
        *m_openFlag = true;
    m_log.events << QStringLiteral("load %1").arg(windowKind());
    if (m_log.onLoad)
        m_log.onLoad(windowKind());
}

void FakeView::unload()
{
    if (m_openFlag != nullptr)
        *m_openFlag = false;
    m_log.events << QStringLiteral("unload %1").arg(windowKind());
}

void FakeView::baseFontChanged()
{
    m_log.events << QStringLiteral("font %1 %2").arg(windowKind()).arg(gBaseFontName);
}

void FakeView::fontSizeChanged()
{
    m_log.events << QStringLiteral("size %1 %2").arg(windowKind()).arg(gFontSize);
}

void FakeView::載入字形(const QString &face, const QString &glyph, qint32 number)
{
    m_log.events
        << QStringLiteral("glyph %1 %2 %3 %4").arg(windowKind()).arg(face, glyph).arg(number);
}

void FakeComponentList::load()
{
    setWindowKind(gOpeningWindowKind);
    m_log.events << QStringLiteral("list %1").arg(gOpeningWindowKind);
    if (m_log.onLoad)
        m_log.onLoad(windowKind());
}

void FakeComponentList::部件查詢(int strokeCount, int firstStroke)
{
    m_log.events << QStringLiteral("query %1 %2").arg(strokeCount).arg(firstStroke);
}
