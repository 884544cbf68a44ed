#include "vbprog/murvel/views/glyphlistwindow.h"

#include "vbprog/murvel/core/glyphattributes.h"
#include "vbprog/murvel/core/recordfields.h"
#include "vbprog/murvel/core/scriptfaces.h"
#include "vbprog/murvel/core/typefacenames.h"
#include "vbprog/murvel/mainwindow/mainwindowservices.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/schema/schemanames.h"
#include "vbprog/murvel/views/outlinelist.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

namespace
{

const QString &RegularFace = Faces::Kai;
const char *const TagProperty = "Tag";
constexpr int ListMargin = 4;

// The lock's two pictures: a pin standing (unlocked) and a pin pushed in (locked).
QPixmap pinPicture(bool pushed)
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::darkGray, 1.5));
    if (pushed) {
        painter.setBrush(QColor(200, 40, 40));
        painter.drawEllipse(QRectF(3, 3, 10, 10));
        painter.drawPoint(QPointF(8, 8));
    } else {
        painter.setBrush(QColor(40, 120, 200));
        painter.drawEllipse(QRectF(1, 2, 8, 8));
        painter.drawLine(QPointF(8, 8), QPointF(15, 15));
    }
    return picture;
}

// Shows the lock and turns a click on it into the window's toggle.
class LockImage : public QLabel
{
public:
    explicit LockImage(std::function<void()> clicked) : m_clicked(std::move(clicked))
    {
        setObjectName("imglock");
        setProperty(TagProperty, QStringLiteral("0"));
    }

protected:
    void mousePressEvent(QMouseEvent *) override { m_clicked(); }

private:
    std::function<void()> m_clicked;
};

} // namespace

GlyphListTraits ViewTraits(int kind, GlyphListTraits traits)
{
    const WindowKindInfo &info = WindowKindInfoOf(kind);
    traits.title = info.caption;
    traits.openFlag = info.openFlag;
    traits.menuItem = info.menuItem;
    return traits;
}

GlyphListWindow::GlyphListWindow(GlyphListTraits traits, QWidget *parent)
    : ChildWindow(parent), m_traits(std::move(traits)), m_layout(new QVBoxLayout(this)),
      m_list(new OutlineList), m_lock(nullptr)
{
    m_list->setObjectName("tree字形樹狀結構");
    m_layout->setContentsMargins(ListMargin, ListMargin, ListMargin, ListMargin);
    m_layout->setSpacing(ListMargin);
    if (m_traits.hasLock) {
        auto *bar = new QHBoxLayout;
        bar->addStretch();
        m_lock = new LockImage([this] { toggleLock(); });
        m_lock->setPixmap(pinPicture(false));
        m_lock->setToolTip(QStringLiteral("鎖定"));
        bar->addWidget(m_lock);
        m_layout->addLayout(bar);
    }
    m_layout->addWidget(m_list, 1);
    updateCaption();

    QObject::connect(m_list, &OutlineList::Select, this, [this] { onSelect(); });
    QObject::connect(m_list, &OutlineList::GotFocus, this, [this] {
        if (m_traits.listFocusIsCurrentWindow)
            gCurrentWindowKind = windowKind();
        if (m_traits.listFocusCode != 0)
            gFocusedBox = m_traits.listFocusCode;
    });
    // The selection is dropped whenever the list loses the focus.
    QObject::connect(m_list, &OutlineList::LostFocus, this, [this] { m_list->setListIndex(-1); });
}

void GlyphListWindow::addAboveList(QWidget *widget)
{
    m_layout->insertWidget(m_layout->indexOf(m_list), widget);
}

bool GlyphListWindow::isLocked() const
{
    return m_lock != nullptr && m_lock->property(TagProperty).toString().toInt() == 1;
}

void GlyphListWindow::toggleLock()
{
    if (m_lock == nullptr)
        return;
    const bool lock = !isLocked();
    m_lock->setProperty(TagProperty, lock ? QStringLiteral("1") : QStringLiteral("0"));
    m_lock->setPixmap(pinPicture(lock));
    m_lock->setToolTip(lock ? QStringLiteral("解除鎖定") : QStringLiteral("鎖定"));
    updateCaption();
}

void GlyphListWindow::updateCaption()
{
    setWindowTitle(isLocked() ? m_traits.title + QStringLiteral("(鎖定)") : m_traits.title);
}

void GlyphListWindow::load()
{
    if (m_traits.openFlag != nullptr)
        *m_traits.openFlag = true;
    m_list->setFontSize(gFontSize);
    if (!m_traits.keepsListFace)
        m_list->setFontName(gBaseFontName);
    mWindowKind = gOpeningWindowKind;
    mWindowName =
        mWindowKind >= 0 && mWindowKind < WindowKindCount ? gWindowNames[mWindowKind] : QString();
    if (m_traits.startsWithEmptyItem && m_list->ListCount() == 0) {
        m_list->AddItem(QString());
        m_list->setItemPicture(0, m_list->PictureLeaf());
    }
    mFaceNames.fill(QString());
    for (int code = 0; code < FaceCodeCount && !gFaceNames[code].isEmpty(); ++code)
        mFaceNames[code] = gFaceNames[code];

    if (!m_traits.loadsCurrentGlyph || Services() == nullptr)
        return;
    const QString glyph = Services()->glyphBoxText();
    if (FindOperator(glyph, 1, OperatorNumbers::Count) != 0)
        return; // an operator symbol on the panel loads nothing
    gRs檢字表 = gRs檢字表楷書;
    qint32 number = 0;
    if (gRs檢字表.setIndex(Indexes::編號) && gRs檢字表.seek(gCurrentGlyphNumber))
        number = Int32Field(gRs檢字表.value(Fields::編號)).value_or(0);
    loadGlyph(RegularFace, glyph, number);
}

void GlyphListWindow::loadGlyph(const QString &, const QString &, qint32)
{
}

void GlyphListWindow::activated()
{
    ChildWindow::activated();
    if (m_traits.reselectsOnActivate)
        onSelect();
    if (Services() != nullptr && m_traits.statusMessage != nullptr)
        Services()->setStatusText(*m_traits.statusMessage);
}

void GlyphListWindow::unload()
{
    if (m_traits.openFlag != nullptr)
        *m_traits.openFlag = false;
    if (!m_traits.menuItem.isEmpty() && Services() != nullptr)
        Services()->enableMenuItem(m_traits.menuItem);
}

void GlyphListWindow::baseFontChanged()
{
    m_list->setFontName(gBaseFontName);
    for (int i = 0; i < m_list->ListCount(); ++i) {
        const QString face = m_list->ItemFontName(i);
        if (face != gBaseFontName)
            m_list->setItemFontName(i, SwapBaseFontName(face));
    }
}

void GlyphListWindow::fontSizeChanged()
{
    m_list->setFontSize(gFontSize);
    for (int i = 0; i < m_list->ListCount(); ++i)
        m_list->setItemFontSize(i, gFontSize);
}

std::optional<ChildWindow::ListItem> GlyphListWindow::selectedListItem() const
{
    const int index = m_list->ListIndex();
    if (index < 0)
        return std::nullopt;
    return ListItem{m_list->ItemFlag(index).toString(), m_list->ItemText(index)};
}

bool GlyphListWindow::selectionIsBroadcast() const
{
    const int index = m_list->ListIndex();
    const int firstGlyphItem = m_traits.firstItemIsTitle ? 1 : 0;
    if (index < firstGlyphItem || m_list->ItemText(firstGlyphItem).isEmpty())
        return false;
    const bool oneCharacterOnly = m_traits.selectsOneCharacterOnly || m_traits.selectsGlyphRowsOnly;
    return !oneCharacterOnly || m_list->ItemText(index).size() == 1;
}

void GlyphListWindow::onSelect()
{
    if (m_traits.selectMakesCurrentWindow)
        gCurrentWindowKind = windowKind();
    MainWindowServices *main = Services();
    if (main == nullptr || !selectionIsBroadcast())
        return;
    const int index = m_list->ListIndex();
    const QString text = m_list->ItemText(index);
    const qint32 number = m_list->ItemData(index);
    QString face = m_list->ItemFontName(index);
    if (m_traits.selectsOneCharacterOnly)
        face = CanonicalFontName(face);

    if (main->showGlyphOnPanel(face, text, number) == RegularFace)
        gDragText = text;

    QList<int> skipped = m_traits.selectSkipsKinds;
    skipped << windowKind();
    main->broadcastGlyph(face, text, number, skipped);
    if (m_traits.selectShowsStatus && m_traits.statusMessage != nullptr)
        main->setStatusText(*m_traits.statusMessage);
}
