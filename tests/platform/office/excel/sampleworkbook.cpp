#include "sampleworkbook.h"

#include "tests/support/zipfile.h"

namespace
{

const char xmlHead[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
const char mainNs[] = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char relNs[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

QByteArray sheet(const QByteArray &body)
{
    return QByteArray(xmlHead) + "<worksheet xmlns=\"" + mainNs + "\" xmlns:r=\"" + relNs + "\">" +
           body + "</worksheet>";
}

} // namespace

bool writeSampleWorkbook(const QString &path)
{
    const QByteArray contentTypes =
        QByteArray(xmlHead) +
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
        "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
        "<Override PartName=\"/xl/worksheets/sheet2.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
        "<Override PartName=\"/xl/worksheets/sheet3.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
        "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
        "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
        "</Types>";
    const QByteArray packageRels =
        QByteArray(xmlHead) +
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"" +
        relNs +
        "/officeDocument\" "
        "Target=\"xl/workbook.xml\"/></Relationships>";
    const QByteArray workbook =
        QByteArray(xmlHead) + "<workbook xmlns=\"" + mainNs + "\" xmlns:r=\"" + relNs + "\">" +
        "<bookViews><workbookView activeTab=\"0\"/></bookViews><sheets>"
        "<sheet name=\"說文\" sheetId=\"1\" r:id=\"rId1\"/>"
        "<sheet name=\"保護\" sheetId=\"2\" r:id=\"rId2\"/>"
        "<sheet name=\"空\" sheetId=\"3\" r:id=\"rId3\"/></sheets></workbook>";
    const QByteArray workbookRels =
        QByteArray(xmlHead) +
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"" +
        relNs +
        "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
        "<Relationship Id=\"rId2\" Type=\"" +
        relNs +
        "/worksheet\" Target=\"worksheets/sheet2.xml\"/>"
        "<Relationship Id=\"rId3\" Type=\"" +
        relNs +
        "/worksheet\" Target=\"worksheets/sheet3.xml\"/>"
        "<Relationship Id=\"rId4\" Type=\"" +
        relNs +
        "/styles\" Target=\"styles.xml\"/>"
        "<Relationship Id=\"rId5\" Type=\"" +
        relNs +
        "/sharedStrings\" Target=\"sharedStrings.xml\"/>"
        "</Relationships>";
    const QByteArray styles =
        QByteArray(xmlHead) + "<styleSheet xmlns=\"" + mainNs + "\">" +
        "<fonts count=\"2\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/>"
        "<scheme val=\"minor\"/></font>"
        "<font><sz val=\"14\"/><color rgb=\"FF0000FF\"/><name val=\"標楷體\"/>"
        "<charset val=\"136\"/></font></fonts>"
        "<fills count=\"1\"><fill><patternFill patternType=\"none\"/></fill></fills>"
        "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
        "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
        "</cellStyleXfs><cellXfs count=\"2\">"
        "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
        "<xf numFmtId=\"0\" fontId=\"1\" fillId=\"0\" borderId=\"0\" xfId=\"0\" applyFont=\"1\"/>"
        "</cellXfs></styleSheet>";
    const QByteArray strings = QByteArray(xmlHead) + "<sst xmlns=\"" + mainNs +
                               "\" count=\"3\" uniqueCount=\"2\">" +
                               "<si><t>甲\uF6A4乙</t></si><si><t>重複</t></si></sst>";
    const QByteArray sheet1 = sheet(
        "<sheetViews><sheetView workbookViewId=\"0\"><selection activeCell=\"B2\" sqref=\"B2\"/>"
        "</sheetView></sheetViews><sheetData>"
        "<row r=\"1\"><c r=\"A1\" s=\"1\" t=\"s\"><v>0</v></c><c r=\"B1\"><v>42</v></c>"
        "<c r=\"C1\"><f>B1*2</f><v>84</v></c></row>"
        "<row r=\"2\"><c r=\"A2\" s=\"1\" t=\"inlineStr\"><is>"
        "<r><rPr><rFont val=\"新細明體\"/><sz val=\"12\"/></rPr><t>abc</t></r><r><t>def</t></r>"
        "</is></c><c r=\"B2\" t=\"str\"><f>\"\uF6A4\"&amp;A1</f><v>\uF6A4甲\uF6A4乙</v></c></row>"
        "<row r=\"3\"><c r=\"A3\" t=\"s\"><v>1</v></c><c r=\"B3\" t=\"s\"><v>1</v></c></row>"
        "</sheetData><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" "
        "header=\"0.3\" footer=\"0.3\"/>");
    const QByteArray sheet2 =
        sheet("<sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>鎖</t></is></c></row>"
              "</sheetData><sheetProtection sheet=\"1\" objects=\"1\" scenarios=\"1\"/>");
    const QByteArray sheet3 =
        sheet("<sheetData><row r=\"1\"><c r=\"A1\" s=\"1\"/></row></sheetData>");
    return testsupport::writeZip(path, {{"[Content_Types].xml", contentTypes},
                                        {"_rels/.rels", packageRels},
                                        {"xl/workbook.xml", workbook},
                                        {"xl/_rels/workbook.xml.rels", workbookRels},
                                        {"xl/styles.xml", styles},
                                        {"xl/sharedStrings.xml", strings},
                                        {"xl/worksheets/sheet1.xml", sheet1},
                                        {"xl/worksheets/sheet2.xml", sheet2},
                                        {"xl/worksheets/sheet3.xml", sheet3}});
}

bool writeWorkbookWithRows(const QString &path, const QByteArray &rowsXml,
                           const QList<QByteArray> &strings)
{
    if (!writeSampleWorkbook(path))
        return false;
    QByteArray items;
    for (const QByteArray &text : strings)
        items += "<si><t>" + text + "</t></si>";
    testsupport::ZipEntries entries = testsupport::readZip(path);
    for (auto &[name, data] : entries) {
        if (name == u"xl/worksheets/sheet1.xml")
            data = sheet("<sheetData>" + rowsXml + "</sheetData>");
        else if (name == u"xl/sharedStrings.xml")
            data = QByteArray(xmlHead) + "<sst xmlns=\"" + mainNs + "\">" + items + "</sst>";
    }
    return testsupport::writeZip(path, entries);
}

bool writeSharedStringsWorkbook(const QString &path, int count)
{
    QList<QByteArray> strings;
    QByteArray rows;
    for (int i = 1; i <= count; ++i) {
        strings << "字" + QByteArray::number(i);
        rows += "<row r=\"" + QByteArray::number(i) + "\"><c t=\"s\"><v>" +
                QByteArray::number(i - 1) + "</v></c></row>";
    }
    return writeWorkbookWithRows(path, rows, strings);
}
