#include "platform/office/excel/xlsxworkbook.h"

#include "platform/office/excel/celladdress.h"
#include "platform/office/excel/xlsxworksheet.h"
#include "platform/office/package/documentmessages.h"
#include "platform/office/package/xmlnodes.h"

#include <QFileInfo>
#include <limits>

namespace office::excel
{

namespace
{

const char worksheetType[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
const char sharedStringsType[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings";
const char stylesType[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";

} // namespace

platform::Result<std::unique_ptr<XlsxWorkbook>> XlsxWorkbook::open(const QString &fileName)
{
    using Opened = platform::Result<std::unique_ptr<XlsxWorkbook>>;
    auto package = Package::open(fileName);
    if (!package)
        return Opened::failure(package.errorString());
    std::unique_ptr<XlsxWorkbook> book(new XlsxWorkbook);
    book->m_package = std::move(package).value();
    book->m_fullName = QFileInfo(fileName).absoluteFilePath();

    Package &parts = *book->m_package;
    QString main = parts.mainPart();
    pugi::xml_document *workbook = parts.xml(main);
    pugi::xml_node root = workbook ? workbook->document_element() : pugi::xml_node();
    if (QByteArray(root.name()) != "workbook")
        return Opened::failure(cannotOpen(fileName, workbook ? QStringLiteral("這不是 Excel 活頁簿")
                                                             : parts.errorString()));

    const QList<Relationship> relationships = parts.relationships(main);
    for (pugi::xml_node sheet : root.child("sheets").children("sheet")) {
        QString id = xml::relationshipId(sheet);
        for (const Relationship &relationship : relationships) {
            if (relationship.id != id || relationship.type != QLatin1String(worksheetType))
                continue;
            auto worksheet = std::make_unique<XlsxWorksheet>(
                *book, xml::attribute(sheet, "name"), parts.resolveTarget(main, relationship));
            if (!worksheet->load())
                return Opened::failure(cannotOpen(fileName, parts.errorString()));
            book->m_sheets.push_back(std::move(worksheet));
        }
    }
    if (book->m_sheets.empty())
        return Opened::failure(cannotOpen(fileName, QStringLiteral("活頁簿中沒有工作表")));
    if (!book->readSharedStrings())
        return Opened::failure(cannotOpen(fileName, parts.errorString()));
    int active = root.child("bookViews").child("workbookView").attribute("activeTab").as_int();
    book->m_activeSheet = std::clamp(active, 0, int(book->m_sheets.size()) - 1);
    return Opened(std::move(book));
}

XlsxWorkbook::~XlsxWorkbook() = default;

void XlsxWorkbook::setCloseHandler(std::function<void(XlsxWorkbook *)> onClose)
{
    m_onClose = std::move(onClose);
}

QString XlsxWorkbook::name() const
{
    return QFileInfo(m_fullName).fileName();
}

QString XlsxWorkbook::path() const
{
    return QFileInfo(m_fullName).absolutePath();
}

platform::Result<bool> XlsxWorkbook::save()
{
    auto saved = m_package->save(m_fullName);
    if (saved)
        m_saved = true;
    return saved;
}

platform::Result<bool> XlsxWorkbook::saveAs(const QString &fileName)
{
    auto saved = m_package->save(fileName);
    if (saved) {
        m_fullName = QFileInfo(fileName).absoluteFilePath();
        m_saved = true;
    }
    return saved;
}

void XlsxWorkbook::close()
{
    if (m_onClose)
        m_onClose(this); // deletes this workbook
}

Worksheet *XlsxWorkbook::activeSheet()
{
    return m_sheets[size_t(m_activeSheet)].get();
}

Worksheet *XlsxWorkbook::worksheet(int index)
{
    if (index < 1 || index > worksheetCount())
        return nullptr;
    return m_sheets[size_t(index - 1)].get();
}

Worksheet *XlsxWorkbook::worksheet(const QString &name)
{
    for (const auto &sheet : m_sheets) {
        if (sheet->name().compare(name, Qt::CaseInsensitive) == 0)
            return sheet.get();
    }
    return nullptr;
}

void XlsxWorkbook::setActiveSheet(const XlsxWorksheet *sheet)
{
    for (size_t i = 0; i < m_sheets.size(); ++i) {
        if (m_sheets[i].get() == sheet)
            m_activeSheet = int(i);
    }
}

void XlsxWorkbook::changed(const QString &partName)
{
    m_package->markChanged(partName);
    m_saved = false;
}

void XlsxWorkbook::cellsChanged(const QString &partName)
{
    changed(partName);
    if (m_recalculationAsked)
        return;
    // The cached results of formulas may now be stale: ask whoever opens the file next to
    // calculate them again.
    QString main = m_package->mainPart();
    pugi::xml_node root = m_package->xml(main)->document_element();
    pugi::xml_node settings = root.child("calcPr");
    if (!settings) {
        pugi::xml_node after;
        for (const char *name :
             {"sheets", "functionGroups", "externalReferences", "definedNames"}) {
            if (root.child(name))
                after = root.child(name);
        }
        settings = after ? root.insert_child_after("calcPr", after) : root.append_child("calcPr");
    }
    xml::setAttribute(settings, "fullCalcOnLoad", QStringLiteral("1"));
    m_package->markChanged(main);
    m_recalculationAsked = true;
}

pugi::xml_node XlsxWorkbook::sharedStringItem(const QString &index) const
{
    const std::optional<int> number = parseDecimal(index, std::numeric_limits<int>::max());
    if (!number || size_t(*number) >= m_sharedStringItems.size())
        return {};
    return m_sharedStringItems[size_t(*number)];
}

bool XlsxWorkbook::readSharedStrings()
{
    QString main = m_package->mainPart();
    for (const Relationship &relationship : m_package->relationships(main)) {
        if (relationship.type != QLatin1String(sharedStringsType))
            continue;
        // A table that is not there names no strings: the cells that use it are left alone.
        const QString part = m_package->resolveTarget(main, relationship);
        if (!m_package->hasPart(part))
            break;
        pugi::xml_document *strings = m_package->xml(part);
        if (!strings)
            return false;
        for (pugi::xml_node item : strings->document_element().children("si"))
            m_sharedStringItems.push_back(item);
        break;
    }
    return true;
}

pugi::xml_node XlsxWorkbook::styleFont(int styleIndex)
{
    QString main = m_package->mainPart();
    for (const Relationship &relationship : m_package->relationships(main)) {
        if (relationship.type != QLatin1String(stylesType))
            continue;
        pugi::xml_document *styles = m_package->xml(m_package->resolveTarget(main, relationship));
        if (!styles)
            return {};
        pugi::xml_node root = styles->document_element();
        int fontIndex = 0;
        int i = 0;
        for (pugi::xml_node format : root.child("cellXfs").children("xf")) {
            if (i++ == styleIndex)
                fontIndex = format.attribute("fontId").as_int();
        }
        i = 0;
        for (pugi::xml_node font : root.child("fonts").children("font")) {
            if (i++ == fontIndex)
                return font;
        }
    }
    return {};
}

QString XlsxWorkbook::styleFontName(int styleIndex)
{
    return xml::attribute(styleFont(styleIndex).child("name"), "val");
}

QByteArray XlsxWorkbook::styleRunProperties(int styleIndex)
{
    // A cell font and a run's formatting hold the same elements but for the name of the
    // typeface element.
    pugi::xml_document run;
    pugi::xml_node properties = run.append_child("rPr");
    for (pugi::xml_node element : styleFont(styleIndex).children()) {
        pugi::xml_node copy = properties.append_copy(element);
        if (QByteArray(element.name()) == "name")
            copy.set_name("rFont");
    }
    return xml::serialize(properties);
}

} // namespace office::excel
