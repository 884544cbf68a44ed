#include "comAddIn/porvex/conversionrun.h"
#include "conversiontesting.h"
#include "platform/office/excel/xlsxapplication.h"
#include "platform/office/powerpoint/pptxapplication.h"
#include "platform/office/word/docx/wordapplication.h"
#include "tests/platform/office/excel/sampleworkbook.h"
#include "tests/platform/office/powerpoint/samplepresentation.h"
#include "tests/platform/office/word/sampledocx.h"
#include "tests/support/printqstring.h"
#include "tests/support/smalldisk.h"

#include <QDir>
#include <QFile>

using porvex::ConversionRun;
using Cursor = office::HostApplication::Cursor;

namespace
{

const QString Mark = QStringLiteral("留下");

// What the preview copy's tests do in each host: write a sample document, reach its open
// documents, change its text, and read a file's text back.
struct WordHost {
    using Application = word::docx::WordApplication;
    using Document = word::Document;
    static constexpr auto Extension = u".docx";
    static bool write(const QString &path)
    {
        return wordtest::writeDocx(path, "<w:p><w:r><w:t>甲</w:t></w:r></w:p><w:sectPr/>");
    }
    static word::Documents &documents(Application &word) { return word.documents(); }
    static void mark(Document &document)
    {
        std::unique_ptr<word::Range> start = document.content();
        start->setRange(0, 0);
        start->insertAfter(Mark);
    }
    static QString textOf(const QString &path)
    {
        auto opened = word::docx::DocxDocument::open(path);
        return opened ? opened.value()->content()->text() : QString();
    }
};

struct ExcelHost {
    using Application = office::excel::XlsxApplication;
    using Document = office::excel::Workbook;
    static constexpr auto Extension = u".xlsx";
    static bool write(const QString &path) { return writeSampleWorkbook(path); }
    static office::excel::Workbooks &documents(Application &excel) { return excel.workbooks(); }
    static void mark(Document &book) { firstCell(book)->characters()->insert(Mark); }
    static QString textOf(const QString &path)
    {
        Application excel;
        auto opened = excel.workbooks().open(path);
        return opened ? firstCell(*opened.value())->characters()->text() : QString();
    }
    static std::unique_ptr<office::excel::Range> firstCell(Document &book)
    {
        return book.worksheet(1)->range(QStringLiteral("A1"));
    }
};

struct PowerPointHost {
    using Application = office::powerpoint::PptxApplication;
    using Document = office::powerpoint::Presentation;
    static constexpr auto Extension = u".pptx";
    static bool write(const QString &path) { return writeSamplePresentation(path); }
    static office::powerpoint::Presentations &documents(Application &powerPoint)
    {
        return powerPoint.presentations();
    }
    static void mark(Document &shown) { textBox(shown)->setText(Mark); }
    static QString textOf(const QString &path)
    {
        Application powerPoint;
        auto opened = powerPoint.presentations().open(path);
        return opened ? textBox(*opened.value())->text() : QString();
    }
    static std::unique_ptr<office::powerpoint::TextRange> textBox(Document &shown)
    {
        return shown.slide(1)->shape(1)->textFrame()->textRange();
    }
};

template<class Host> class PreviewCopyTest : public ConversionTest
{
protected:
    using Document = typename Host::Document;

    void SetUp() override
    {
        ASSERT_TRUE(Host::write(sourcePath));
        auto opened = Host::documents(application).open(sourcePath);
        ASSERT_TRUE(opened.ok()) << opened.errorString().toStdString();
        source = opened.value();
    }

    // Writes and opens the preview copy of the source; the run's failures in failure.
    Document *openCopy(QString *failure = nullptr)
    {
        ConversionRun run(application, context);
        Document *copy = porvex::OpenPreviewCopy(run, *source, Host::documents(application),
                                                 u"☆"_qs + QString::fromUtf16(Host::Extension));
        const platform::Result<bool> finished = run.finish();
        if (failure != nullptr)
            *failure = finished.errorString();
        return copy;
    }

    // The open documents of that full name.
    QList<Document *> opened(const QString &fullName)
    {
        QList<Document *> found;
        auto &open = Host::documents(application);
        for (int index = 1; index <= open.count(); ++index) {
            if (Document *document = open.item(index); document->fullName() == fullName)
                found << document;
        }
        return found;
    }

    typename Host::Application application;
    const QString sourcePath =
        documents.filePath(u"plan.old"_qs + QString::fromUtf16(Host::Extension));
    const QString copyPath =
        documents.filePath(u"plan.old☆"_qs + QString::fromUtf16(Host::Extension));
    const QString asidePath = documents.filePath(u"~plan.old.tmp"_qs);
    Document *source = nullptr;
};

using Hosts = ::testing::Types<WordHost, ExcelHost, PowerPointHost>;
TYPED_TEST_SUITE(PreviewCopyTest, Hosts);

TYPED_TEST(PreviewCopyTest, ARunAgainReplacesAnEarlierCopyStillOpenAndLeavesNoFileAside)
{
    typename TypeParam::Document *earlier = this->openCopy();
    ASSERT_NE(earlier, nullptr);
    TypeParam::mark(*earlier);

    QString failure;
    typename TypeParam::Document *copy = this->openCopy(&failure);
    ASSERT_NE(copy, nullptr) << failure.toStdString();
    EXPECT_EQ(failure, QString());
    EXPECT_EQ(this->opened(this->copyPath), QList{copy}) << "the earlier copy was closed";
    EXPECT_TRUE(this->opened(this->asidePath).isEmpty());
    EXPECT_FALSE(QFile::exists(this->asidePath));
    EXPECT_FALSE(TypeParam::textOf(this->copyPath).contains(Mark))
        << "the new copy is the source's";
    EXPECT_EQ(this->opened(this->sourcePath), QList{this->source});
}

TYPED_TEST(PreviewCopyTest, ACopyThatCannotBeWrittenLeavesTheEarlierOneOpenWithAllItHeld)
{
    typename TypeParam::Document *earlier = this->openCopy();
    ASSERT_NE(earlier, nullptr);
    TypeParam::mark(*earlier);
    // The copy's name taken by a folder that holds a file: no copy can be written there.
    ASSERT_TRUE(QFile::remove(this->copyPath));
    ASSERT_TRUE(QDir().mkpath(QDir(this->copyPath).filePath(u"inside"_qs)));

    QString failure;
    EXPECT_EQ(this->openCopy(&failure), nullptr);
    EXPECT_TRUE(failure.startsWith(u"預覽文件無法寫入："_qs)) << failure.toStdString();
    EXPECT_EQ(this->opened(this->asidePath), QList{earlier}) << "still open, set aside";
    EXPECT_TRUE(TypeParam::textOf(this->asidePath).contains(Mark)) << "with its change";
    EXPECT_EQ(this->opened(this->sourcePath), QList{this->source});
}

class ConversionRunTest : public ConversionTest
{
protected:
    office::excel::XlsxApplication host;
};

TEST_F(ConversionRunTest, ARunHoldsTheWaitPointerAndIsTheOnlyOneUntilItEnds)
{
    {
        ConversionRun run(host, context);
        EXPECT_TRUE(run.hasDatabase());
        EXPECT_EQ(host.cursor(), Cursor::Wait);
        EXPECT_TRUE(ConversionRun::inProgress());
        EXPECT_TRUE(run.finish().ok());
        EXPECT_EQ(host.cursor(), Cursor::Normal);
        EXPECT_FALSE(ConversionRun::inProgress());
        EXPECT_EQ(run.engine().lookUp(formulas::Bright, picker).level, porvex::LookupLevel::Failed)
            << "the tables were let go";
    }
    {
        ConversionRun leftEarly(host, context);
    }
    EXPECT_FALSE(ConversionRun::inProgress()) << "a run left without finish ends too";
    EXPECT_EQ(host.cursor(), Cursor::Normal);
}

TEST_F(ConversionRunTest, WithoutTheMainProgramNothingIsFoundAndNothingFails)
{
    context.programFolder.clear();
    ConversionRun run(host, context);
    EXPECT_FALSE(run.hasDatabase());
    EXPECT_TRUE(run.finish().ok());
}

TEST_F(ConversionRunTest, TheFailuresOfARunAreReportedInTheOrderMet)
{
    context.programFolder = documents.path() + u'/'; // no glyph database here
    ConversionRun run(host, context);
    EXPECT_FALSE(run.hasDatabase());
    run.fail(u"然後這個"_qs);
    const platform::Result<bool> finished = run.finish();
    ASSERT_FALSE(finished.ok());
    const QStringList failures = finished.errorString().split(u'\n');
    ASSERT_EQ(failures.size(), 2) << finished.errorString().toStdString();
    EXPECT_TRUE(failures[0].startsWith(u"字庫無法開啟，構字式未轉換："_qs))
        << failures[0].toStdString();
    EXPECT_TRUE(failures[0].contains(u"murvel.mdb"_qs)) << failures[0].toStdString();
    EXPECT_EQ(failures[1], u"然後這個"_qs);
}

TEST_F(ConversionRunTest, APictureFolderThatCannotBeMadeFailsTheRun)
{
    ConversionRun run(host, context);
    EXPECT_EQ(run.makePictureFolder(), QDir(windows.path()).filePath(u"Temp/MurvelTempDir"_qs));
    EXPECT_TRUE(QDir(run.makePictureFolder()).exists());
    EXPECT_TRUE(run.finish().ok());

    QTemporaryDir blocked;
    QFile temp(blocked.filePath(u"Temp"_qs));
    ASSERT_TRUE(temp.open(QIODevice::WriteOnly));
    temp.close();
    context.windowsFolder = blocked.path();
    ConversionRun again(host, context);
    EXPECT_EQ(again.makePictureFolder(), QString());
    EXPECT_FALSE(again.finish().ok());
}

TEST_F(ConversionRunTest, AMissingCharacterLogThatCannotBeSavedFailsTheRun)
{
    const QString disk = documents.filePath(u"windows"_qs);
    ASSERT_TRUE(QDir().mkpath(disk));
    const std::optional<QString> outcome = testsupport::runOnSmallDisk(disk, 64, [&] {
        context.windowsFolder = disk;
        ConversionRun run(host, context);
        if (!testsupport::fillDisk(disk))
            return u"no filler"_qs;
        if (run.engine().lookUp(formulas::MissingHalf, picker).level !=
            porvex::LookupLevel::Missing)
            return u"the formula was found"_qs;
        return run.finish().errorString() + u'|' + QDir(disk).entryList(QDir::Files).join(u',');
    });
    if (!outcome)
        GTEST_SKIP() << "this system mounts no file system for a test";
    EXPECT_TRUE(outcome->startsWith(u"缺字記錄無法儲存："_qs)) << outcome->toStdString();
    EXPECT_TRUE(outcome->contains(u"usrhanzi.txt"_qs)) << outcome->toStdString();
    EXPECT_TRUE(outcome->endsWith(u"|filler"_qs)) << "no log and no temporary file are left";
}

} // namespace
