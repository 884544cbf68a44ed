// The main window's menu commands other than the character sets and the options.

#include "platform/system/process.h"
#include "platform/system/waitcursor.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/childwindow.h"
#include "vbprog/murvel/mainwindow/frm字型.h"
#include "vbprog/murvel/mainwindow/frm版本.h"
#include "vbprog/murvel/mainwindow/frm簡易瀏覽.h"
#include "vbprog/murvel/mainwindow/frm預設瀏覽.h"
#include "vbprog/murvel/mainwindow/mdi漢字字形.h"
#include "vbprog/murvel/mainwindow/toolstrip.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/mainwindow/公用視窗.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace
{

// The focus codes of the views' own controls (the derivation view's formula box and list).
constexpr int ViewFormulaBox = 1;
constexpr int ViewList = 2;

// The focus codes of the panel boxes that take a paste.
constexpr int PastableBoxes[] = {1, 3, 10};

const QString HelpFileName = QStringLiteral("murvel.html");

} // namespace

void mdi漢字字形::connectMenus()
{
    m_menus.onClick("mnu_結束", [this] {
        if (close())
            QCoreApplication::quit();
    });

    for (int kind = WindowKinds::Derivation; kind <= WindowKinds::Last; ++kind)
        m_menus.onClick(WindowKindInfoOf(kind).menuItem, [this, kind] { openView(kind); });

    const std::pair<QString, int> lists[] = {
        {"mnu_康熙字典部首", WindowKinds::KangxiRadicals},
        {"mnu_說文解字部首", WindowKinds::ShuowenRadicals},
        {"mnu_八卦", WindowKinds::Trigrams},
        {"mnu_符號", WindowKinds::Symbols},
    };
    for (const auto &[name, kind] : lists)
        m_menus.onClick(name, [this, kind = kind] { openComponentList(kind); });
    for (int kind = WindowKinds::Big5Roots; kind < WindowKinds::KangxiRadicals; ++kind)
        m_menus.onClick("mnu_部件代碼" + QString::number(kind),
                        [this, kind] { openComponentList(kind); });

    m_menus.onClick("mnu_複製", [this] { copySelection(); });
    m_menus.onClick("mnu貼上", [this] { pasteClipboard(); });
    m_menus.onClick("mnu_字型", [this] { chooseFont(); });
    m_menus.onClick("mnu_簡易瀏覽", [this] { choosePresetLayout(PresetFamily::Simple); });
    m_menus.onClick("mnu_最佳瀏覽", [this] { choosePresetLayout(PresetFamily::Advanced); });
    m_menus.onClick("mnu_垂直並排", [this] { tileSideBySide(); });
    m_menus.onClick("mnu_重疊顯示", [this] { m_area->cascadeSubWindows(); });
    m_menus.onClick("mnu_說明主題", [this] { showHelp(); });
    m_menus.onClick("mnu_qel", [this] { showAbout(); });
    connect(m_menus.menu("mnu_視窗"), &QMenu::aboutToShow, this, [this] { showWindowList(); });
}

void mdi漢字字形::openView(int kind)
{
    gOpeningWindowKind = kind;
    if (ChildWindow *window = m_childWindows.load(kind)) {
        window->frame()->show();
        m_area->setActiveSubWindow(window->frame());
    }
}

void mdi漢字字形::openComponentList(int kind)
{
    gOpeningWindowKind = kind;
    ChildWindow *window = m_childWindows.find(kind);
    if (window != nullptr) {
        // The one component-list window is rebuilt for the list opened into it.
        window->setWindowKind(kind);
        window->load();
    } else {
        window = m_childWindows.load(kind);
    }
    if (window != nullptr) {
        window->frame()->show();
        m_area->setActiveSubWindow(window->frame());
    }
}

void mdi漢字字形::copySelection()
{
    QString text;
    const int kind = gCurrentWindowKind;
    if (kind == WindowKinds::Main) {
        if (const QLineEdit *focused = box(GlyphPanel::boxOfFocusCode(gFocusedBox)))
            text = focused->selectedText();
    } else if (kind == WindowKinds::Derivation) {
        ChildWindow *view = m_childWindows.find(kind);
        if (gFocusedBox == ViewFormulaBox && view != nullptr && view->formulaBox() != nullptr)
            text = view->formulaBox()->selectedText();
        else if (gFocusedBox == ViewList)
            text = copyTextOfListItem(kind);
    } else if (kind >= WindowKinds::FirstComponentList && kind <= WindowKinds::Last) {
        text = copyTextOfListItem(kind);
    }
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

QString mdi漢字字形::copyTextOfListItem(int kind) const
{
    const ChildWindow *view = m_childWindows.find(kind);
    const std::optional<ChildWindow::ListItem> item =
        view != nullptr ? view->selectedListItem() : std::nullopt;
    if (!item || item->flag.isEmpty())
        return {};
    switch (item->flag.front().unicode()) {
    case u'0':
        return box("txt字形")->text();
    case u'1':
        return box("txt構字式")->text();
    case u'2':
        return item->flag.mid(1);
    case u'3':
        return item->text;
    default:
        return {};
    }
}

void mdi漢字字形::pasteClipboard()
{
    QLineEdit *target = nullptr;
    if (gCurrentWindowKind == WindowKinds::Main) {
        if (std::ranges::find(PastableBoxes, gFocusedBox) != std::end(PastableBoxes))
            target = box(GlyphPanel::boxOfFocusCode(gFocusedBox));
    } else if (gCurrentWindowKind == WindowKinds::Derivation && gFocusedBox == ViewFormulaBox) {
        if (ChildWindow *view = m_childWindows.find(WindowKinds::Derivation))
            target = view->formulaBox();
    }
    if (target != nullptr)
        target->insert(QGuiApplication::clipboard()->text());
}

void mdi漢字字形::chooseFont()
{
    frm字型 dialog(this);
    dialog.exec();
    const FontDialogChoice &choice = dialog.choice();
    if (choice.typeface)
        m_toolStrip->fontName->setEditText(*choice.typeface);
    if (choice.size)
        m_toolStrip->fontSize->setEditText(*choice.size);
    m_toolStrip->applyFontName();
    m_toolStrip->applyFontSize();
}

void mdi漢字字形::choosePresetLayout(PresetFamily family)
{
    if (family == PresetFamily::Simple) {
        frm簡易瀏覽 picker(OnChildWindowClosed, this);
        picker.exec();
    } else {
        frm預設瀏覽 picker(OnChildWindowClosed, this);
        picker.exec();
    }
    if (gPresetDialogOk)
        applyPresetLayout(family, gPresetLayoutNumber);
}

void mdi漢字字形::showHelp()
{
    sys::WaitCursor wait;
    sys::openHelpFile(QDir(m_programFolder).filePath(HelpFileName));
}

void mdi漢字字形::showAbout()
{
    frm版本 about(*this, m_toolStrip->height() + m_panelWidget->height(), OnChildWindowClosed);
    about.exec();
}
