#pragma once

#include <QHash>
#include <QString>
#include <functional>

class ChildWindows;
class QAction;
class QMenu;
class QMenuBar;

// The menu bar of the main window: every item with its name, caption, shortcut and check
// mark, and the items whose work lies in the marks and shared state alone (the character
// sets, the options and their enabling). The main window connects the other items.
//
// The check marks of the 選項 menu are the options' only state: the views read them.
class MainMenus
{
public:
    // Builds the tree into the bar. The items belong to their menus.
    MainMenus(QMenuBar *bar, const ChildWindows &childWindows);

    // An item or a menu by its name; null for an unknown name.
    QAction *item(const QString &name) const;
    QMenu *menu(const QString &name) const;
    bool isChecked(const QString &name) const;
    void setChecked(const QString &name, bool checked);

    // Runs the handler on each click of the item. A checkable item reaches the handler with
    // its mark as it stood before the click: each handler decides what the click does to it.
    void onClick(const QString &name, std::function<void()> handler);

    // The nine character-set items, in the order of their [字集] keys.
    static const QStringList CharSetItemNames;
    // A character-set item's click: sets the character-set code (also when the item has the
    // mark), then moves the mark to it and chooses its script.
    void chooseCharSet(int index);

    // The option item whose mark a [選項] key (one of the 24 option keys, or copy) keeps.
    static QString optionItemOfKey(const QString &key);

    // Opening the 選項 menu: which 部件檢字 items can be chosen.
    void enableDerivationOptions();

private:
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption);
    QMenu *addMenu(QMenuBar *bar, const QString &name, const QString &caption);
    QMenu *addSubmenu(QMenu *menu, const QString &name, const QString &caption);
    void addOptionItems(QMenu *menu, const QString &names, const QList<int> &separatorsAfter);
    void connectOptionItems();

    const ChildWindows &m_childWindows;
    QHash<QString, QAction *> m_items; // Owned by their menus.
    QHash<QString, QMenu *> m_menus;   // Owned by the bar or their parent menus.
};
