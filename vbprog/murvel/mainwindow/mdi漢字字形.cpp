#include "vbprog/murvel/mainwindow/mdi漢字字形.h"

#include "platform/fonts/typefacetable.h"
#include "platform/vb/twips.h"
#include "vbprog/murvel/core/glyphattributes.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/broadcast.h"
#include "vbprog/murvel/mainwindow/childwindow.h"
#include "vbprog/murvel/mainwindow/layouttarget.h"
#include "vbprog/murvel/mainwindow/toolstrip.h"
#include "vbprog/murvel/mainwindow/公用視窗.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QVBoxLayout>
#include <algorithm>

namespace
{

mdi漢字字形 *theMainWindow = nullptr;

// The one box whose text is not selected when it gets the focus.
const QString UnselectedBox = QStringLiteral("txt組字字數含異寫");

// Focus that moves between controls; a menu opening or another application's window
// taking the focus is no focus change of the window's own.
bool isControlFocusChange(const QEvent *event)
{
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

bool isCopyOrPasteKey(const QEvent *event)
{
    const QKeyCombination key = static_cast<const QKeyEvent *>(event)->keyCombination();
    return key == QKeyCombination(Qt::ControlModifier, Qt::Key_C) ||
           key == QKeyCombination(Qt::ControlModifier, Qt::Key_V);
}

} // namespace

mdi漢字字形 *MainWindow()
{
    return theMainWindow;
}

mdi漢字字形::mdi漢字字形(const QString &programFolder)
    : m_programFolder(programFolder), m_area(new QMdiArea), m_childWindows(m_area),
      m_menus(menuBar(), m_childWindows), m_toolStrip(new ToolStrip(*this)),
      m_panelWidget(new GlyphPanelWidget)
{
    theMainWindow = this;
    SetServices(this);
    setObjectName("mdi漢字字形");
    setWindowTitle("漢字字形");
    m_area->setObjectName("mdiArea");

    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolStrip);
    layout->addWidget(m_panelWidget);
    layout->addWidget(m_area, 1);
    setCentralWidget(central);

    connect(m_area, &QMdiArea::subWindowActivated, this, [this] { onSubWindowActivated(); });
    connectMenus();
    connectPanel();
    // Menu shortcuts must win over a focused box's own copy and paste.
    QCoreApplication::instance()->installEventFilter(this);
}

mdi漢字字形::~mdi漢字字形()
{
    if (theMainWindow == this)
        theMainWindow = nullptr;
    if (Services() == this)
        SetServices(nullptr);
}

void mdi漢字字形::setProblemReporter(std::function<void(const QString &)> report)
{
    m_reportProblem = std::move(report);
}

void mdi漢字字形::reportProblem(const QString &problem)
{
    if (m_reportProblem)
        m_reportProblem(problem);
    else
        QMessageBox::critical(this, windowTitle(), problem);
}

bool mdi漢字字形::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // A focused box would take Ctrl+C and Ctrl+V for itself; leaving the override
        // unaccepted lets the menu's copy and paste run instead.
        if (auto *widget = qobject_cast<QWidget *>(watched);
            widget != nullptr && widget->window() == this && isCopyOrPasteKey(event)) {
            event->ignore();
            return true;
        }
        break;
    case QEvent::FocusIn:
        if (auto *target = qobject_cast<QLineEdit *>(watched);
            m_panelWidget->isBox(target) && isControlFocusChange(event)) {
            if (target->objectName() != UnselectedBox)
                target->selectAll();
            gCurrentWindowKind = 0;
            gFocusedBox = GlyphPanel::focusCodeOf(target->objectName());
        }
        break;
    case QEvent::FocusOut:
        if (isControlFocusChange(event))
            m_toolStrip->lostFocus(watched);
        break;
    case QEvent::KeyPress:
        if (m_toolStrip->holds(watched))
            return m_toolStrip->keyPressed(watched, static_cast<QKeyEvent *>(event)->key());
        if (auto *target = qobject_cast<QLineEdit *>(watched); m_panelWidget->isBox(target))
            panelKeyPressed(target, static_cast<QKeyEvent *>(event));
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void mdi漢字字形::onSubWindowActivated()
{
    QMdiSubWindow *frame = m_area->activeSubWindow();
    // The area reports a window again when the application comes back to the front; a
    // child's activation runs only when the active child changes.
    if (frame == nullptr || frame->widget() == m_lastActivated)
        return;
    m_lastActivated = frame->widget();
    if (auto *window = dynamic_cast<ChildWindow *>(frame->widget());
        window != nullptr && !window->isClosing())
        window->activated();
}

void mdi漢字字形::showWindowList()
{
    QMenu *menu = m_menus.menu("mnu_視窗");
    for (QAction *item : std::as_const(m_windowListItems))
        delete item;
    m_windowListItems.clear();
    const QList<ChildWindow *> windows = m_childWindows.loaded();
    if (windows.isEmpty())
        return;
    m_windowListItems.append(menu->addSeparator());
    for (ChildWindow *window : windows) {
        QAction *item = menu->addAction(window->windowTitle());
        item->setCheckable(true);
        item->setChecked(window->frame() == m_area->activeSubWindow());
        QMdiSubWindow *frame = window->frame();
        connect(item, &QAction::triggered, this,
                [this, frame] { m_area->setActiveSubWindow(frame); });
        m_windowListItems.append(item);
    }
}

void mdi漢字字形::applyPresetLayout(PresetFamily family, int number)
{
    const PresetLayout *layout = FindPresetLayout(family, number);
    if (layout == nullptr)
        return;
    LayoutTarget target(m_childWindows, *m_area, [this](int kind) { openComponentList(kind); });
    ApplyPresetLayout(target, *layout, gCurrentScript);
}

void mdi漢字字形::tileSideBySide()
{
    QList<QMdiSubWindow *> frames;
    // Most recently activated first, so that it ends on the left.
    for (QMdiSubWindow *frame : m_area->subWindowList(QMdiArea::ActivationHistoryOrder)) {
        auto *window = dynamic_cast<ChildWindow *>(frame->widget());
        if (frame->isVisible() && !frame->isMinimized() && window != nullptr &&
            !window->isClosing())
            frames.prepend(frame);
    }
    const QSize client = m_area->viewport()->size();
    const double dpi = m_area->logicalDpiX();
    const QSize clientTwips(vb::PixelsToTwips(client.width(), dpi),
                            vb::PixelsToTwips(client.height(), m_area->logicalDpiY()));
    const std::vector<TwipsRect> tiles = TileSideBySide(clientTwips, int(frames.size()));
    for (int i = 0; i < frames.size(); ++i) {
        frames[i]->showNormal();
        frames[i]->setGeometry(TwipsRectToPixels(tiles[size_t(i)], dpi));
    }
}

void mdi漢字字形::closeEvent(QCloseEvent *event)
{
    shutDown();
    event->accept();
}

void mdi漢字字形::setStatusText(const QString &text)
{
    m_panelWidget->showStatus(text);
}

bool mdi漢字字形::isMenuChecked(const QString &item) const
{
    return m_menus.isChecked(item);
}

void mdi漢字字形::enableMenuItem(const QString &item)
{
    if (QAction *action = m_menus.item(item))
        action->setEnabled(true);
}

QString mdi漢字字形::glyphBoxText() const
{
    return box(QStringLiteral("txt字形"))->text();
}

QString mdi漢字字形::showGlyphOnPanel(const QString &face, const QString &glyph, qint32 number)
{
    readPanel();
    ShowGlyphAttributes(m_panel, face, number);
    showPanel();
    ShowGlyphFormula(m_panel, face, glyph, number);
    showPanel();
    return m_panel.glyphFace();
}

void mdi漢字字形::broadcastGlyph(const QString &face, const QString &glyph, qint32 number,
                                 const QList<int> &skippedKinds)
{
    BroadcastGlyph(
        m_childWindows, face, [glyph] { return glyph; }, number, skippedKinds);
}

int mdi漢字字形::strokeFilterIndex() const
{
    return m_toolStrip->strokeCount->currentIndex();
}

int mdi漢字字形::firstStrokeFilterIndex() const
{
    return m_toolStrip->firstStroke->currentIndex();
}

QString mdi漢字字形::firstStrokeText(int index) const
{
    return m_toolStrip->firstStroke->itemText(index);
}

void mdi漢字字形::childWindowActivated(int kind, int strokeIndex, int firstStrokeIndex)
{
    OnChildWindowActivated(kind, strokeIndex, firstStrokeIndex);
}

void mdi漢字字形::childWindowClosed()
{
    OnChildWindowClosed();
}
