#include "vbprog/murvel/views/variantwindow.h"

#include "vbprog/murvel/mainwindow/mainwindowservices.h"
#include "vbprog/murvel/views/outlinelist.h"
#include "vbprog/murvel/views/varianttree.h"

#include <QLineEdit>

namespace
{

// Puts a tree's items into an outline list.
class ListTarget : public VariantTreeTarget
{
public:
    explicit ListTarget(OutlineList &list) : m_list(list) {}

    int add(const VariantItem &item, int parent) override
    {
        m_list.AddItem(item.text, parent);
        const int index = m_list.NewIndex();
        m_list.setItemFontName(index, item.face);
        m_list.setItemData(index, item.data);
        m_list.setItemFlag(index, item.flag);
        if (item.picture != VariantPicture::None)
            m_list.setItemPicture(index, picture(item.picture));
        if (item.mark != 0)
            m_list.setItemMark(index, item.mark);
        return index;
    }

    void expand(int index) override { m_list.setExpanded(index, true); }

private:
    const QPixmap &picture(VariantPicture picture) const
    {
        switch (picture) {
        case VariantPicture::Node:
            return m_list.PictureNode();
        case VariantPicture::Unknown:
            return m_list.PictureUnknown();
        case VariantPicture::Composite:
            return m_list.PictureComposite();
        default:
            return m_list.PictureLeaf();
        }
    }

    OutlineList &m_list; // the view's, which outlives this target
};

void ShowStatus(const QString &text)
{
    if (MainWindowServices *main = Services())
        main->setStatusText(text);
}

} // namespace

VariantWindow::VariantWindow(GlyphListTraits traits)
    : GlyphListWindow(std::move(traits)), m_target(std::make_unique<ListTarget>(*list())),
      m_loads(list(), ShowStatus)
{
}

void VariantWindow::載入字形(const QString &face, const QString &glyph, qint32 number)
{
    if (isLocked() || number <= 0)
        return;
    m_loads.request([this, face, glyph, number](LongLoad::Session &session) {
        loadVariants(session, face, glyph, number);
    });
}

void VariantWindow::loadGlyph(const QString &face, const QString &glyph, qint32 number)
{
    載入字形(face, glyph, number);
}

bool VariantWindow::fillGroups(LongLoad::Session &session, const jet::Database &database,
                               const QString &table, qint32 key, VariantTree &tree)
{
    const jet::Result<QList<VariantGroup>> groups = ReadVariantGroups(database, table, key);
    if (!groups) {
        reportFailure(session, groups.errorString());
        return false;
    }
    tree.begin(groups.value());
    for (const VariantGroup &group : groups.value()) {
        if (session.stopped())
            break;
        const jet::Result<QList<VariantMember>> members =
            ReadVariantMembers(database, table, group.group);
        if (!members) {
            reportFailure(session, members.errorString());
            return false;
        }
        tree.beginGroup();
        for (const VariantMember &member : members.value()) {
            if (tree.addMember(member))
                session.count();
        }
        tree.endGroup();
        session.pace();
        if (session.closed())
            return false;
    }
    return true;
}

void VariantWindow::finishLoad(LongLoad::Session &session)
{
    const QString message = session.finish();
    if (!message.isEmpty())
        gVariantViewMessage = message;
}

void VariantWindow::reportFailure(LongLoad::Session &session, const QString &problem)
{
    gVariantViewMessage = problem;
    session.showStatus(problem);
}
