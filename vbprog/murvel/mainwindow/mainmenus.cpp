#include "vbprog/murvel/mainwindow/mainmenus.h"

#include "platform/fonts/typefacetable.h"
#include "vbprog/murvel/core/scripttables.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/childwindow.h"
#include "vbprog/murvel/mainwindow/childwindows.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <array>

namespace
{

// An item of the 字集 menu: a set of regular-script glyphs, or a script of its own. Its
// script's face is the face of the derivation view's formula box.
struct CharSetItem {
    QString name;
    QString caption;
    QString code; // empty: the item leaves the character-set code as it is
    const Script *script;
};

CharSetItem ScriptItem(ScriptId id, const QString &code = {})
{
    const Script &script = ScriptOf(id);
    return {script.menuItem, script.menuCaption, code, &script};
}

CharSetItem RegularSetItem(const QString &name, const QString &caption, const QString &code)
{
    return {name, caption, code, &ScriptOf(ScriptId::Regular)};
}

const std::array<CharSetItem, 9> CharSetItems = {{
    RegularSetItem("mnu_常用字", "常用字", "5"),
    RegularSetItem("mnu_Big5", "五大碼(Big5)", "2"),
    RegularSetItem("mnu_簡化字總表", "簡化字總表", "1"),
    RegularSetItem("mnu_漢語大字典", "漢語大字典", "1"),
    ScriptItem(ScriptId::SmallSeal),
    ScriptItem(ScriptId::Bronze),
    ScriptItem(ScriptId::OracleBone),
    ScriptItem(ScriptId::Chu),
    ScriptItem(ScriptId::Regular, "1"),
}};

struct OptionItem {
    QString name;
    QString caption;
    QString key; // of [選項]; empty for the item that is not kept
    bool markAtStart;
};

const QList<OptionItem> OptionItems = {
    {"mnu_字形孳乳逐級列出單一部件", "部件檢字逐級列出部件與字形(限單一部件)", "逐級列出", true},
    {"mnu_字形孳乳只列字形不列部件", "部件檢字只列字形不列部件", {}, false},
    {"mnu_字形孳乳遵照輸入部件順序", "部件檢字遵照輸入部件順序", "部件順序", false},
    {"mnu_字形孳乳包含異寫部件", "部件檢字包含異體字根", "異寫部件", true},
    {"mnu_字形孳乳採用SQL語法", "部件檢字採用SQL Like語法", {}, false},
    {"mnu_說文解形順序", "字形結構依據說文解形順序列出小篆部件", "解形列出", true},
    {"mnu_遠東漢語大字典選項", "漢語大字典(遠東圖書公司)", "遠東漢語大字典", true},
    {"mnu_建宏漢語大字典選項", "漢語大字典(建宏出版社)", "建宏漢語大字典", true},
    {"mnu_中文大辭典選項", "中文大辭典", "中文大辭典", true},
    {"mnu_說文解字詁林選項", "說文解字詁林", "說文解字詁林", true},
    {"mnu_中華說文解字選項", "說文解字(中華書局)", "中華說文解字", true},
    {"mnu_金文編選項", "金文編", "金文編", true},
    {"mnu_金文詁林選項", "金文詁林", "金文詁林", true},
    {"mnu_殷周金文集成器號選項", "殷周金文集成器號", "金文器號", true},
    {"mnu_殷周金文集成引得選項", "殷周金文集成引得", "金文引得", true},
    {"mnu_甲骨刻辭類纂選項", "殷墟甲骨刻辭類纂", "甲骨刻辭類纂", true},
    {"mnu_甲骨文字詁林選項", "甲骨文字詁林", "甲骨文字詁林", true},
    {"mnu_甲骨文字集釋選項", "甲骨文字集釋", "甲骨文字集釋", true},
    {"mnu_楚系簡帛文字編選項", "楚系簡帛文字編", "楚系簡帛文字編", true},
    {"mnu_楚系文字出處選項", "楚系文字出處", "楚系文字出處", true},
    {"mnu_Unicode選項", "Unicode", "Unicode", true},
    {"mnu_Big5選項", "Big5", "Big5", true},
    {"mnu_甲骨文選項", "甲骨文", "甲骨文演變", true},
    {"mnu_金文選項", "金文", "金文演變", true},
    {"mnu_楚系文字選項", "楚系文字", "楚系文字演變", true},
    {"mnu_小篆選項", "小篆", "小篆演變", true},
    // Off until the session sets it, so that the symbol picked during start-up never
    // overwrites the clipboard of a user who turned copying off.
    {"mnu_複製到剪貼簿", "自動複製選取字形到剪貼簿", "copy", false},
    {"mnu_儲存視窗設定", "結束時儲存視窗設定", "save", true},
};

const OptionItem *optionItem(const QString &name)
{
    for (const OptionItem &item : OptionItems) {
        if (item.name == name)
            return &item;
    }
    return nullptr;
}

// The two 部件檢字 items of which exactly one carries the mark.
const QString StepwiseItem = QStringLiteral("mnu_字形孳乳逐級列出單一部件");
const QString GlyphsOnlyItem = QStringLiteral("mnu_字形孳乳只列字形不列部件");
const QString SqlLikeItem = QStringLiteral("mnu_字形孳乳採用SQL語法");
const QString ShuowenOrderItem = QStringLiteral("mnu_說文解形順序");
const QString VariantRootsItem = QStringLiteral("mnu_字形孳乳包含異寫部件");

} // namespace

const QStringList MainMenus::CharSetItemNames = [] {
    QStringList names;
    for (const CharSetItem &item : CharSetItems)
        names << item.name;
    return names;
}();

MainMenus::MainMenus(QMenuBar *bar, const ChildWindows &childWindows) : m_childWindows(childWindows)
{
    QMenu *charSet = addMenu(bar, "mnu_字集", "字集");
    for (const CharSetItem &item : CharSetItems) {
        if (item.script->id == ScriptId::SmallSeal ||
            item.name == ScriptOf(ScriptId::Regular).menuItem)
            charSet->addSeparator();
        addItem(charSet, item.name, item.caption)->setCheckable(true);
    }
    charSet->addSeparator();
    addItem(charSet, "mnu_結束", "結束");

    QMenu *glyph = addMenu(bar, "mnu_字", "字形");
    addItem(glyph, "mnu_字形孳乳", "部件檢字...");
    addItem(glyph, "mnu_字形結構", "字形結構...");
    addItem(glyph, "mnu_字形演變", "字形演變...");
    addItem(glyph, "mnu_字形索引", "字形索引...");
    addItem(glyph, "mnu_異體字表", "異體字表...");

    QMenu *compose = addMenu(bar, "mnu_構字", "構字");
    addItem(compose, "mnu_符號", "符號...");
    addItem(addSubmenu(compose, "mnu_特殊符號", "特殊符號"), "mnu_八卦", "八卦...");
    compose->addSeparator();
    addItem(compose, "mnu_康熙字典部首", "康熙字典部首...");
    addItem(compose, "mnu_說文解字部首", "說文解字部首...");
    compose->addSeparator();
    const QStringList componentCaptions = {"Big5字根...",   "Big5及簡化字字根...", "字根...",
                                           "小篆獨體字...", "金文字根...",         "部件外字..."};
    for (int index = 1; index <= componentCaptions.size(); ++index)
        addItem(compose, "mnu_部件代碼" + QString::number(index), componentCaptions[index - 1]);
    compose->addSeparator();
    addItem(compose, "mnu_異體字根", "異體字根...");

    QMenu *edit = addMenu(bar, "mnu編輯", "編輯");
    // Application shortcuts, so that they win over a focused box's own copy and paste.
    QAction *copy = addItem(edit, "mnu_複製", "複製");
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    copy->setShortcutContext(Qt::ApplicationShortcut);
    QAction *paste = addItem(edit, "mnu貼上", "貼上");
    paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    paste->setShortcutContext(Qt::ApplicationShortcut);
    edit->addSeparator();
    addItem(edit, "mnu_字型", "設定字型...");

    QMenu *options = addMenu(bar, "mnu_選項", "選項");
    addOptionItems(addSubmenu(options, "mnu_部件檢字選項", "部件檢字"),
                   "mnu_字形孳乳逐級列出單一部件 mnu_字形孳乳只列字形不列部件 "
                   "mnu_字形孳乳遵照輸入部件順序 mnu_字形孳乳包含異寫部件 mnu_字形孳乳採用SQL語法",
                   {2});
    addOptionItems(addSubmenu(options, "mnu_字形結構選項", "字形結構"), ShuowenOrderItem, {});
    addOptionItems(addSubmenu(options, "mnu_字形索引選項", "字形索引"),
                   "mnu_遠東漢語大字典選項 mnu_建宏漢語大字典選項 mnu_中文大辭典選項 "
                   "mnu_說文解字詁林選項 mnu_中華說文解字選項 mnu_金文編選項 mnu_金文詁林選項 "
                   "mnu_殷周金文集成器號選項 mnu_殷周金文集成引得選項 mnu_甲骨刻辭類纂選項 "
                   "mnu_甲骨文字詁林選項 mnu_甲骨文字集釋選項 mnu_楚系簡帛文字編選項 "
                   "mnu_楚系文字出處選項 mnu_Unicode選項 mnu_Big5選項",
                   {2, 3, 5, 9, 12, 14});
    addOptionItems(addSubmenu(options, "mnu_字形演變選項", "字形演變"),
                   "mnu_甲骨文選項 mnu_金文選項 mnu_楚系文字選項 mnu_小篆選項", {});
    addOptionItems(addSubmenu(options, "mnu_複製選項", "複製"), "mnu_複製到剪貼簿", {});
    addOptionItems(options, "mnu_儲存視窗設定", {});
    // Only start-up and shut-down use this mark; the user never sees the item.
    item("mnu_儲存視窗設定")->setVisible(false);
    item("mnu_儲存視窗設定")->setEnabled(false);
    QObject::connect(options, &QMenu::aboutToShow, options, [this] { enableDerivationOptions(); });
    connectOptionItems();

    QMenu *windows = addMenu(bar, "mnu_視窗", "視窗");
    addItem(windows, "mnu_垂直並排", "垂直並排");
    addItem(windows, "mnu_重疊顯示", "重疊顯示");
    addItem(windows, "mnu_簡易瀏覽", "預設開啟(基本)...");
    addItem(windows, "mnu_最佳瀏覽", "預設開啟(進階)...");

    QMenu *help = addMenu(bar, "mnu_說明", "說明");
    addItem(help, "mnu_說明主題", "說明主題");
    help->addSeparator();
    addItem(help, "mnu_qel", "關於Tesvani");

    for (int index = 0; index < int(CharSetItems.size()); ++index)
        onClick(CharSetItems[index].name, [this, index] { chooseCharSet(index); });
}

QAction *MainMenus::addItem(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    m_items.insert(name, action);
    return action;
}

QMenu *MainMenus::addMenu(QMenuBar *bar, const QString &name, const QString &caption)
{
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(name);
    m_menus.insert(name, menu);
    return menu;
}

QMenu *MainMenus::addSubmenu(QMenu *parent, const QString &name, const QString &caption)
{
    QMenu *menu = parent->addMenu(caption);
    menu->setObjectName(name);
    m_menus.insert(name, menu);
    return menu;
}

void MainMenus::addOptionItems(QMenu *menu, const QString &names, const QList<int> &separatorsAfter)
{
    int count = 0;
    for (const QString &name : names.split(' ', Qt::SkipEmptyParts)) {
        const OptionItem *option = optionItem(name);
        QAction *action = addItem(menu, name, option->caption);
        action->setCheckable(true);
        action->setChecked(option->markAtStart);
        if (separatorsAfter.contains(++count))
            menu->addSeparator();
    }
}

QAction *MainMenus::item(const QString &name) const
{
    return m_items.value(name);
}

QMenu *MainMenus::menu(const QString &name) const
{
    return m_menus.value(name);
}

bool MainMenus::isChecked(const QString &name) const
{
    const QAction *action = item(name);
    return action != nullptr && action->isChecked();
}

void MainMenus::setChecked(const QString &name, bool checked)
{
    if (QAction *action = item(name))
        action->setChecked(checked);
}

void MainMenus::onClick(const QString &name, std::function<void()> handler)
{
    QAction *action = item(name);
    QObject::connect(action, &QAction::triggered, action,
                     [action, handler = std::move(handler)](bool checked) {
                         // Qt turns a checkable item's mark over before it reports the click.
                         if (action->isCheckable())
                             action->setChecked(!checked);
                         handler();
                     });
}

void MainMenus::chooseCharSet(int index)
{
    const CharSetItem &chosen = CharSetItems[index];
    if (!chosen.code.isEmpty())
        gIni.setValue(SettingsNames::Options, SettingsNames::CharSetCode, chosen.code);
    if (isChecked(chosen.name))
        return;
    for (const CharSetItem &item : CharSetItems)
        setChecked(item.name, item.name == chosen.name);
    if (gOpen字形孳乳) {
        if (ChildWindow *derivation = m_childWindows.find(WindowKinds::Derivation)) {
            if (QLineEdit *box = derivation->formulaBox())
                box->setFont(fonts::fontFor(chosen.script->face(), box->font().pointSizeF()));
        }
    }
    gCurrentScript = chosen.script->code;
}

QString MainMenus::optionItemOfKey(const QString &key)
{
    for (const OptionItem &item : OptionItems) {
        if (item.key == key)
            return item.name;
    }
    return {};
}

void MainMenus::connectOptionItems()
{
    for (const OptionItem &option : OptionItems) {
        const QString name = option.name;
        if (name == StepwiseItem || name == GlyphsOnlyItem) {
            const QString other = name == StepwiseItem ? GlyphsOnlyItem : StepwiseItem;
            onClick(name, [this, name, other] {
                gIni.setOn(SettingsNames::Options, QStringLiteral("逐級列出"),
                           name == StepwiseItem);
                if (!isChecked(name)) {
                    setChecked(name, true);
                    setChecked(other, false);
                }
            });
            continue;
        }
        onClick(name, [this, name] {
            const bool checked = !isChecked(name);
            setChecked(name, checked);
            if (name == ShuowenOrderItem)
                gIni.setOn(SettingsNames::Options, QStringLiteral("解形列出"), checked);
            if (name == SqlLikeItem) {
                if (ChildWindow *derivation = m_childWindows.find(WindowKinds::Derivation))
                    derivation->setWindowTitle(checked ? QStringLiteral("部件檢字(SQL Like)")
                                                       : QStringLiteral("部件檢字"));
            }
        });
    }
}

void MainMenus::enableDerivationOptions()
{
    const bool open = gOpen字形孳乳;
    const bool sqlLike = isChecked(SqlLikeItem);
    item(StepwiseItem)->setEnabled(open && !sqlLike);
    item(GlyphsOnlyItem)->setEnabled(open && !sqlLike);
    item(VariantRootsItem)->setEnabled(open && gCurrentScript == QStringLiteral("楷書"));
    item(SqlLikeItem)->setEnabled(open);
}
