#include "tests/platform/office/word/sampledocx.h"

#include "platform/office/word/docx/wordapplication.h"
#include "tests/support/nesting.h"

#include <QFile>

namespace wordtest
{
namespace
{

const char *const declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
const char *const namespaces =
    " xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\""
    " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""
    " xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\""
    " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\""
    " xmlns:wps=\"http://schemas.microsoft.com/office/word/2010/wordprocessingShape\""
    " xmlns:wpg=\"http://schemas.microsoft.com/office/word/2010/wordprocessingGroup\""
    " xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\""
    " xmlns:v=\"urn:schemas-microsoft-com:vml\""
    " xmlns:o=\"urn:schemas-microsoft-com:office:office\""
    " xmlns:w10=\"urn:schemas-microsoft-com:office:word\""
    " xmlns:w14=\"http://schemas.microsoft.com/office/word/2010/wordml\""
    " mc:Ignorable=\"w14\"";
const char *const relationshipBase =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
const char *const wordType = "application/vnd.openxmlformats-officedocument.wordprocessingml.";

QByteArray part(const char *root, const QString &content)
{
    return QByteArray(declaration) + "<" + root + namespaces + ">" + content.toUtf8() + "</" +
           root + ">";
}

QString run(const QString &text, const QString &properties = QString())
{
    return QStringLiteral("<w:r>%1<w:t xml:space=\"preserve\">%2</w:t></w:r>")
        .arg(properties.isEmpty() ? QString() : QStringLiteral("<w:rPr>%1</w:rPr>").arg(properties),
             text);
}

QString paragraph(const QString &content)
{
    return QStringLiteral("<w:p>%1</w:p>").arg(content);
}

const QString kaiFont =
    QStringLiteral("<w:rFonts w:ascii=\"Arial\" w:eastAsia=\"標楷體\" w:hint=\"eastAsia\"/>");

QString textBox(int id, const QString &text, const QString &offset = QStringLiteral("0"))
{
    return QStringLiteral(
               "<wps:wsp><wps:cNvPr id=\"%1\" name=\"Text Box %1\"/><wps:cNvSpPr txBox=\"1\"/>"
               "<wps:spPr><a:xfrm><a:off x=\"%3\" y=\"0\"/><a:ext cx=\"900000\" cy=\"400000\"/>"
               "</a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></wps:spPr>"
               "<wps:txbx><w:txbxContent>%2</w:txbxContent></wps:txbx><wps:bodyPr/></wps:wsp>")
        .arg(id)
        .arg(paragraph(run(text)), offset);
}

QString anchor(int id, const QString &graphicData, const char *uri)
{
    return QStringLiteral("<w:drawing><wp:anchor distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\" "
                          "simplePos=\"0\" relativeHeight=\"1\" behindDoc=\"0\" locked=\"0\" "
                          "layoutInCell=\"1\" allowOverlap=\"1\"><wp:simplePos x=\"0\" y=\"0\"/>"
                          "<wp:positionH relativeFrom=\"column\"><wp:posOffset>0</wp:posOffset>"
                          "</wp:positionH><wp:positionV relativeFrom=\"paragraph\"><wp:posOffset>0"
                          "</wp:posOffset></wp:positionV><wp:extent cx=\"2000000\" cy=\"900000\"/>"
                          "<wp:effectExtent l=\"0\" t=\"0\" r=\"0\" b=\"0\"/><wp:wrapNone/>"
                          "<wp:docPr id=\"%1\" name=\"Shape %1\"/><wp:cNvGraphicFramePr/>"
                          "<a:graphic><a:graphicData uri=\"%3\">%2</a:graphicData></a:graphic>"
                          "</wp:anchor></w:drawing>")
        .arg(id)
        .arg(graphicData, QString::fromLatin1(uri));
}

const char *const shapeUri = "http://schemas.microsoft.com/office/word/2010/wordprocessingShape";
const char *const groupUri = "http://schemas.microsoft.com/office/word/2010/wordprocessingGroup";

QString groupOfTextBoxes()
{
    const QString transform = QStringLiteral(
        "<a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"2000000\" cy=\"900000\"/>"
        "<a:chOff x=\"0\" y=\"0\"/><a:chExt cx=\"2000000\" cy=\"900000\"/></a:xfrm>");
    const QString nested =
        QStringLiteral("<wpg:grpSp><wpg:cNvGrpSpPr/><wpg:grpSpPr>%1</wpg:grpSpPr>%2</wpg:grpSp>")
            .arg(transform,
                 textBox(12, QStringLiteral("inner\uF6A3two"), QStringLiteral("1000000")));
    const QString group =
        QStringLiteral("<wpg:wgp><wpg:cNvGrpSpPr/><wpg:grpSpPr>%1</wpg:grpSpPr>%2%3</wpg:wgp>")
            .arg(transform, textBox(11, QStringLiteral("box\uF6A4one")), nested);
    const QString fallback = QStringLiteral(
        "<w:pict><v:group style=\"position:absolute;width:150pt;height:70pt\" "
        "coordsize=\"2000,900\"><v:shape style=\"position:absolute;width:1000;height:400\">"
        "<v:textbox><w:txbxContent><w:p><w:r><w:t>box\uF6A4one</w:t></w:r></w:p>"
        "</w:txbxContent></v:textbox></v:shape></v:group></w:pict>");
    return QStringLiteral("<w:r><mc:AlternateContent><mc:Choice Requires=\"wpg\">%1</mc:Choice>"
                          "<mc:Fallback>%2</mc:Fallback></mc:AlternateContent></w:r>")
        .arg(anchor(10, group, groupUri), fallback);
}

QString vmlTextBox()
{
    return QStringLiteral(
        "<w:r><w:pict><v:shape id=\"vbox\" style=\"position:absolute;margin-left:0;"
        "margin-top:80pt;width:120pt;height:40pt;z-index:2\"><v:textbox><w:txbxContent>"
        "<w:p><w:r><w:t>vml text</w:t></w:r></w:p></w:txbxContent></v:textbox></v:shape>"
        "</w:pict></w:r>");
}

QString body()
{
    const QString hidden = QStringLiteral("<w:vanish/>");
    QString xml;
    xml += paragraph(
        run(QStringLiteral("甲口"), kaiFont) + run(QStringLiteral("\uF6A4木乙"), kaiFont) +
        run(QStringLiteral("丙\uF6A3丁"), kaiFont + hidden) + run(QStringLiteral("tail")));
    // The first section ends here.
    xml += QStringLiteral(
               "<w:p><w:pPr><w:sectPr><w:headerReference w:type=\"default\" r:id=\"rIdH4\"/>"
               "<w:pgSz w:w=\"11906\" w:h=\"16838\"/><w:pgMar w:top=\"1440\" w:right=\"1440\" "
               "w:bottom=\"1440\" w:left=\"1440\" w:header=\"720\" w:footer=\"720\" "
               "w:gutter=\"0\"/></w:sectPr></w:pPr>"
               "<w:hyperlink r:id=\"rIdLink\">%1</w:hyperlink>"
               "<w:fldSimple w:instr=\" PAGE \">%2</w:fldSimple>"
               "<w:r><w:tab/><w:t>x</w:t></w:r></w:p>")
               .arg(run(QStringLiteral("link")), run(QStringLiteral("42")));
    xml += QStringLiteral("<w:tbl><w:tblPr><w:tblW w:w=\"0\" w:type=\"auto\"/></w:tblPr>"
                          "<w:tblGrid><w:gridCol w:w=\"4000\"/></w:tblGrid><w:tr><w:tc>"
                          "<w:tcPr><w:tcW w:w=\"4000\" w:type=\"dxa\"/></w:tcPr>%1</w:tc></w:tr>"
                          "</w:tbl>")
               .arg(paragraph(run(QStringLiteral("cell\uF6A5text"))));
    xml += paragraph(QStringLiteral("<w:r><w:rPr><w:vertAlign w:val=\"superscript\"/></w:rPr>"
                                    "<w:footnoteReference w:id=\"1\"/></w:r>"
                                    "<w:commentRangeStart w:id=\"0\"/>") +
                     run(QStringLiteral("after")) +
                     QStringLiteral("<w:commentRangeEnd w:id=\"0\"/>"
                                    "<w:r><w:commentReference w:id=\"0\"/></w:r>"
                                    "<w:r><w:endnoteReference w:id=\"1\"/></w:r>"));
    xml += paragraph(groupOfTextBoxes() + vmlTextBox() + run(QStringLiteral("shapes")));
    xml += QStringLiteral(
        "<w:sectPr><w:headerReference w:type=\"default\" r:id=\"rIdH1\"/>"
        "<w:headerReference w:type=\"first\" r:id=\"rIdH2\"/>"
        "<w:headerReference w:type=\"even\" r:id=\"rIdH3\"/>"
        "<w:footerReference w:type=\"default\" r:id=\"rIdF1\"/>"
        "<w:pgSz w:w=\"11906\" w:h=\"16838\"/><w:pgMar w:top=\"1440\" w:right=\"1440\" "
        "w:bottom=\"1440\" w:left=\"1440\" w:header=\"720\" w:footer=\"720\" w:gutter=\"0\"/>"
        "<w:titlePg/></w:sectPr>");
    return xml;
}

QByteArray notes(const char *root, const char *element, const QString &text)
{
    QString xml;
    xml += QStringLiteral("<w:%1 w:type=\"separator\" w:id=\"-1\"><w:p><w:r><w:separator/>"
                          "</w:r></w:p></w:%1>")
               .arg(QLatin1String(element));
    xml += QStringLiteral("<w:%1 w:type=\"continuationSeparator\" w:id=\"0\"><w:p><w:r>"
                          "<w:continuationSeparator/></w:r></w:p></w:%1>")
               .arg(QLatin1String(element));
    xml += QStringLiteral("<w:%1 w:id=\"1\"><w:p><w:r><w:rPr><w:vertAlign "
                          "w:val=\"superscript\"/></w:rPr><w:%1Ref/></w:r>%2</w:p></w:%1>")
               .arg(QLatin1String(element), run(text));
    return part(root, xml);
}

QString relationship(const char *id, const char *type, const char *target)
{
    return QStringLiteral("<Relationship Id=\"%1\" Type=\"%2%3\" Target=\"%4\"/>")
        .arg(QLatin1String(id), QLatin1String(relationshipBase), QLatin1String(type),
             QLatin1String(target));
}

QByteArray relationships(const QString &content)
{
    return QByteArray(declaration) +
           "<Relationships "
           "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
           content.toUtf8() + "</Relationships>";
}

QString override(const char *part, const char *type)
{
    return QStringLiteral("<Override PartName=\"/%1\" ContentType=\"%2%3\"/>")
        .arg(QLatin1String(part), QLatin1String(wordType), QLatin1String(type));
}

QByteArray contentTypes(const QString &overrides)
{
    return QByteArray(declaration) +
           "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Default Extension=\"rels\" "
           "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
           "<Default Extension=\"xml\" ContentType=\"application/xml\"/>" +
           overrides.toUtf8() + "</Types>";
}

const QByteArray packageRelationships =
    relationships(QStringLiteral("<Relationship Id=\"rId1\" Type=\"%1officeDocument\" "
                                 "Target=\"word/document.xml\"/>")
                      .arg(QLatin1String(relationshipBase)));

const QByteArray styles =
    part("w:styles",
         QStringLiteral("<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii=\"Times New Roman\" "
                        "w:hAnsi=\"Times New Roman\" w:eastAsia=\"新細明體\"/><w:sz w:val=\"24\"/>"
                        "</w:rPr></w:rPrDefault></w:docDefaults>"
                        "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\">"
                        "<w:name w:val=\"Normal\"/></w:style>"));

} // namespace

const QString sampleMainText = QStringLiteral("甲口\uF6A4木乙丙\uF6A3丁tail\r"
                                              "link42\tx\r"
                                              "cell\uF6A5text\r"
                                              "\x02"
                                              "after\x05\x02\r"
                                              "\x01\x01shapes\r");

testsupport::ZipEntries sampleDocxEntries()
{
    const QString headerBox =
        paragraph(QStringLiteral("<w:r>%1</w:r>")
                      .arg(anchor(20, textBox(21, QStringLiteral("header box")), shapeUri)) +
                  run(QStringLiteral("primary header")));
    return {
        {"[Content_Types].xml", contentTypes(override("word/document.xml", "document.main+xml") +
                                             override("word/styles.xml", "styles+xml") +
                                             override("word/settings.xml", "settings+xml") +
                                             override("word/footnotes.xml", "footnotes+xml") +
                                             override("word/endnotes.xml", "endnotes+xml") +
                                             override("word/comments.xml", "comments+xml") +
                                             override("word/header1.xml", "header+xml") +
                                             override("word/header2.xml", "header+xml") +
                                             override("word/header3.xml", "header+xml") +
                                             override("word/header4.xml", "header+xml") +
                                             override("word/footer1.xml", "footer+xml"))},
        {"_rels/.rels", packageRelationships},
        {"word/document.xml",
         part("w:document", QStringLiteral("<w:body>%1</w:body>").arg(body()))},
        {"word/_rels/document.xml.rels",
         relationships(relationship("rIdS", "styles", "styles.xml") +
                       relationship("rIdT", "settings", "settings.xml") +
                       relationship("rIdN", "footnotes", "footnotes.xml") +
                       relationship("rIdE", "endnotes", "endnotes.xml") +
                       relationship("rIdC", "comments", "comments.xml") +
                       relationship("rIdH1", "header", "header1.xml") +
                       relationship("rIdH2", "header", "header2.xml") +
                       relationship("rIdH3", "header", "header3.xml") +
                       relationship("rIdH4", "header", "header4.xml") +
                       relationship("rIdF1", "footer", "footer1.xml") +
                       QStringLiteral("<Relationship Id=\"rIdLink\" Type=\"%1hyperlink\" "
                                      "Target=\"http://example.org/\" TargetMode=\"External\"/>")
                           .arg(QLatin1String(relationshipBase)))},
        {"word/styles.xml", styles},
        {"word/settings.xml",
         part("w:settings", QStringLiteral("<w:zoom w:percent=\"100\"/><w:evenAndOddHeaders/>"
                                           "<w:defaultTabStop w:val=\"720\"/>"))},
        {"word/footnotes.xml", notes("w:footnotes", "footnote", QStringLiteral(" note\uF6A4text"))},
        {"word/endnotes.xml", notes("w:endnotes", "endnote", QStringLiteral(" end note"))},
        {"word/comments.xml",
         part("w:comments", QStringLiteral("<w:comment w:id=\"0\" w:author=\"t\" w:initials=\"t\">"
                                           "%1</w:comment>")
                                .arg(paragraph(run(QStringLiteral("remark\uF6A3here")))))},
        {"word/header1.xml", part("w:hdr", headerBox)},
        {"word/header2.xml", part("w:hdr", paragraph(run(QStringLiteral("first header"))))},
        {"word/header3.xml", part("w:hdr", paragraph(run(QStringLiteral("even header"))))},
        {"word/header4.xml", part("w:hdr", paragraph(run(QStringLiteral("section one header"))))},
        {"word/footer1.xml", part("w:ftr", paragraph(run(QStringLiteral("primary footer"))))},
    };
}

bool writeSampleDocx(const QString &path)
{
    return testsupport::writeZip(path, sampleDocxEntries());
}

bool writeDocx(const QString &path, const QString &bodyXml)
{
    return testsupport::writeZip(
        path,
        {{"[Content_Types].xml", contentTypes(override("word/document.xml", "document.main+xml") +
                                              override("word/styles.xml", "styles+xml"))},
         {"_rels/.rels", packageRelationships},
         {"word/document.xml",
          part("w:document", QStringLiteral("<w:body>%1</w:body>").arg(bodyXml))},
         {"word/_rels/document.xml.rels",
          relationships(relationship("rIdS", "styles", "styles.xml"))},
         {"word/styles.xml", styles}});
}

QString nestedBody(Nesting nesting, int depth, const QString &text)
{
    const QByteArray run = "<w:r><w:t>" + text.toUtf8() + "</w:t></w:r>";
    QByteArray body;
    switch (nesting) {
    case Nesting::ContentControls:
        body = testsupport::nestedIn("<w:sdt><w:sdtContent>", "</w:sdtContent></w:sdt>", depth,
                                     "<w:p>" + run + "</w:p>");
        break;
    case Nesting::Tables:
        body = testsupport::nestedIn("<w:tbl><w:tr><w:tc>", "</w:tc></w:tr></w:tbl>", depth,
                                     "<w:p>" + run + "</w:p>");
        break;
    case Nesting::Hyperlinks:
        body = "<w:p>" + testsupport::nestedIn("<w:hyperlink>", "</w:hyperlink>", depth, run) +
               "</w:p>";
        break;
    }
    return QString::fromUtf8(body);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString mainText(const QString &path)
{
    word::docx::WordApplication word;
    auto document = word.documents().open(path);
    return document.ok() ? document.value()->content()->text() : u"<unreadable>"_qs;
}

QByteArray zipEntry(const QString &path, const QString &name)
{
    for (const auto &[entryName, data] : testsupport::readZip(path)) {
        if (entryName == name)
            return data;
    }
    return {};
}

void SampleDocxTest::SetUp()
{
    m_path = m_folder.filePath(QStringLiteral("sample.docx"));
    ASSERT_TRUE(writeSampleDocx(m_path));
    open();
}

void SampleDocxTest::open()
{
    m_document.reset();
    auto opened = word::docx::DocxDocument::open(m_path);
    ASSERT_TRUE(opened) << opened.errorString().toStdString();
    m_document = std::move(opened.value());
}

} // namespace wordtest
