#include "platform/office/word/docx/docxdocument.h"

#include "platform/office/package/documentmessages.h"
#include "platform/office/word/docx/inlineshapes.h"
#include "platform/office/word/docx/sections.h"
#include "platform/office/word/docx/shapes.h"

#include <QFileInfo>
#include <array>
#include <cstring>

namespace word::docx
{
namespace
{

constexpr const char *relationshipBase =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

struct ProtectionName {
    ProtectionType type;
    const char *edit;
};
constexpr std::array protectionNames = {
    ProtectionName{ProtectionType::AllowOnlyRevisions, "trackedChanges"},
    ProtectionName{ProtectionType::AllowOnlyComments, "comments"},
    ProtectionName{ProtectionType::AllowOnlyFormFields, "forms"},
    ProtectionName{ProtectionType::AllowOnlyReading, "readOnly"}};

// The children of w:settings that come before w:documentProtection in the schema.
constexpr std::array settingsBeforeProtection = {"w:writeProtection",
                                                 "w:view",
                                                 "w:zoom",
                                                 "w:removePersonalInformation",
                                                 "w:removeDateAndTime",
                                                 "w:doNotDisplayPageBoundaries",
                                                 "w:displayBackgroundShape",
                                                 "w:printPostScriptOverText",
                                                 "w:printFractionalCharacterWidth",
                                                 "w:printFormsData",
                                                 "w:embedTrueTypeFonts",
                                                 "w:embedSystemFonts",
                                                 "w:saveSubsetFonts",
                                                 "w:saveFormsData",
                                                 "w:mirrorMargins",
                                                 "w:alignBordersAndEdges",
                                                 "w:bordersDoNotSurroundHeader",
                                                 "w:bordersDoNotSurroundFooter",
                                                 "w:gutterAtTop",
                                                 "w:hideSpellingErrors",
                                                 "w:hideGrammaticalErrors",
                                                 "w:activeWritingStyle",
                                                 "w:proofState",
                                                 "w:formsDesign",
                                                 "w:attachedTemplate",
                                                 "w:linkStyles",
                                                 "w:stylePaneFormatFilter",
                                                 "w:stylePaneSortMethod",
                                                 "w:documentType",
                                                 "w:mailMerge",
                                                 "w:revisionView",
                                                 "w:trackRevisions",
                                                 "w:doNotTrackMoves",
                                                 "w:doNotTrackFormatting"};

bool precedesProtection(const char *name)
{
    return std::any_of(settingsBeforeProtection.begin(), settingsBeforeProtection.end(),
                       [name](const char *before) { return std::strcmp(before, name) == 0; });
}

bool isOnValue(const char *value)
{
    return std::strcmp(value, "1") == 0 || std::strcmp(value, "true") == 0 ||
           std::strcmp(value, "on") == 0;
}

} // namespace

// ---- Notes ----

std::unique_ptr<Range> StoryNote::range()
{
    return m_document->rangeOver(m_story);
}

// ---- Opening ----

platform::Result<std::unique_ptr<DocxDocument>> DocxDocument::open(const QString &path)
{
    using Opened = platform::Result<std::unique_ptr<DocxDocument>>;
    std::unique_ptr<DocxDocument> document(new DocxDocument());
    const QString error = document->load(path);
    if (!error.isEmpty())
        return Opened::failure(error);
    return Opened(std::move(document));
}

QString DocxDocument::load(const QString &path)
{
    auto opened = office::Package::open(path);
    if (!opened)
        return opened.errorString();
    m_package = std::move(opened.value());
    m_fullName = QFileInfo(path).absoluteFilePath();
    m_mainPart = m_package->mainPart();
    auto damaged = [&path](const QString &why) { return office::cannotOpen(path, why); };
    pugi::xml_document *main = m_package->xml(m_mainPart);
    if (main == nullptr)
        return damaged(m_package->errorString());
    const pugi::xml_node body = main->document_element().child("w:body");
    if (!body)
        return damaged(QStringLiteral("這不是 Word 文件，%1 中沒有本文").arg(m_mainPart));

    pugi::xml_node styles;
    pugi::xml_node theme;
    for (const auto &[suffix, root] : {std::pair{"styles", &styles}, std::pair{"theme", &theme}}) {
        const QString part = relatedPart(QString::fromLatin1(suffix));
        if (part.isEmpty())
            continue;
        pugi::xml_document *xml = m_package->xml(part);
        if (xml == nullptr)
            return damaged(m_package->errorString());
        *root = xml->document_element();
    }
    const QString settingsPart = relatedPart(QStringLiteral("settings"));
    if (!settingsPart.isEmpty() && m_package->xml(settingsPart) == nullptr)
        return damaged(m_package->errorString());
    m_styles = StyleSheet(styles, theme);

    m_main = makeStory(StoryType::MainText, m_mainPart, {body});
    QString error;
    loadNotes("footnotes", "w:footnote", StoryType::Footnotes, m_footnotes, &error);
    loadNotes("endnotes", "w:endnote", StoryType::Endnotes, m_endnotes, &error);
    loadNotes("comments", "w:comment", StoryType::Comments, m_comments, &error);
    if (!error.isEmpty())
        return damaged(error);
    m_window = std::make_unique<DocxWindow>(this, m_main);
    return {};
}

DocxDocument::~DocxDocument()
{
    for (const auto &story : m_stories)
        story->close();
}

QString DocxDocument::relatedPart(const QString &typeSuffix) const
{
    const QString type = QString::fromLatin1(relationshipBase) + typeSuffix;
    for (const office::Relationship &relationship : m_package->relationships(m_mainPart)) {
        if (relationship.type == type && !relationship.external)
            return m_package->resolveTarget(m_mainPart, relationship);
    }
    return {};
}

std::shared_ptr<Story> DocxDocument::makeStory(StoryType type, const QString &part,
                                               std::vector<pugi::xml_node> containers)
{
    auto story = std::make_shared<Story>(type, part, std::move(containers), &m_styles,
                                         [this, part]() { changed(part); });
    m_stories.push_back(story);
    return story;
}

void DocxDocument::loadNotes(const char *relationship, const char *element, StoryType type,
                             NoteList &into, QString *error)
{
    const QString part = relatedPart(QString::fromLatin1(relationship));
    if (part.isEmpty() || !error->isEmpty())
        return;
    pugi::xml_document *xml = m_package->xml(part);
    if (xml == nullptr) {
        *error = m_package->errorString();
        return;
    }
    for (pugi::xml_node note : xml->document_element().children(element)) {
        // Separators between the text and its notes are no notes.
        const char *kind = note.attribute("w:type").value();
        if (*kind != '\0' && std::strcmp(kind, "normal") != 0)
            continue;
        into.items().push_back(std::make_unique<StoryNote>(this, makeStory(type, part, {note})));
    }
}

void DocxDocument::changed(const QString &part)
{
    if (!part.isEmpty())
        m_package->markChanged(part);
    m_saved = false;
}

// ---- Names and saving ----

QString DocxDocument::name() const
{
    return QFileInfo(m_fullName).fileName();
}

QString DocxDocument::path() const
{
    return QFileInfo(m_fullName).absolutePath();
}

platform::Result<bool> DocxDocument::save()
{
    auto saved = m_package->save(m_fullName);
    if (saved)
        m_saved = true;
    return saved;
}

platform::Result<bool> DocxDocument::saveAs(const QString &path)
{
    const QString fullName = QFileInfo(path).absoluteFilePath();
    auto saved = m_package->save(fullName);
    if (saved) {
        m_fullName = fullName;
        m_saved = true;
    }
    return saved;
}

// ---- Stories ----

std::unique_ptr<Range> DocxDocument::rangeOver(const std::shared_ptr<Story> &story)
{
    return std::make_unique<DocxRange>(this, story, 0, story->length());
}

std::unique_ptr<Range> DocxDocument::content()
{
    return rangeOver(m_main);
}

void DocxDocument::select(const std::shared_ptr<Story> &story, int start, int end)
{
    m_window->docxSelection().reset(story, start, end);
}

std::shared_ptr<Story> DocxDocument::textFrameStory(pugi::xml_node content,
                                                    pugi::xml_node alternate, const QString &part)
{
    auto &story = m_frameStories[content.internal_object()];
    if (story)
        return story;
    std::vector<pugi::xml_node> containers;
    if (content)
        containers.push_back(content);
    story = std::make_shared<Story>(StoryType::TextFrame, part, std::move(containers), &m_styles,
                                    [this, part, alternate]() mutable {
                                        // The fallback copy of the shape would show the
                                        // old text to readers that take it.
                                        if (alternate)
                                            alternate.remove_child("mc:Fallback");
                                        changed(part);
                                    });
    m_stories.push_back(story);
    return story;
}

void DocxDocument::collectShapes(const Story &story, const QString &part, ShapeList &into)
{
    for (const auto &[element, position] : story.objects()) {
        if (auto shape = DocxShape::fromRunElement(this, element, part))
            into.items().push_back(std::move(shape));
    }
}

Collection<Shape> &DocxDocument::shapes()
{
    std::vector<pugi::xml_node> elements;
    for (const auto &[element, position] : m_main->objects())
        elements.push_back(element);
    if (!m_shapes || elements != m_shapeElements) {
        if (m_shapes)
            m_oldShapes.push_back(std::move(m_shapes));
        m_shapes = std::make_unique<ShapeList>();
        collectShapes(*m_main, m_mainPart, *m_shapes);
        m_shapeElements = std::move(elements);
    }
    return *m_shapes;
}

InlineShapes &DocxDocument::inlineShapes()
{
    if (!m_inlineShapes)
        m_inlineShapes = std::make_unique<DocxInlineShapes>(this);
    return *m_inlineShapes;
}

Collection<Section> &DocxDocument::sections()
{
    if (m_sections)
        return *m_sections;
    m_headerShapes = std::make_unique<ShapeList>();
    auto headerStory = [this](const QString &part, bool header) {
        const StoryType type = header ? StoryType::PrimaryHeader : StoryType::PrimaryFooter;
        if (part.isEmpty())
            return makeStory(type, part, {});
        auto &story = m_headerStories[part];
        if (!story) {
            pugi::xml_document *xml = m_package->xml(part);
            story = makeStory(type, part,
                              xml != nullptr ? std::vector{xml->document_element()}
                                             : std::vector<pugi::xml_node>{});
            collectShapes(*story, part, *m_headerShapes);
        }
        return story;
    };
    m_sections = std::make_unique<SectionList>(this, headerStory, m_headerShapes.get());
    return *m_sections;
}

int DocxDocument::newDrawingId()
{
    if (m_lastDrawingId < 0) {
        m_lastDrawingId = 0;
        for (const QString &part : m_package->partNames()) {
            if (!part.startsWith(QLatin1String("word/")) || !part.endsWith(QLatin1String(".xml")))
                continue;
            pugi::xml_document *xml = m_package->xml(part);
            if (xml == nullptr)
                continue;
            for (const pugi::xpath_node &found :
                 xml->select_nodes("//wp:docPr | //wps:cNvPr | //pic:cNvPr"))
                m_lastDrawingId = std::max(m_lastDrawingId, found.node().attribute("id").as_int());
        }
    }
    return ++m_lastDrawingId;
}

// ---- Protection and settings ----

pugi::xml_node DocxDocument::settings(bool create)
{
    QString part = relatedPart(QStringLiteral("settings"));
    if (part.isEmpty()) {
        if (!create)
            return {};
        part = m_package->uniquePartName(QStringLiteral("word/settings%1.xml"));
        m_package->setBytes(
            part,
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
            "<w:settings "
            "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"/>",
            QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml."
                           "settings+xml"));
        m_package->addRelationship(
            m_mainPart, QString::fromLatin1(relationshipBase) + QStringLiteral("settings"),
            part.mid(m_mainPart.lastIndexOf(u'/') + 1));
    }
    pugi::xml_document *xml = m_package->xml(part);
    return xml != nullptr ? xml->document_element() : pugi::xml_node();
}

bool DocxDocument::evenAndOddHeaders() const
{
    const QString part = relatedPart(QStringLiteral("settings"));
    if (part.isEmpty())
        return false;
    pugi::xml_document *xml = m_package->xml(part);
    return xml != nullptr && isOn(xml->document_element().child("w:evenAndOddHeaders"));
}

ProtectionType DocxDocument::protectionType() const
{
    const QString part = relatedPart(QStringLiteral("settings"));
    pugi::xml_document *xml = part.isEmpty() ? nullptr : m_package->xml(part);
    if (xml == nullptr)
        return ProtectionType::NoProtection;
    const pugi::xml_node protection = xml->document_element().child("w:documentProtection");
    if (!isOnValue(protection.attribute("w:enforcement").value()))
        return ProtectionType::NoProtection;
    const char *edit = protection.attribute("w:edit").value();
    for (const ProtectionName &name : protectionNames) {
        if (std::strcmp(name.edit, edit) == 0)
            return name.type;
    }
    return ProtectionType::NoProtection;
}

void DocxDocument::protect(ProtectionType type)
{
    const auto name = std::find_if(protectionNames.begin(), protectionNames.end(),
                                   [type](const ProtectionName &n) { return n.type == type; });
    if (name == protectionNames.end()) {
        unprotect();
        return;
    }
    pugi::xml_node root = settings(true);
    if (!root)
        return;
    root.remove_child("w:documentProtection");
    pugi::xml_node before;
    for (pugi::xml_node child : root.children()) {
        if (!precedesProtection(child.name())) {
            before = child;
            break;
        }
    }
    pugi::xml_node protection = before ? root.insert_child_before("w:documentProtection", before)
                                       : root.append_child("w:documentProtection");
    protection.append_attribute("w:edit").set_value(name->edit);
    protection.append_attribute("w:enforcement").set_value("1");
    changed(relatedPart(QStringLiteral("settings")));
}

void DocxDocument::unprotect()
{
    pugi::xml_node root = settings(false);
    if (root && root.remove_child("w:documentProtection"))
        changed(relatedPart(QStringLiteral("settings")));
}

// ---- Bookmarks ----

std::vector<std::shared_ptr<Story>> DocxDocument::allStories() const
{
    return m_stories;
}

std::pair<std::shared_ptr<Story>, pugi::xml_node>
DocxDocument::findBookmark(const QString &name) const
{
    const QByteArray key = name.toUtf8();
    for (const auto &story : m_stories) {
        for (const auto &[marker, position] : story->markers("w:bookmarkStart")) {
            if (std::strcmp(marker.attribute("w:name").value(), key.constData()) == 0)
                return {story, marker};
        }
    }
    return {};
}

void DocxDocument::add(const QString &name, const Range &range)
{
    const auto *target = dynamic_cast<const DocxRange *>(&range);
    if (target == nullptr || target->document() != this || name.isEmpty())
        return;
    remove(name);
    int id = 0;
    for (const auto &story : m_stories) {
        for (const auto &[marker, position] : story->markers("w:bookmarkStart"))
            id = std::max(id, marker.attribute("w:id").as_int() + 1);
    }
    const QByteArray key = name.toUtf8();
    const QByteArray number = QByteArray::number(id);
    const std::shared_ptr<Story> story = target->story();
    const int start = target->start();
    const int end = target->end();
    story->insertMarker(
        start,
        [&](pugi::xml_node marker) {
            marker.append_attribute("w:id").set_value(number.constData());
            marker.append_attribute("w:name").set_value(key.constData());
        },
        "w:bookmarkStart");
    story->insertMarker(
        end,
        [&](pugi::xml_node marker) {
            marker.append_attribute("w:id").set_value(number.constData());
        },
        "w:bookmarkEnd");
}

bool DocxDocument::exists(const QString &name) const
{
    return bool(findBookmark(name).second);
}

std::unique_ptr<Range> DocxDocument::range(const QString &name)
{
    const auto [story, start] = findBookmark(name);
    if (!start)
        return nullptr;
    int from = 0;
    int to = -1;
    const char *id = start.attribute("w:id").value();
    for (const auto &[marker, position] : story->markers("w:bookmarkStart")) {
        if (marker == start)
            from = position;
    }
    for (const auto &[marker, position] : story->markers("w:bookmarkEnd")) {
        if (std::strcmp(marker.attribute("w:id").value(), id) == 0)
            to = position;
    }
    return std::make_unique<DocxRange>(this, story, from, std::max(from, to));
}

void DocxDocument::remove(const QString &name)
{
    const auto [story, start] = findBookmark(name);
    if (!start)
        return;
    const std::string id = start.attribute("w:id").value();
    story->removeMarker(start);
    for (const auto &[marker, position] : story->markers("w:bookmarkEnd")) {
        if (id == marker.attribute("w:id").value()) {
            story->removeMarker(marker);
            break;
        }
    }
}

} // namespace word::docx
