#include "platform/office/package/package.h"
#include "tests/support/libreoffice.h"
#include "tests/support/nesting.h"
#include "tests/support/printqstring.h"
#include "tests/support/smalldisk.h"
#include "tests/support/zipfile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <zip.h>

using office::Package;
using testsupport::ZipEntries;

namespace
{

const QByteArray contentTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/word/document.xml\" "
    "ContentType=\"application/"
    "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
    "</Types>";

const QByteArray packageRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"word/document.xml\"/></Relationships>";

// Odd but legal formatting that a rewrite would change: single quotes, indentation, a comment.
const QByteArray documentXml =
    "<?xml version='1.0' encoding='UTF-8' standalone='yes'?>\n"
    "<w:document xmlns:w='http://schemas.openxmlformats.org/wordprocessingml/2006/main'>\n"
    "  <!-- kept -->\n"
    "  <w:body><w:p><w:r><w:t xml:space='preserve'>說文 </w:t></w:r></w:p>"
    "<w:p><w:r><w:t> </w:t></w:r></w:p></w:body>\n"
    "</w:document>";

const QByteArray documentRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"urn:styles\" Target=\"styles.xml\"/>"
    "<Relationship Id=\"rId3\" Type=\"urn:custom\" Target=\"../customXml/item1.xml\"/>"
    "<Relationship Id=\"rId4\" Type=\"urn:link\" Target=\"http://example.org/\" "
    "TargetMode=\"External\"/></Relationships>";

ZipEntries sampleEntries()
{
    QByteArray binary;
    for (int i = 0; i < 300; ++i)
        binary.append(char(i * 7));
    return {{"[Content_Types].xml", contentTypes},
            {"_rels/.rels", packageRels},
            {"word/document.xml", documentXml},
            {"word/_rels/document.xml.rels", documentRels},
            {"word/styles.xml", "<styles  a='1'/>"},
            {"customXml/item1.xml", "<unknown><x y=\"z\"/></unknown>"},
            {"word/media/image1.bin", binary}};
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Rewrites the zip at path so that its entries claim the unpacked sizes given, in its local
// headers and central directory alike, as a hostile archive can: the data stays small.
bool claimSizes(const QString &path, const QHash<QString, quint32> &claimed)
{
    QByteArray zip = fileBytes(path);
    const qsizetype end = zip.lastIndexOf("PK\x05\x06");
    if (end < 0)
        return false;
    const auto at16 = [&zip](qsizetype offset) {
        return qFromLittleEndian<quint16>(zip.constData() + offset);
    };
    const auto at32 = [&zip](qsizetype offset) {
        return qFromLittleEndian<quint32>(zip.constData() + offset);
    };
    qsizetype entry = at32(end + 16);
    for (int i = 0; i < at16(end + 10); ++i) {
        const quint16 nameLength = at16(entry + 28);
        const QString name = QString::fromUtf8(zip.mid(entry + 46, nameLength));
        if (claimed.contains(name)) {
            qToLittleEndian(claimed[name], zip.data() + entry + 24);
            qToLittleEndian(claimed[name], zip.data() + at32(entry + 42) + 22);
        }
        entry += 46 + nameLength + at16(entry + 30) + at16(entry + 32);
    }
    return writeFile(path, zip);
}

QByteArray nested(int depth)
{
    return testsupport::nestedIn("<a>", "</a>", depth);
}

QByteArray entry(const ZipEntries &entries, const QString &name)
{
    for (const auto &[entryName, data] : entries) {
        if (entryName == name)
            return data;
    }
    return {};
}

// Entries deflated at level 2, a level no save of ours uses, so bytes copied as they were
// stored can be told from bytes deflated again.
bool writeZipAtLevelTwo(const QString &path, const ZipEntries &entries)
{
    int code = 0;
    zip_t *archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (archive == nullptr)
        return false;
    for (const auto &[name, data] : entries) {
        zip_source_t *source =
            zip_source_buffer(archive, data.constData(), zip_uint64_t(data.size()), 0);
        const zip_int64_t index = zip_file_add(archive, name.toUtf8().constData(), source, 0);
        if (index < 0 ||
            zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 2) != 0) {
            zip_discard(archive);
            return false;
        }
    }
    return zip_close(archive) == 0;
}

// The entry name of the zip at path as it is stored, compressed.
QByteArray storedBytes(const QString &path, const char *name)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (archive == nullptr)
        return {};
    QByteArray bytes;
    zip_stat_t stat;
    if (zip_stat(archive, name, 0, &stat) == 0) {
        if (zip_file_t *file = zip_fopen(archive, name, ZIP_FL_COMPRESSED)) {
            bytes.resize(qsizetype(stat.comp_size));
            if (zip_fread(file, bytes.data(), stat.comp_size) != zip_int64_t(stat.comp_size))
                bytes.clear();
            zip_fclose(file);
        }
    }
    zip_discard(archive);
    return bytes;
}

// Text that deflates differently at each level.
QByteArray variedText(int lines)
{
    QByteArray text;
    for (int i = 0; i < lines; ++i)
        text += "<w:p><w:t>line " + QByteArray::number(i * 7919 % 1009) + " of " +
                QByteArray::number(i * i % 97) + "</w:t></w:p>";
    return text;
}

class PackageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        sample = folder.filePath("sample.docx");
        ASSERT_TRUE(testsupport::writeZip(sample, sampleEntries()));
    }

    std::unique_ptr<Package> openOrFail(const QString &path)
    {
        auto opened = Package::open(path);
        EXPECT_TRUE(opened.ok()) << opened.errorString().toStdString();
        return std::move(opened).value();
    }

    // Opening path must fail with a message naming what is wrong, leaving the file as it was.
    void expectRejected(const QString &path, const char *expectedWords)
    {
        QByteArray before = fileBytes(path);
        auto opened = Package::open(path);
        EXPECT_FALSE(opened.ok());
        EXPECT_TRUE(opened.errorString().contains(QString::fromUtf8(expectedWords)))
            << opened.errorString().toStdString();
        EXPECT_TRUE(opened.errorString().startsWith("無法開啟 " + path + "："))
            << opened.errorString().toStdString();
        EXPECT_EQ(fileBytes(path), before);
    }

    QTemporaryDir folder;
    QString sample;
};

TEST_F(PackageTest, UnchangedPackageSavesEveryPartByteForByteInOrder)
{
    auto package = openOrFail(sample);
    ASSERT_TRUE(package);
    EXPECT_EQ(package->mainPart(), "word/document.xml");
    // Reading parts must not make them count as changed.
    ASSERT_NE(package->xml("word/document.xml"), nullptr);
    package->relationships("word/document.xml");

    QString copy = folder.filePath("copy.docx");
    ASSERT_TRUE(package->save(copy).ok()) << package->errorString().toStdString();
    EXPECT_EQ(testsupport::readZip(copy), sampleEntries());

    // Saving over the file it came from works too and leaves no temporary file behind.
    ASSERT_TRUE(package->save(sample).ok());
    EXPECT_EQ(testsupport::readZip(sample), sampleEntries());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(PackageTest, ChangeTouchesOnlyTheChangedPartsAndAddsPartWithRelationship)
{
    auto package = openOrFail(sample);
    ASSERT_TRUE(package);
    pugi::xml_document *document = package->xml("word/document.xml");
    ASSERT_NE(document, nullptr);
    pugi::xml_node text = document->select_node("//w:t").node();
    text.text().set("字形 ");
    package->markChanged("word/document.xml");

    QString picture = package->uniquePartName("word/media/image%1.png");
    EXPECT_EQ(picture, "word/media/image1.png");
    package->setBytes(picture, QByteArray("\x89PNG", 4), "image/png");
    QString id = package->addRelationship("word/document.xml", "urn:image", "media/image1.png");
    EXPECT_EQ(id, "rId2") << "the first id not taken";
    QString added = package->addRelationship("word/media/image1.png", "urn:note", "../x.xml");
    EXPECT_EQ(added, "rId1") << "a part without relationships gets its own";

    QString copy = folder.filePath("changed.docx");
    ASSERT_TRUE(package->save(copy).ok());
    ZipEntries before = sampleEntries();
    ZipEntries after = testsupport::readZip(copy);
    for (const char *untouched :
         {"_rels/.rels", "word/styles.xml", "customXml/item1.xml", "word/media/image1.bin"})
        EXPECT_EQ(entry(after, untouched), entry(before, untouched)) << untouched;

    auto reopened = openOrFail(copy);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->bytes(picture), QByteArray("\x89PNG", 4));
    EXPECT_EQ(reopened->contentType(picture), "image/png");
    EXPECT_EQ(reopened->contentType("word/styles.xml"), "application/xml");
    QString resolved;
    for (const auto &relationship : reopened->relationships("word/document.xml")) {
        if (relationship.id == id)
            resolved = reopened->resolveTarget("word/document.xml", relationship);
    }
    EXPECT_EQ(resolved, picture);
    QString edited = QString::fromUtf8(reopened->bytes("word/document.xml"));
    EXPECT_TRUE(edited.contains("字形 ")) << edited.toStdString();
    EXPECT_TRUE(edited.contains("<!-- kept -->"));
    EXPECT_TRUE(edited.contains("<w:t> </w:t>")) << "a lone space is content, not layout";
    EXPECT_EQ(reopened->uniquePartName("word/media/image%1.png"), "word/media/image2.png");
}

TEST_F(PackageTest, SaveCopiesUnchangedPartsAsStoredAndWritesEveryLaterEdit)
{
    ZipEntries entries = sampleEntries();
    entries.append({"word/large.xml", "<x>" + variedText(2000) + "</x>"});
    const QString source = folder.filePath("leveltwo.docx");
    ASSERT_TRUE(writeZipAtLevelTwo(source, entries));
    auto package = openOrFail(source);
    ASSERT_TRUE(package);
    ASSERT_NE(package->xml("word/large.xml"), nullptr) << "read, not changed";

    const QString first = folder.filePath("first.docx");
    ASSERT_TRUE(package->save(first).ok());
    EXPECT_TRUE(storedBytes(first, "word/large.xml") == storedBytes(source, "word/large.xml"))
        << "an unchanged part is copied as it was stored, not deflated again";
    EXPECT_EQ(testsupport::readZip(first), entries);

    // An edit after a save is written by the next save, and by the one after it.
    pugi::xml_document *document = package->xml("word/document.xml");
    ASSERT_NE(document, nullptr);
    document->select_node("//w:t").node().text().set("一");
    package->markChanged("word/document.xml");
    const QString second = folder.filePath("second.docx");
    ASSERT_TRUE(package->save(second).ok());
    document->select_node("//w:t").node().text().set("二");
    package->markChanged("word/document.xml");
    package->setBytes("word/styles.xml", "<styles b='2'/>", QString());
    const QString third = folder.filePath("third.docx");
    ASSERT_TRUE(package->save(third).ok());

    EXPECT_TRUE(testsupport::zipEntry(second, "word/document.xml").contains("一"));
    const QByteArray edited = testsupport::zipEntry(third, "word/document.xml");
    EXPECT_TRUE(edited.contains("二") && !edited.contains("一")) << edited.toStdString();
    EXPECT_EQ(testsupport::zipEntry(third, "word/styles.xml"), "<styles b='2'/>");
    EXPECT_EQ(testsupport::zipEntry(third, "word/large.xml"), entry(entries, "word/large.xml"));
    EXPECT_TRUE(storedBytes(third, "word/large.xml") == storedBytes(source, "word/large.xml"));
    EXPECT_EQ(testsupport::zipEntry(third, "word/media/image1.bin"),
              entry(entries, "word/media/image1.bin"));
}

TEST_F(PackageTest, ManyAddedPicturesTakeFreeNamesIdsAndOneContentTypeEach)
{
    auto package = openOrFail(sample);
    ASSERT_TRUE(package);
    // Taken already, in another case: a name and an id the new pictures must pass over.
    package->setBytes("word/media/IMAGE3.png", "png", "image/png");
    ASSERT_EQ(package->addRelationship("word/document.xml", "urn:image", "media/IMAGE3.png"),
              "rId2");
    QSet<QString> names, ids;
    for (int i = 0; i < 300; ++i) {
        const QString name = package->uniquePartName("word/media/image%1.png");
        EXPECT_EQ(package->uniquePartName("word/media/image%1.png"), name) << "not taken yet";
        package->setBytes(name, QByteArray::number(i), "image/png");
        names.insert(name.toLower());
        ids.insert(package->addRelationship("word/document.xml", "urn:image",
                                            name.mid(QStringLiteral("word/").size())));
    }
    EXPECT_EQ(names.size(), 300);
    EXPECT_FALSE(names.contains("word/media/image3.png"));
    EXPECT_TRUE(names.contains("word/media/image301.png"));
    EXPECT_EQ(ids.size(), 300);
    for (const char *taken : {"rId1", "rId2", "rId3", "rId4"})
        EXPECT_FALSE(ids.contains(taken)) << taken;

    // A part given a new type keeps one Override, found whatever the case of its name.
    package->setBytes("word/media/image1.png", "gif", "image/gif");
    EXPECT_EQ(package->contentType("WORD/Media/Image1.PNG"), "image/gif");
    const QString saved = folder.filePath("pictures.docx");
    ASSERT_TRUE(package->save(saved).ok());
    const QByteArray types = testsupport::zipEntry(saved, "[Content_Types].xml");
    EXPECT_EQ(types.count("PartName=\"/word/media/image1.png\""), 1);
    EXPECT_EQ(types.count("<Override "), 1 + 301);
    auto reopened = openOrFail(saved);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->contentType("word/media/image1.png"), "image/gif");
    EXPECT_EQ(reopened->contentType("word/media/image300.png"), "image/png");
    EXPECT_EQ(reopened->relationships("word/document.xml").size(), 3 + 301);
}

TEST_F(PackageTest, PictureOfATypeTheDefaultsGiveAddsNoOverride)
{
    struct Case {
        const char *defaultExtension; // given image/png
        const char *picture;
        const char *type;
        bool override;
    };
    const Case cases[] = {
        {"png", "word/media/image1.png", "image/png", false},
        {"PNG", "word/media/image1.png", "image/png", false},
        {"png", "word/media/image1.PNG", "image/png", false},
        {"png", "word/media/image1.png", "image/x-other", true},
        {"png", "word/media/image1.gif", "image/gif", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.defaultExtension) + " " + c.picture + " " + c.type);
        ZipEntries entries = sampleEntries();
        entries[0].second.replace("<Default Extension=\"xml\"",
                                  QByteArray("<Default Extension=\"") + c.defaultExtension +
                                      "\" ContentType=\"image/png\"/><Default Extension=\"xml\"");
        ASSERT_TRUE(testsupport::writeZip(sample, entries));
        auto package = openOrFail(sample);
        ASSERT_TRUE(package);
        EXPECT_EQ(package->contentType("word/media/other.png"), "image/png");
        package->setBytes(c.picture, "picture", c.type);
        const QString saved = folder.filePath("picture.docx");
        ASSERT_TRUE(package->save(saved).ok());
        const QByteArray types = testsupport::zipEntry(saved, "[Content_Types].xml");
        EXPECT_EQ(types.contains("<Override PartName=\"/" + QByteArray(c.picture) + "\""),
                  c.override);
        EXPECT_EQ(types == entries[0].second, !c.override) << types.toStdString();
        auto reopened = openOrFail(saved);
        ASSERT_TRUE(reopened);
        EXPECT_EQ(reopened->contentType(c.picture), c.type);
    }
}

TEST_F(PackageTest, RelationshipTargetsResolveToPartNames)
{
    auto package = openOrFail(sample);
    ASSERT_TRUE(package);
    QStringList resolved;
    for (const auto &relationship : package->relationships("word/document.xml"))
        resolved << package->resolveTarget("word/document.xml", relationship);
    EXPECT_EQ(resolved, QStringList({"word/styles.xml", "customXml/item1.xml", QString()}));
    EXPECT_TRUE(package->hasPart("WORD/Styles.xml")) << "part names ignore case";
    EXPECT_FALSE(package->partNames().contains("word/_rels/missing.rels"));
    EXPECT_EQ(package->resolveTarget("word/document.xml", {"x", "t", "/word/styles.xml", false}),
              "word/styles.xml");
    EXPECT_EQ(package->resolveTarget("word/document.xml", {"x", "t", "../../etc/passwd", false}),
              QString());
}

TEST_F(PackageTest, DamagedOrForeignFilesAreRejectedAndLeftAsTheyWere)
{
    QString text = folder.filePath("notes.docx");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("plain text, not an archive");
    file.close();
    expectRejected(text, "這不是 Office 文件");

    QString truncated = folder.filePath("truncated.docx");
    QFile cut(truncated);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(fileBytes(sample).left(fileBytes(sample).size() / 2));
    cut.close();
    expectRejected(truncated, "這不是 Office 文件");

    ZipEntries entries = sampleEntries();
    entries.removeFirst();
    QString noTypes = folder.filePath("notypes.docx");
    ASSERT_TRUE(testsupport::writeZip(noTypes, entries));
    expectRejected(noTypes, "這不是 Office 文件，其中沒有 [Content_Types].xml");

    entries = sampleEntries();
    entries.removeAt(2);
    QString noMain = folder.filePath("nomain.docx");
    ASSERT_TRUE(testsupport::writeZip(noMain, entries));
    expectRejected(noMain, "其中沒有文件的主要部分");

    entries = sampleEntries();
    entries[0].second.chop(3);
    QString badTypes = folder.filePath("badtypes.docx");
    ASSERT_TRUE(testsupport::writeZip(badTypes, entries));
    expectRejected(badTypes, "[Content_Types].xml 不是格式正確的 XML");

    // A part whose bytes do not match their checksum, in its local header and in the
    // archive's directory alike.
    QByteArray zipped = fileBytes(sample);
    const qsizetype directory = zipped.indexOf("PK\x01\x02");
    ASSERT_TRUE(zipped.startsWith("PK\x03\x04") && directory > 0);
    zipped[14] = char(zipped[14] ^ 0x5a);
    zipped[directory + 16] = zipped[14];
    QString badSum = folder.filePath("badsum.docx");
    QFile summed(badSum);
    ASSERT_TRUE(summed.open(QIODevice::WriteOnly));
    summed.write(zipped);
    summed.close();
    expectRejected(badSum, "已損毀");

    expectRejected(folder.filePath("absent.docx"), "找不到這個檔案");
}

TEST_F(PackageTest, PartHeldTwiceIsRefused)
{
    // libzip will not write a name twice: the second copy is written under another name of
    // the same length, which is then put right in the file's bytes.
    ZipEntries entries = sampleEntries();
    entries.append({QStringLiteral("word/styles.xmX"), "<other/>"});
    const QString twice = folder.filePath("twice.docx");
    ASSERT_TRUE(testsupport::writeZip(twice, entries));
    ASSERT_TRUE(writeFile(twice, fileBytes(twice).replace("word/styles.xmX", "word/styles.xml")));
    expectRejected(twice, "同一個部分出現了兩次");

    // Part names ignore case, so these two name one part.
    entries = sampleEntries();
    entries.append({QStringLiteral("WORD/Styles.xml"), "<other/>"});
    const QString twiceInCase = folder.filePath("case.docx");
    ASSERT_TRUE(testsupport::writeZip(twiceInCase, entries));
    expectRejected(twiceInCase, "同一個部分出現了兩次");

    // Names libzip reads otherwise than they are stored, which a save would rename: a NUL
    // read as a space, a byte that is no UTF-8 read as code page 437.
    entries = sampleEntries();
    entries.append({QStringLiteral("word/aXb.xml"), "<other/>"});
    const QString renamed = folder.filePath("renamed.docx");
    for (const auto &[stored, read] : {std::pair{QByteArray("\0", 1), " "}, {"\xff", "\u00a0"}}) {
        ASSERT_TRUE(testsupport::writeZip(renamed, entries));
        ASSERT_TRUE(writeFile(
            renamed, fileBytes(renamed).replace("word/aXb.xml", "word/a" + stored + "b.xml")));
        expectRejected(renamed,
                       (QByteArray("名稱無法照原樣讀出（word/a") + read + "b.xml）").constData());
    }
}

TEST_F(PackageTest, UnpackedSizeIsLimitedForEachPartAndForThePackage)
{
    constexpr quint32 megabyte = 1024 * 1024;
    ASSERT_TRUE(claimSizes(sample, {{"word/media/image1.bin", 600 * megabyte}}));
    expectRejected(sample, "文件中的 word/media/image1.bin 解壓縮後超過 512 MB");

    // Each part within its limit, all of them beyond the package's.
    ZipEntries entries = sampleEntries();
    QHash<QString, quint32> claimed;
    for (int i = 1; i <= 3; ++i) {
        const QString name = QStringLiteral("word/media/zeros%1.bin").arg(i);
        entries.append({name, QByteArray(16, '\0')});
        claimed.insert(name, 400 * megabyte);
    }
    const QString large = folder.filePath("large.docx");
    ASSERT_TRUE(testsupport::writeZip(large, entries));
    ASSERT_TRUE(claimSizes(large, claimed));
    expectRejected(large, "文件解壓縮後超過 1024 MB");

    // Claims within the limits are read, and found to be false.
    for (quint32 &size : claimed)
        size = megabyte;
    ASSERT_TRUE(testsupport::writeZip(large, entries));
    ASSERT_TRUE(claimSizes(large, claimed));
    expectRejected(large, "文件中的 word/media/zeros1.bin 無法讀取，檔案已損毀");
}

TEST_F(PackageTest, PartNestedDeeperThanTheLimitIsRefusedAndOtherwiseKept)
{
    ZipEntries entries = sampleEntries();
    entries.append({"customXml/deepest.xml", nested(Package::maxNestingDepth)});
    entries.append({"customXml/deeper.xml", nested(Package::maxNestingDepth + 1)});
    entries.append({"customXml/hostile.xml", nested(100000)});
    ASSERT_TRUE(testsupport::writeZip(sample, entries));
    auto package = openOrFail(sample);
    ASSERT_TRUE(package);
    EXPECT_NE(package->xml("customXml/deepest.xml"), nullptr)
        << package->errorString().toStdString();
    for (const char *part : {"customXml/deeper.xml", "customXml/hostile.xml"}) {
        EXPECT_EQ(package->xml(part), nullptr);
        EXPECT_EQ(package->errorString(),
                  QStringLiteral("文件中的 %1 層層套疊超過 1000 層，檔案已損毀").arg(part));
    }
    // What is refused is never rewritten: it goes back as it came.
    const QString copy = folder.filePath("copy.docx");
    ASSERT_TRUE(package->save(copy).ok());
    EXPECT_EQ(testsupport::readZip(copy), entries);

    // The main part too deep: the package does not open.
    entries = sampleEntries();
    entries[2].second =
        "<w:document xmlns:w='urn:w'><w:body>" + nested(100000) + "</w:body></w:document>";
    ASSERT_TRUE(testsupport::writeZip(sample, entries));
    auto opened = Package::open(sample);
    ASSERT_TRUE(opened.ok());
    EXPECT_EQ(opened.value()->xml("word/document.xml"), nullptr);
}

TEST_F(PackageTest, MalformedPartIsReportedWhenUsedAndKeptAsItWas)
{
    // Entities of a declared document type, or of none, would come back as literal text.
    const std::pair<QByteArray, const char *> parts[] = {
        {"<styles><unclosed></styles>", "不是格式正確的 XML"},
        {"<!DOCTYPE styles [<!ENTITY e \"說文\">]><styles>&e;</styles>", "含有文件類型宣告"},
        {"<!DOCTYPE styles SYSTEM \"styles.dtd\"><styles/>", "含有文件類型宣告"},
        {"<styles>&amp;&lt;&gt;&quot;&apos;&#35;&#x23;&e;</styles>", "用了未宣告的實體 &e;"},
        {"<styles a=\"&說.文-1;\"/>", "用了未宣告的實體 &說.文-1;"},
        {"<?xml version=\"1.0\"?><!-- &a; --><styles><![CDATA[&b;]]><?pi &c;?>&amp;d;</styles>",
         nullptr},
    };
    for (const auto &[bytes, words] : parts) {
        SCOPED_TRACE(bytes.toStdString());
        ZipEntries entries = sampleEntries();
        entries[4].second = bytes;
        ASSERT_TRUE(testsupport::writeZip(sample, entries));
        auto package = openOrFail(sample);
        ASSERT_TRUE(package);
        if (!words) {
            EXPECT_NE(package->xml("word/styles.xml"), nullptr);
            continue;
        }
        EXPECT_EQ(package->xml("word/styles.xml"), nullptr);
        EXPECT_TRUE(package->errorString().startsWith(QStringLiteral("文件中的 word/styles.xml ") +
                                                      QString::fromUtf8(words)))
            << package->errorString().toStdString();
        EXPECT_EQ(package->xml("word/missing.xml"), nullptr);
        EXPECT_EQ(package->errorString(), "文件中沒有 word/missing.xml");

        QString copy = folder.filePath("copy.docx");
        ASSERT_TRUE(package->save(copy).ok());
        EXPECT_EQ(testsupport::readZip(copy), entries);
    }
}

TEST_F(PackageTest, FailedSaveLeavesNothingBehind)
{
    auto package = openOrFail(sample);
    ASSERT_TRUE(package);
    QString intoMissingFolder = folder.filePath("missing/out.docx");
    auto saved = package->save(intoMissingFolder);
    EXPECT_FALSE(saved.ok());
    EXPECT_TRUE(saved.errorString().startsWith("無法儲存 " + intoMissingFolder + "："))
        << saved.errorString().toStdString();
    EXPECT_FALSE(QFile::exists(intoMissingFolder));

    // A folder in the way is not replaced.
    QString blocked = folder.filePath("blocked.docx");
    ASSERT_TRUE(QDir().mkdir(blocked));
    EXPECT_FALSE(package->save(blocked).ok());
    EXPECT_TRUE(QFileInfo(blocked).isDir());
}

TEST_F(PackageTest, FullDiskIsNamedAndLeavesTheFileAsItWas)
{
    auto package = openOrFail(sample);
    ASSERT_TRUE(package);
    // More than the disk holds, and not to be compressed away.
    QByteArray noise(96 * 1024, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(noise.data()),
                                  noise.size() / qsizetype(sizeof(quint32)));
    package->setBytes("word/media/noise.bin", noise, QString());

    const QString disk = folder.filePath("disk");
    ASSERT_TRUE(QDir().mkpath(disk));
    const std::optional<QString> outcome = testsupport::runOnSmallDisk(disk, 64, [&] {
        const QString path = QDir(disk).filePath("out.docx");
        if (!writeFile(path, "earlier"))
            return QStringLiteral("the earlier file could not be written");
        const platform::Result<bool> saved = package->save(path);
        return saved.errorString() + u'|' + QDir(disk).entryList(QDir::Files).join(u',') + u'|' +
               QString::fromUtf8(fileBytes(path));
    });
    if (!outcome)
        GTEST_SKIP() << "this system mounts no file system for a test";
    EXPECT_EQ(*outcome,
              "無法儲存 " + QDir(disk).filePath("out.docx") + "：磁碟已滿|out.docx|earlier");
}

TEST_F(PackageTest, SavedPackageOpensInLibreOffice)
{
    auto package = openOrFail(sample);
    ASSERT_TRUE(package);
    package->xml("word/document.xml")->select_node("//w:t").node().text().set("部首");
    package->markChanged("word/document.xml");
    QString copy = folder.filePath("edited.docx");
    ASSERT_TRUE(package->save(copy).ok());

    auto converted = testsupport::convertWithLibreOffice(copy, "txt:Text (encoded):UTF8");
    ASSERT_TRUE(converted.ok());
    EXPECT_TRUE(QString::fromUtf8(converted->document).contains("部首"))
        << converted->document.toStdString();
}

TEST(LibreOfficeHelper, FileTheClientCannotReadIsAFailure)
{
    QTemporaryDir folder;
    QString path = folder.filePath("broken.docx");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("PK\x03\x04 broken");
    file.close();
    ::testing::TestPartResultArray reported;
    bool converted = true;
    {
        ::testing::ScopedFakeTestPartResultReporter reporter(&reported);
        converted = testsupport::convertWithLibreOffice(path, "txt").ok();
    }
    EXPECT_FALSE(converted);
    ASSERT_EQ(reported.size(), 1);
    EXPECT_TRUE(reported.GetTestPartResult(0).failed());
}

} // namespace
