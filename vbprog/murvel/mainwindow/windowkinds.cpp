#include "vbprog/murvel/mainwindow/windowkinds.h"

#include "vbprog/murvel/core/公用變數.h"

namespace
{

const QString ComponentListSection = QStringLiteral("構形部件");

WindowKindInfo ComponentList(const QString &name)
{
    return {name, ComponentListSection, {}, {}, nullptr};
}

// A view of kinds 11..16: its settings section also names its menu item.
WindowKindInfo View(const QString &name, const QString &section, const QString &caption,
                    bool *openFlag)
{
    return {name, section, caption, QStringLiteral("mnu_") + section, openFlag};
}

} // namespace

const WindowKindInfo &WindowKindInfoOf(int kind)
{
    static const std::array<WindowKindInfo, WindowKindCount> kinds = {{
        {QStringLiteral("mdi漢字字形"), {}, {}, {}, nullptr},
        ComponentList(QStringLiteral("Big5字根")),
        ComponentList(QStringLiteral("Big5及簡化字字根")),
        ComponentList(QStringLiteral("字根")),
        ComponentList(QStringLiteral("小篆獨體字")),
        ComponentList(QStringLiteral("金文字根")),
        ComponentList(QStringLiteral("部件外字")),
        ComponentList(QStringLiteral("康熙字典部首")),
        ComponentList(QStringLiteral("說文解字部首")),
        ComponentList(QStringLiteral("八卦")),
        ComponentList(QStringLiteral("符號")),
        View(QStringLiteral("字形孳乳"), QStringLiteral("字形孳乳"), QStringLiteral("部件檢字"),
             &gOpen字形孳乳),
        View(QStringLiteral("字形結構"), QStringLiteral("字形結構"), QStringLiteral("字形結構"),
             &gOpen字形結構),
        View(QStringLiteral("異體字表"), QStringLiteral("異體字表"), QStringLiteral("異體字表"),
             &gOpen異體字表),
        View(QStringLiteral("異體字根"), QStringLiteral("異體字根"), QStringLiteral("異體字根"),
             &gOpen異體字根),
        View(QString(), QStringLiteral("字形演變"), QStringLiteral("字形演變"), &gOpen字形演變),
        View(QStringLiteral("字形索引"), QStringLiteral("字形索引"), QStringLiteral("字形索引"),
             &gOpen字形索引),
    }};
    static const WindowKindInfo none = {};
    return kind >= 0 && kind < WindowKindCount ? kinds[std::size_t(kind)] : none;
}

bool IsStrokeFilterableKind(int kind)
{
    return kind >= WindowKinds::FirstComponentList && kind <= WindowKinds::LastStrokeFilterable;
}

QString WindowSectionOfKind(int kind)
{
    return WindowKindInfoOf(kind).section;
}

void FillWindowNames()
{
    for (int kind = 0; kind < WindowKindCount; ++kind)
        gWindowNames[std::size_t(kind)] = WindowKindInfoOf(kind).name;
}
