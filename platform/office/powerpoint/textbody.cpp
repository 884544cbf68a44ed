#include "platform/office/powerpoint/textbody.h"

#include "platform/office/package/xmlnodes.h"

#include <QRegularExpression>

namespace office::powerpoint
{

namespace
{

const QString paragraphBreak = QStringLiteral("\r");
const QString lineBreak = QStringLiteral("\v");

bool isRunElement(const pugi::xml_node &node)
{
    QByteArray name = node.name();
    return name == "a:r" || name == "a:br" || name == "a:fld";
}

// A paragraph without its runs: its properties and the properties of its end mark.
QByteArray paragraphShell(const pugi::xml_node &paragraph)
{
    pugi::xml_document copy;
    pugi::xml_node shell = copy.append_copy(paragraph);
    for (pugi::xml_node child = shell.first_child(); child;) {
        pugi::xml_node next = child.next_sibling();
        if (isRunElement(child))
            shell.remove_child(child);
        child = next;
    }
    return xml::serialize(shell);
}

// An element to stand for text with properties: the atom as it was when there is one.
pugi::xml_node appendRunElement(pugi::xml_node paragraph, const pugi::xml_node &before,
                                const char *name, const QString &text, const QByteArray &properties)
{
    pugi::xml_node run =
        before ? paragraph.insert_child_before(name, before) : paragraph.append_child(name);
    if (!properties.isEmpty())
        xml::appendParsed(run, properties);
    if (QByteArray(name) != "a:br")
        xml::setPreservedText(run.append_child("a:t"), text);
    return run;
}

struct Paragraph {
    QList<StyledRun> runs;
    QByteArray shell; // empty: take the next paragraph's
};

} // namespace

TextBody::TextBody(pugi::xml_node container, const char *bodyName, std::function<void()> onChange)
    : m_container(container), m_bodyName(bodyName), m_onChange(std::move(onChange))
{
}

StyledText TextBody::read() const
{
    QList<StyledRun> runs;
    bool first = true;
    for (pugi::xml_node paragraph : body().children("a:p")) {
        if (!first)
            runs.last().text = paragraphBreak;
        first = false;
        for (pugi::xml_node child : paragraph.children()) {
            QByteArray name = child.name();
            QByteArray properties = xml::serialize(child.child("a:rPr"));
            if (name == "a:r")
                runs << StyledRun{xml::text(child.child("a:t")), properties, {}};
            else if (name == "a:br")
                runs << StyledRun{lineBreak, properties, xml::serialize(child)};
            else if (name == "a:fld")
                runs << StyledRun{xml::text(child.child("a:t")), properties, xml::serialize(child)};
        }
        // The break after this paragraph; the text is set when another paragraph follows.
        runs << StyledRun{QString(), {}, paragraphShell(paragraph)};
    }
    if (!runs.isEmpty())
        runs.removeLast();
    return StyledText(runs);
}

void TextBody::write(const StyledText &text)
{
    pugi::xml_node target = body();
    if (!target) {
        // A table cell may have no text body yet; it comes before the cell's properties.
        target = m_container.prepend_child(m_bodyName);
        target.append_child("a:bodyPr");
        target.append_child("a:lstStyle");
    }
    QByteArray lastShell = paragraphShell(target.last_child());
    if (QByteArray(target.last_child().name()) != "a:p")
        lastShell = "<a:p/>";

    QList<Paragraph> paragraphs(1);
    for (const StyledRun &run : text.runs()) {
        if (!run.atom.isEmpty() && run.text == paragraphBreak && run.atom.startsWith("<a:p")) {
            paragraphs.last().shell = run.atom;
            paragraphs.append(Paragraph());
            continue;
        }
        if (!run.atom.isEmpty()) {
            paragraphs.last().runs << run;
            continue;
        }
        // Plain text may hold breaks typed into it.
        static const QRegularExpression breaks(QStringLiteral("(\r|\v)"));
        int from = 0;
        for (auto match = breaks.globalMatch(run.text); match.hasNext();) {
            auto found = match.next();
            QString piece = run.text.mid(from, found.capturedStart() - from);
            if (!piece.isEmpty())
                paragraphs.last().runs << StyledRun{piece, run.properties, {}};
            if (found.captured() == paragraphBreak)
                paragraphs.append(Paragraph());
            else
                paragraphs.last().runs << StyledRun{lineBreak, run.properties, "<a:br/>"};
            from = int(found.capturedEnd());
        }
        if (from < run.text.size())
            paragraphs.last().runs << StyledRun{run.text.mid(from), run.properties, {}};
    }
    paragraphs.last().shell = lastShell;
    for (int i = int(paragraphs.size()) - 2; i >= 0; --i) {
        if (paragraphs[i].shell.isEmpty())
            paragraphs[i].shell = paragraphs[i + 1].shell;
    }

    while (pugi::xml_node old = target.child("a:p"))
        target.remove_child(old);
    for (const Paragraph &paragraph : paragraphs) {
        pugi::xml_node element = xml::appendParsed(target, paragraph.shell);
        pugi::xml_node end = element.child("a:endParaRPr");
        for (const StyledRun &run : paragraph.runs) {
            if (run.atom.startsWith("<a:br"))
                appendRunElement(element, end, "a:br", run.text, run.properties);
            else if (run.atom.startsWith("<a:fld")) {
                pugi::xml_node field = xml::insertParsedBefore(element, run.atom, end);
                field.remove_child("a:rPr");
                if (!run.properties.isEmpty())
                    xml::insertParsedBefore(field, run.properties,
                                            field.child("a:pPr") ? field.child("a:pPr")
                                                                 : field.child("a:t"));
            } else
                appendRunElement(element, end, "a:r", run.text, run.properties);
        }
    }
    m_onChange();
}

QString TextBody::listStyleTypeface() const
{
    pugi::xml_node defaults = body().child("a:lstStyle").child("a:lvl1pPr").child("a:defRPr");
    return runTypeface(xml::serialize(defaults));
}

QString runTypeface(const QByteArray &properties)
{
    if (properties.isEmpty())
        return {};
    pugi::xml_document run;
    run.load_buffer(properties.constData(), size_t(properties.size()));
    pugi::xml_node element = run.document_element();
    QString latin = xml::attribute(element.child("a:latin"), "typeface");
    return latin.isEmpty() ? xml::attribute(element.child("a:ea"), "typeface") : latin;
}

QByteArray withTypeface(const QByteArray &properties, const QString &name)
{
    pugi::xml_document run;
    if (!properties.isEmpty())
        run.load_buffer(properties.constData(), size_t(properties.size()));
    pugi::xml_node element = run.document_element();
    if (!element)
        element = run.append_child("a:rPr");
    // The typefaces stand after the line, fill and effect properties and before the
    // complex-script and symbol fonts, links and extensions.
    pugi::xml_node after;
    for (const char *name :
         {"a:cs", "a:sym", "a:hlinkClick", "a:hlinkMouseOver", "a:rtl", "a:extLst"}) {
        if (element.child(name) && !after)
            after = element.child(name);
    }
    for (const char *kind : {"a:latin", "a:ea"}) {
        pugi::xml_node face = element.child(kind);
        if (face) {
            // Panose and pitch describe the old typeface.
            face.remove_attribute("panose");
            face.remove_attribute("pitchFamily");
            face.remove_attribute("charset");
        } else {
            face = after ? element.insert_child_before(kind, after) : element.append_child(kind);
        }
        xml::setAttribute(face, "typeface", name);
    }
    // Keep latin before ea whatever order they were found in.
    if (element.child("a:ea").next_sibling("a:latin"))
        element.insert_move_before(element.child("a:latin"), element.child("a:ea"));
    return xml::serialize(element);
}

} // namespace office::powerpoint
