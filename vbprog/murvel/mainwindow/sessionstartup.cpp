// Start-up and shut-down of the main window.

#include "vbprog/murvel/core/databases.h"
#include "vbprog/murvel/core/scripttables.h"
#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/mainwindow/childwindow.h"
#include "vbprog/murvel/mainwindow/fontbar.h"
#include "vbprog/murvel/mainwindow/mdi漢字字形.h"
#include "vbprog/murvel/mainwindow/toolstrip.h"
#include "vbprog/murvel/mainwindow/windowkinds.h"
#include "vbprog/murvel/mainwindow/windowplacement.h"
#include "vbprog/murvel/mainwindow/公用視窗.h"
#include "vbprog/murvel/schema/schemanames.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiSubWindow>

using namespace SettingsNames;

namespace
{

QString settingsPath(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("murvel.ini"));
}

const QString FirstRunFontSize = QStringLiteral("18");

// The child windows that the restore reopens, in this order.
constexpr int RestoredViews[] = {WindowKinds::Structure,
                                 WindowKinds::VariantCharacters,
                                 WindowKinds::VariantComponents,
                                 WindowKinds::Evolution,
                                 WindowKinds::Index,
                                 WindowKinds::Derivation};

const QString RegularScriptItem = QStringLiteral("mnu_楷書");

} // namespace

bool mdi漢字字形::startUp()
{
    gIni = ReadSettings(settingsPath(m_programFolder));
    const bool firstRun = IsFirstRun();

    show();
    if (firstRun)
        ShowMaximisedAndWait(this);
    else
        SetTwipsGeometry(this, QRect(gIni.number(Window, "left"), gIni.number(Window, "top"),
                                     gIni.number(Window, "width"), gIni.number(Window, "height")));
    // The font bar offers two typefaces; a saved name of another keeps the default.
    const QString savedFont = gIni.value(Font, FontName);
    m_toolStrip->fontName->setEditText(IsBaseFontName(savedFont) ? savedFont : DefaultFontName);
    m_toolStrip->fontSize->setEditText(firstRun ? FirstRunFontSize
                                                : QString::number(gIni.number(Font, FontSize)));

    gCurrentScript = QStringLiteral("楷書");
    OpenReport report;
    OpenDatabases(m_programFolder, report);
    OpenTables(report);
    if (!report.ok()) {
        reportProblem(report.errors.join('\n'));
        CloseDatabases();
        return false;
    }
    gDefaultFace = QStringLiteral("標楷體");
    gBaseFontName = m_toolStrip->fontName->currentText();
    gFontSize = SizeOfText(m_toolStrip->fontSize->currentText()).value_or(0);
    LoadOperatorTable(report);

    for (; !gRs常用符號及部件類型.eof(); gRs常用符號及部件類型.moveNext())
        m_toolStrip->symbolType->addItem(gRs常用符號及部件類型.value(Fields::說明).toString(),
                                         gRs常用符號及部件類型.value(Fields::類型));
    m_toolStrip->symbolType->setCurrentIndex(0);
    m_toolStrip->listSymbols();

    m_toolStrip->fillStrokeCounts();
    ResetStrokeFilters();
    FillWindowNames();
    gCurrentWindowName = gWindowNames[WindowKinds::Main];
    gCurrentWindowKind = WindowKinds::Main;
    gStrokeFiltersReady = true;
    m_toolStrip->clearStrokeFilters();
    gOpen字形結構 = false;
    gOpen異體字表 = false;

    restoreSession();
    gPresetLayoutNumber = -1;
    gPresetIsSimple = true;
    setStatusText(report.warnings.join(QStringLiteral("；")));
    return true;
}

void mdi漢字字形::restoreSession()
{
    if (IsFirstRun())
        layOutFirstRun();
    else
        restoreLastRun();
}

void mdi漢字字形::restoreLastRun()
{
    gSessionRestored = 0;
    gIni.setValue(Options, CharSetCode, QStringLiteral("1"));

    // The option marks go first: the windows restored below read them when they load.
    const bool stepwise = gIni.isOn(Options, OptionKeys.first());
    m_menus.setChecked(MainMenus::optionItemOfKey(OptionKeys.first()), stepwise);
    m_menus.setChecked("mnu_字形孳乳只列字形不列部件", !stepwise);
    for (const QString &key : OptionKeys.mid(1))
        m_menus.setChecked(MainMenus::optionItemOfKey(key), gIni.isOn(Options, key));
    m_menus.setChecked(MainMenus::optionItemOfKey(Save), gIni.isOn(Options, Save));
    m_menus.setChecked(MainMenus::optionItemOfKey(Copy), gIni.isOn(Options, Copy));

    for (int i = 0; i < CharSetKeys.size(); ++i) {
        if (gIni.isOn(CharSet, CharSetKeys[i]))
            m_menus.chooseCharSet(i);
    }
    if (gIni.isOn(QStringLiteral("構形部件"), QStringLiteral("open")))
        openComponentList(gCurrentScript == ScriptCodes::SmallSeal ? WindowKinds::ShuowenRadicals
                                                                   : WindowKinds::KangxiRadicals);
    for (int kind : RestoredViews) {
        if (!gIni.isOn(WindowSectionOfKind(kind), QStringLiteral("open")))
            continue;
        if (ChildWindow *window = m_childWindows.load(kind))
            window->frame()->show();
    }
    gSessionRestored = 1;
}

void mdi漢字字形::layOutFirstRun()
{
    for (const char *name : {"mnu_儲存視窗設定", "mnu_複製到剪貼簿", "mnu_字形孳乳包含異寫部件",
                             "mnu_字形孳乳逐級列出單一部件"})
        m_menus.setChecked(name, true);
    m_menus.setChecked("mnu_字形孳乳只列字形不列部件", false);
    gIni.setOn(Options, OptionKeys.first(), true); // the derivation search reads it beside the mark
    gIni.setValue(Options, CharSetCode, QStringLiteral("1"));
    m_menus.chooseCharSet(int(MainMenus::CharSetItemNames.indexOf(RegularScriptItem)));
    applyPresetLayout(PresetFamily::Advanced, 1); // 預設瀏覽一
}

void mdi漢字字形::shutDown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    SaveWindowPositions();
    for (ChildWindow *window : m_childWindows.loaded())
        window->frame()->close();
    CloseDatabases();
    if (!m_menus.isChecked(MainMenus::optionItemOfKey(Save)))
        return;
    refreshSettingsMirror();
    QString error;
    if (!SaveSettings(settingsPath(m_programFolder), gIni, &error))
        reportProblem(QStringLiteral("無法儲存視窗設定：%1").arg(error));
}

void mdi漢字字形::refreshSettingsMirror()
{
    const QRect twips = TwipsGeometryOf(this);
    gIni.setValue(Window, "left", QString::number(twips.x()));
    gIni.setValue(Window, "top", QString::number(twips.y()));
    gIni.setValue(Window, "height", QString::number(twips.height()));
    gIni.setValue(Window, "width", QString::number(twips.width()));
    for (int i = 0; i < CharSetKeys.size(); ++i)
        gIni.setOn(CharSet, CharSetKeys[i], m_menus.isChecked(MainMenus::CharSetItemNames[i]));
    for (const QString &key : OptionKeys)
        gIni.setOn(Options, key, m_menus.isChecked(MainMenus::optionItemOfKey(key)));
    gIni.setValue(Font, FontName, m_toolStrip->fontName->currentText());
    gIni.setValue(
        Font, FontSize,
        QString::number(SizeOfText(m_toolStrip->fontSize->currentText()).value_or(gFontSize)));
    gIni.setOn(Options, Copy, m_menus.isChecked(MainMenus::optionItemOfKey(Copy)));
}
