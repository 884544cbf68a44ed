#include "samplepresentation.h"

#include "tests/support/nesting.h"
#include "tests/support/zipfile.h"

namespace
{

const QByteArray head = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
const QByteArray namespaces =
    " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\""
    " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\""
    " xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\"";
const QByteArray relTypes = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

QByteArray relationships(const QList<QPair<QByteArray, QByteArray>> &typeAndTarget)
{
    QByteArray xml = head + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/"
                            "2006/relationships\">";
    int id = 1;
    for (const auto &[type, target] : typeAndTarget)
        xml += "<Relationship Id=\"rId" + QByteArray::number(id++) + "\" Type=\"" + relTypes +
               type + "\" Target=\"" + target + "\"/>";
    return xml + "</Relationships>";
}

QByteArray groupProperties()
{
    return "<p:grpSpPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"0\" cy=\"0\"/>"
           "<a:chOff x=\"0\" y=\"0\"/><a:chExt cx=\"0\" cy=\"0\"/></a:xfrm></p:grpSpPr>";
}

QByteArray textShape(int id, const QByteArray &paragraphs, int y, bool textBox = false)
{
    return "<p:sp><p:nvSpPr><p:cNvPr id=\"" + QByteArray::number(id) + "\" name=\"Text " +
           QByteArray::number(id) + "\"/><p:cNvSpPr" + (textBox ? " txBox=\"1\"" : "") +
           "/><p:nvPr/></p:nvSpPr><p:spPr><a:xfrm><a:off x=\"457200\" y=\"" +
           QByteArray::number(y) +
           "\"/><a:ext cx=\"6000000\" cy=\"900000\"/></a:xfrm><a:prstGeom prst=\"rect\">"
           "<a:avLst/></a:prstGeom></p:spPr><p:txBody><a:bodyPr/><a:lstStyle/>" +
           paragraphs + "</p:txBody></p:sp>";
}

QByteArray slide(const QByteArray &shapes)
{
    return head + "<p:sld" + namespaces +
           "><p:cSld><p:spTree><p:nvGrpSpPr><p:cNvPr id=\"1\" "
           "name=\"\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>" +
           groupProperties() + shapes +
           "</p:spTree></p:cSld><p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sld>";
}

QByteArray cell(const QByteArray &text)
{
    return "<a:tc><a:txBody><a:bodyPr/><a:lstStyle/><a:p><a:r><a:rPr lang=\"zh-TW\"/><a:t>" + text +
           "</a:t></a:r></a:p></a:txBody><a:tcPr/></a:tc>";
}

} // namespace

bool writeSamplePresentation(const QString &path)
{
    const QByteArray contentTypes =
        head +
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/"
        "vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Default Extension=\"png\" ContentType=\"image/png\"/>"
        "<Override PartName=\"/ppt/presentation.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.presentationml.presentation.main+xml\"/>"
        "<Override PartName=\"/ppt/slideMasters/slideMaster1.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.presentationml.slideMaster+xml\"/>"
        "<Override PartName=\"/ppt/slideLayouts/slideLayout1.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.presentationml.slideLayout+xml\"/>"
        "<Override PartName=\"/ppt/slides/slide1.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.presentationml.slide+xml\"/>"
        "<Override PartName=\"/ppt/slides/slide2.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.presentationml.slide+xml\"/>"
        "<Override PartName=\"/ppt/theme/theme1.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.theme+xml\"/></Types>";
    const QByteArray presentation =
        head + "<p:presentation" + namespaces +
        "><p:sldMasterIdLst><p:sldMasterId id=\"2147483648\" r:id=\"rId1\"/></p:sldMasterIdLst>"
        "<p:sldIdLst><p:sldId id=\"256\" r:id=\"rId2\"/><p:sldId id=\"257\" r:id=\"rId3\"/>"
        "</p:sldIdLst><p:sldSz cx=\"9144000\" cy=\"6858000\"/><p:notesSz cx=\"6858000\" "
        "cy=\"9144000\"/></p:presentation>";
    const QByteArray theme =
        head +
        "<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
        "name=\"Test\"><a:themeElements><a:clrScheme name=\"Test\">"
        "<a:dk1><a:srgbClr val=\"000000\"/></a:dk1><a:lt1><a:srgbClr val=\"FFFFFF\"/></a:lt1>"
        "<a:dk2><a:srgbClr val=\"1F497D\"/></a:dk2><a:lt2><a:srgbClr val=\"EEECE1\"/></a:lt2>"
        "<a:accent1><a:srgbClr val=\"4F81BD\"/></a:accent1><a:accent2><a:srgbClr "
        "val=\"C0504D\"/></a:accent2><a:accent3><a:srgbClr val=\"9BBB59\"/></a:accent3>"
        "<a:accent4><a:srgbClr val=\"8064A2\"/></a:accent4><a:accent5><a:srgbClr "
        "val=\"4BACC6\"/></a:accent5><a:accent6><a:srgbClr val=\"F79646\"/></a:accent6>"
        "<a:hlink><a:srgbClr val=\"0000FF\"/></a:hlink><a:folHlink><a:srgbClr "
        "val=\"800080\"/></a:folHlink></a:clrScheme><a:fontScheme name=\"Test\">"
        "<a:majorFont><a:latin typeface=\"Cambria\"/><a:ea typeface=\"標楷體\"/>"
        "<a:cs typeface=\"\"/></a:majorFont><a:minorFont><a:latin typeface=\"Calibri\"/>"
        "<a:ea typeface=\"新細明體\"/><a:cs typeface=\"\"/></a:minorFont></a:fontScheme>"
        "<a:fmtScheme name=\"Test\"><a:fillStyleLst><a:solidFill><a:schemeClr "
        "val=\"phClr\"/></a:solidFill><a:solidFill><a:schemeClr val=\"phClr\"/>"
        "</a:solidFill><a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill>"
        "</a:fillStyleLst><a:lnStyleLst><a:ln w=\"9525\"><a:solidFill><a:schemeClr "
        "val=\"phClr\"/></a:solidFill></a:ln><a:ln w=\"25400\"><a:solidFill><a:schemeClr "
        "val=\"phClr\"/></a:solidFill></a:ln><a:ln w=\"38100\"><a:solidFill><a:schemeClr "
        "val=\"phClr\"/></a:solidFill></a:ln></a:lnStyleLst><a:effectStyleLst>"
        "<a:effectStyle><a:effectLst/></a:effectStyle><a:effectStyle><a:effectLst/>"
        "</a:effectStyle><a:effectStyle><a:effectLst/></a:effectStyle></a:effectStyleLst>"
        "<a:bgFillStyleLst><a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill>"
        "<a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill><a:solidFill>"
        "<a:schemeClr val=\"phClr\"/></a:solidFill></a:bgFillStyleLst></a:fmtScheme>"
        "</a:themeElements></a:theme>";
    const QByteArray emptyTree = "<p:cSld><p:spTree><p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/>"
                                 "<p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>" +
                                 groupProperties() + "</p:spTree></p:cSld>";
    const QByteArray master =
        head + "<p:sldMaster" + namespaces + ">" + emptyTree +
        "<p:clrMap bg1=\"lt1\" tx1=\"dk1\" bg2=\"lt2\" tx2=\"dk2\" accent1=\"accent1\" "
        "accent2=\"accent2\" accent3=\"accent3\" accent4=\"accent4\" accent5=\"accent5\" "
        "accent6=\"accent6\" hlink=\"hlink\" folHlink=\"folHlink\"/><p:sldLayoutIdLst>"
        "<p:sldLayoutId id=\"2147483649\" r:id=\"rId1\"/></p:sldLayoutIdLst></p:sldMaster>";
    const QByteArray layout = head + "<p:sldLayout" + namespaces + ">" + emptyTree +
                              "<p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sldLayout>";

    const QByteArray kai = "<a:rPr lang=\"zh-TW\" altLang=\"en-US\"><a:latin typeface=\"標楷體\" "
                           "pitchFamily=\"65\" charset=\"-120\"/><a:ea typeface=\"標楷體\" "
                           "pitchFamily=\"65\" charset=\"-120\"/></a:rPr>";
    const QByteArray textBox = textShape(
        2,
        "<a:p><a:r>" + kai +
            "<a:t>甲\uF6A4乙</a:t></a:r><a:r><a:t>文字</a:t></a:r></a:p>"
            "<a:p><a:pPr algn=\"ctr\"/><a:r><a:rPr lang=\"zh-TW\" b=\"1\"/><a:t>第二</a:t></a:r>"
            "<a:br><a:rPr lang=\"zh-TW\"/></a:br><a:r><a:rPr lang=\"zh-TW\"/><a:t>行</a:t></a:r>"
            "<a:endParaRPr lang=\"zh-TW\" sz=\"2400\"/></a:p>",
        457200, true);
    const QByteArray picture =
        "<p:pic><p:nvPicPr><p:cNvPr id=\"7\" name=\"Picture\"/><p:cNvPicPr/><p:nvPr/></p:nvPicPr>"
        "<p:blipFill><a:blip/></p:blipFill><p:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext "
        "cx=\"100\" cy=\"100\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom>"
        "</p:spPr></p:pic>";
    const QByteArray group =
        "<p:grpSp><p:nvGrpSpPr><p:cNvPr id=\"3\" name=\"Group\"/><p:cNvGrpSpPr/><p:nvPr/>"
        "</p:nvGrpSpPr>" +
        groupProperties() +
        textShape(4, "<a:p><a:r><a:rPr lang=\"zh-TW\"/><a:t>群一</a:t></a:r></a:p>", 1600000) +
        "<p:grpSp><p:nvGrpSpPr><p:cNvPr id=\"5\" name=\"Inner\"/><p:cNvGrpSpPr/><p:nvPr/>"
        "</p:nvGrpSpPr>" +
        groupProperties() +
        textShape(6, "<a:p><a:r><a:rPr lang=\"zh-TW\"/><a:t>群二</a:t></a:r></a:p>", 2600000) +
        picture + "</p:grpSp></p:grpSp>";
    const QByteArray table =
        "<p:graphicFrame><p:nvGraphicFramePr><p:cNvPr id=\"8\" name=\"Table\"/>"
        "<p:cNvGraphicFramePr/><p:nvPr/></p:nvGraphicFramePr><p:xfrm><a:off x=\"457200\" "
        "y=\"3600000\"/><a:ext cx=\"4000000\" cy=\"740000\"/></p:xfrm><a:graphic><a:graphicData "
        "uri=\"http://schemas.openxmlformats.org/drawingml/2006/table\"><a:tbl><a:tblPr/>"
        "<a:tblGrid><a:gridCol w=\"2000000\"/><a:gridCol w=\"2000000\"/></a:tblGrid>"
        "<a:tr h=\"370000\">" +
        cell("表一") + cell("表\uF6A3二") +
        "</a:tr>"
        "<a:tr h=\"370000\">" +
        cell("表三") +
        "<a:tc><a:tcPr/></a:tc></a:tr>"
        "</a:tbl></a:graphicData></a:graphic></p:graphicFrame>";
    const QByteArray line =
        "<p:cxnSp><p:nvCxnSpPr><p:cNvPr id=\"9\" name=\"Line\"/><p:cNvCxnSpPr/><p:nvPr/>"
        "</p:nvCxnSpPr><p:spPr><a:xfrm><a:off x=\"0\" y=\"5000000\"/><a:ext cx=\"3000000\" "
        "cy=\"0\"/></a:xfrm><a:prstGeom prst=\"line\"><a:avLst/></a:prstGeom></p:spPr></p:cxnSp>";
    const QByteArray slide2 = slide(textShape(
        2, "<a:p><a:r><a:rPr lang=\"zh-TW\"/><a:t>\uF6AE口\uF6AF</a:t></a:r></a:p>", 457200));

    const QByteArray toLayout =
        relationships({{"slideLayout", "../slideLayouts/slideLayout1.xml"}});
    return testsupport::writeZip(
        path, {{"[Content_Types].xml", contentTypes},
               {"_rels/.rels", relationships({{"officeDocument", "ppt/presentation.xml"}})},
               {"ppt/presentation.xml", presentation},
               {"ppt/_rels/presentation.xml.rels",
                relationships({{"slideMaster", "slideMasters/slideMaster1.xml"},
                               {"slide", "slides/slide1.xml"},
                               {"slide", "slides/slide2.xml"},
                               {"theme", "theme/theme1.xml"}})},
               {"ppt/slideMasters/slideMaster1.xml", master},
               {"ppt/slideMasters/_rels/slideMaster1.xml.rels",
                relationships({{"slideLayout", "../slideLayouts/slideLayout1.xml"},
                               {"theme", "../theme/theme1.xml"}})},
               {"ppt/slideLayouts/slideLayout1.xml", layout},
               {"ppt/slideLayouts/_rels/slideLayout1.xml.rels",
                relationships({{"slideMaster", "../slideMasters/slideMaster1.xml"}})},
               {"ppt/slides/slide1.xml", slide(textBox + group + table + line)},
               {"ppt/slides/_rels/slide1.xml.rels", toLayout},
               {"ppt/slides/slide2.xml", slide2},
               {"ppt/slides/_rels/slide2.xml.rels", toLayout},
               {"ppt/theme/theme1.xml", theme}});
}

bool writeNestedGroupsPresentation(const QString &path, int depth, const QString &text)
{
    if (!writeSamplePresentation(path))
        return false;
    const QByteArray group =
        "<p:grpSp><p:nvGrpSpPr><p:cNvPr id=\"3\" name=\"Group\"/><p:cNvGrpSpPr/>"
        "<p:nvPr/></p:nvGrpSpPr>" +
        groupProperties();
    const QByteArray shape = textShape(
        2, "<a:p><a:r><a:rPr lang=\"zh-TW\"/><a:t>" + text.toUtf8() + "</a:t></a:r></a:p>", 457200);
    testsupport::ZipEntries entries = testsupport::readZip(path);
    for (auto &[name, data] : entries) {
        if (name == u"ppt/slides/slide2.xml")
            data = slide(testsupport::nestedIn(group, "</p:grpSp>", depth, shape));
    }
    return testsupport::writeZip(path, entries);
}
