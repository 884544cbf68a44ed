#include "comAddIn/porvex/word/conversiondriver.h"

#include "comAddIn/porvex/glyphrenderer.h"
#include "comAddIn/porvex/previewcopy.h"
#include "comAddIn/porvex/word/rangeconverter.h"
#include "comAddIn/porvex/word/wordpicker.h"
#include "platform/jet/database.h"
#include "platform/office/word/application.h"
#include "vbprog/murvel/schema/schemanames.h"

#include <QDir>
#include <QFile>

namespace porvex
{

namespace
{

using Mode = LookupEngine::ConversionMode;

const QString RunningText = QStringLiteral("構字式轉換中...");
const QString DoneText = QStringLiteral("構字式轉換完畢");

// The host as a run leaves it on every way out: screen updating on, the normal pointer.
class HostDuringRun
{
public:
    explicit HostDuringRun(word::Application &application) : m_application(application)
    {
        m_application.setDisplayStatusBar(true);
        m_application.setStatusBar(RunningText);
        m_application.setCursor(office::HostApplication::Cursor::Wait);
        m_application.setScreenUpdating(false);
    }
    ~HostDuringRun()
    {
        m_application.setScreenUpdating(true);
        m_application.setCursor(office::HostApplication::Cursor::Normal);
    }
    HostDuringRun(const HostDuringRun &) = delete;
    HostDuringRun &operator=(const HostDuringRun &) = delete;

private:
    word::Application &m_application;
};

// One run over a source document whose glyph database is open.
class DocumentRun
{
public:
    DocumentRun(word::Application &application, const WordRunContext &context,
                word::Document &source)
        : m_application(application), m_context(context), m_source(&source),
          m_picker(application, context.dialog), m_renderer(context.mainProgramFolder)
    {
    }

    // The status text the run ends with, or the first failure that kept it from its work.
    platform::Result<QString> run()
    {
        const word::Window::ViewType startView = m_source->activeWindow().viewType();
        m_source->activeWindow().setViewType(word::Window::ViewType::Normal);
        platform::Result<QString> status = convert();
        m_source->activeWindow().setViewType(startView);
        if (m_copy != nullptr)
            m_copy->activeWindow().setViewType(startView);
        return status;
    }

private:
    using Outcome = platform::Result<QString>;

    Outcome convert()
    {
        if (!m_source->saved()) {
            const platform::Result<bool> saved = m_source->save();
            if (!saved)
                return Outcome::failure(
                    QStringLiteral("文件無法儲存，構字式未轉換：%1").arg(saved.errorString()));
        }
        if (m_source->path().isEmpty())
            return QStringLiteral("文件尚未存檔，構字式未轉換");
        const QString fullName = m_source->fullName();
        const QString copyPath = PreviewCopyPath(
            m_source->path(), m_source->name(),
            m_context.engine.conversionMode() == Mode::Glyph ? u"☆.docx"_qs : u"★.docx"_qs);
        const QString temporary =
            QDir(m_source->path()).filePath(u'~' + PreviewBaseName(m_source->name()) + u".tmp"_qs);
        const QString copyError = makeCopy(fullName, copyPath, temporary);
        if (word::Document *again = m_application.documents().item(fullName))
            m_source = again;
        if (!copyError.isEmpty()) {
            saveSource();
            return Outcome::failure(copyError);
        }

        const QString pictureFolder =
            QDir(m_context.windowsFolder).filePath(QStringLiteral("Temp/MurvelTempDir"));
        QDir().mkpath(pictureFolder);
        WordConversion conversion{m_context.engine, m_picker, m_renderer, *m_copy,
                                  pictureFolder,    0,        {}};
        m_conversion = &conversion;
        word::Range &selection = m_source->activeWindow().selection();
        m_copy->activeWindow().selection().setRange(selection.start(), selection.end());
        walkStories();
        m_conversion = nullptr;

        endOnCopy();
        const QString sourceError = saveSource();
        const platform::Result<bool> savedCopy = m_copy->saveAs(copyPath);
        if (!sourceError.isEmpty())
            return Outcome::failure(sourceError);
        if (!savedCopy)
            return Outcome::failure(
                QStringLiteral("預覽文件無法儲存：%1").arg(savedCopy.errorString()));
        return conversion.lastMessage.isEmpty()
                   ? DoneText
                   : DoneText + QStringLiteral("；") + conversion.lastMessage;
    }

    // Writes the source's content to the copy's path, freeing the name first when an
    // earlier copy is open under it, and opens the copy. The reason when it failed.
    QString makeCopy(const QString &fullName, const QString &copyPath, const QString &temporary)
    {
        word::Documents &documents = m_application.documents();
        for (int i = 1; i <= documents.count(); ++i) {
            word::Document *open = documents.item(i);
            if (open != nullptr && open->fullName() == copyPath)
                open->saveAs(temporary);
        }
        const platform::Result<bool> copied = m_source->saveAs(copyPath);
        const platform::Result<bool> back = m_source->saveAs(fullName);
        QString error;
        if (!copied || !back)
            error = QStringLiteral("預覽文件無法寫入：%1")
                        .arg(!copied ? copied.errorString() : back.errorString());
        else if (platform::Result<word::Document *> opened = documents.open(copyPath))
            m_copy = opened.value();
        else
            error = QStringLiteral("預覽文件無法開啟：%1").arg(opened.errorString());
        if (word::Document *earlier = documents.item(temporary)) {
            documents.close(earlier, false);
            QFile::remove(temporary);
        }
        return error;
    }

    void convertPair(std::unique_ptr<word::Range> copy, std::unique_ptr<word::Range> source,
                     bool select = true)
    {
        if (!copy || !source)
            return;
        if (select)
            copy->select();
        ConvertRangeFormulas(*m_conversion, *copy, *source);
    }

    void convertNotes(word::Collection<word::Note> &copy, word::Collection<word::Note> &source)
    {
        for (int i = 1; i <= copy.count(); ++i) {
            word::Note *copyNote = copy.item(i);
            word::Note *sourceNote = source.item(i);
            if (copyNote != nullptr && sourceNote != nullptr)
                convertPair(copyNote->range(), sourceNote->range());
        }
    }

    void convertShapes(word::Collection<word::Shape> &copy, word::Collection<word::Shape> &source)
    {
        if (copy.count() <= 0)
            return;
        for (const auto &[copyShape, sourceShape] : CollectShapes(copy, source)) {
            if (copyShape->textFrame().hasText())
                convertPair(copyShape->textFrame().textRange(),
                            sourceShape->textFrame().textRange());
        }
    }

    void convertHeaderFooter(word::Section &copy, word::Section &source,
                             word::HeaderFooterIndex index)
    {
        convertPair(copy.headers(index).range(), source.headers(index).range());
        convertPair(copy.footers(index).range(), source.footers(index).range());
    }

    void walkStories()
    {
        convertPair(m_copy->content(), m_source->content(), false);
        const word::Range &body = m_copy->activeWindow().selection();
        m_bodySelection = {body.start(), body.end()};

        convertNotes(m_copy->footnotes(), m_source->footnotes());
        convertNotes(m_copy->endnotes(), m_source->endnotes());
        convertNotes(m_copy->comments(), m_source->comments());
        convertShapes(m_copy->shapes(), m_source->shapes());

        word::Collection<word::Section> &copySections = m_copy->sections();
        word::Collection<word::Section> &sourceSections = m_source->sections();
        for (int i = 1; i <= copySections.count(); ++i) {
            word::Section *copy = copySections.item(i);
            word::Section *source = sourceSections.item(i);
            if (copy == nullptr || source == nullptr)
                continue;
            convertHeaderFooter(*copy, *source, word::HeaderFooterIndex::Primary);
            if (copy->pageSetup().differentFirstPageHeaderFooter())
                convertHeaderFooter(*copy, *source, word::HeaderFooterIndex::FirstPage);
            if (copy->pageSetup().oddAndEvenPagesHeaderFooter())
                convertHeaderFooter(*copy, *source, word::HeaderFooterIndex::EvenPages);
        }
        if (copySections.count() > 0 && sourceSections.count() > 0)
            convertShapes(
                copySections.item(1)->headers(word::HeaderFooterIndex::Primary).shapes(),
                sourceSections.item(1)->headers(word::HeaderFooterIndex::Primary).shapes());
    }

    // The copy's selection back in its main text where the conversion of the main text
    // left it, brought into view through a bookmark that does not stay; then the copy is
    // protected so that only comments can be added.
    void endOnCopy()
    {
        m_copy->content()->select();
        word::Range &selection = m_copy->activeWindow().selection();
        selection.setRange(m_bodySelection.first, m_bodySelection.second);
        const QString bookmark = QString::fromUtf16(WordCandidatePicker::BookmarkName);
        word::Bookmarks &bookmarks = m_copy->bookmarks();
        bookmarks.add(bookmark, selection);
        if (std::unique_ptr<word::Range> marked = bookmarks.range(bookmark))
            marked->select();
        bookmarks.remove(bookmark);
        m_copy->protect(word::ProtectionType::AllowOnlyComments);
    }

    // Saves the replacements made in the source; the reason when it failed.
    QString saveSource()
    {
        if (m_source->saved())
            return QString();
        const platform::Result<bool> saved = m_source->save();
        return saved ? QString() : QStringLiteral("原始文件無法儲存：%1").arg(saved.errorString());
    }

    word::Application &m_application;
    const WordRunContext &m_context;
    word::Document *m_source;
    word::Document *m_copy = nullptr;
    WordCandidatePicker m_picker;
    GlyphRenderer m_renderer;
    WordConversion *m_conversion = nullptr;
    std::pair<int, int> m_bodySelection;
};

// One run at a time: a click that reaches the add-in while a run waits for the chooser
// is ignored.
bool runInProgress = false;

platform::Result<bool> convertDocument(word::Application &application,
                                       const WordRunContext &context, Mode mode,
                                       const QString &title)
{
    if (runInProgress)
        return true;
    context.engine.setConversionMode(mode);
    word::Document *document = application.activeDocument();
    if (document == nullptr)
        return true;
    if (document->protectionType() != word::ProtectionType::NoProtection) {
        context.messageBox(QStringLiteral("請回到原始文件或解除文件保護後，再轉換構字式"), title);
        return true;
    }
    return ConvertDocumentFormulas(application, context);
}

} // namespace

std::vector<std::pair<word::Shape *, word::Shape *>>
CollectShapes(word::Collection<word::Shape> &copy, word::Collection<word::Shape> &source)
{
    std::vector<std::pair<word::Shape *, word::Shape *>> shapes;
    std::vector<std::pair<word::Shape *, word::Shape *>> groups;
    auto take = [&](word::Shape *copyShape, word::Shape *sourceShape) {
        if (copyShape == nullptr || sourceShape == nullptr)
            return;
        if (copyShape->type() == word::Shape::Type::Group)
            groups.emplace_back(copyShape, sourceShape);
        else
            shapes.emplace_back(copyShape, sourceShape);
    };
    for (int i = 1; i <= copy.count(); ++i)
        take(copy.item(i), source.item(i));
    while (!groups.empty()) {
        const auto [copyGroup, sourceGroup] = groups.back();
        groups.pop_back();
        word::Collection<word::Shape> &copyItems = copyGroup->groupItems();
        word::Collection<word::Shape> &sourceItems = sourceGroup->groupItems();
        for (int j = 1; j <= copyItems.count(); ++j)
            take(copyItems.item(j), sourceItems.item(j));
    }
    return shapes;
}

platform::Result<bool> ConvertDocumentToGlyphs(word::Application &application,
                                               const WordRunContext &context)
{
    return convertDocument(application, context, Mode::Glyph, QStringLiteral("構字式轉成字形"));
}

platform::Result<bool> ConvertDocumentToPictures(word::Application &application,
                                                 const WordRunContext &context)
{
    return convertDocument(application, context, Mode::Picture, QStringLiteral("構字式轉成圖片"));
}

platform::Result<bool> ConvertDocumentFormulas(word::Application &application,
                                               const WordRunContext &context)
{
    word::Document *source = application.activeDocument();
    if (source == nullptr)
        return true;
    if (runInProgress)
        return true;
    runInProgress = true;
    const std::unique_ptr<bool, void (*)(bool *)> endOfRun(&runInProgress,
                                                           [](bool *running) { *running = false; });
    HostDuringRun host(application);
    if (context.mainProgramFolder.isEmpty()) {
        application.setStatusBar(
            QStringLiteral("找不到主程式 murvel 的資料夾，沒有字庫可查，構字式未轉換"));
        return true;
    }
    const QString databasePath = DatabasePath(context.mainProgramFolder, DatabaseNames::Regular);
    jet::Result<jet::Database> database = jet::Database::open(databasePath);
    if (!database || !context.engine.startRun(database.value(), context.windowsFolder)) {
        application.setStatusBar(
            QStringLiteral("字庫無法開啟，構字式未轉換：%1")
                .arg(!database ? database.errorString() : context.engine.errorString()));
        return true;
    }
    platform::Result<QString> outcome = DocumentRun(application, context, *source).run();
    // A run that failed already reports that failure, not what followed from it.
    if (!context.engine.finishRun() && outcome)
        outcome = platform::Result<QString>::failure(
            QStringLiteral("缺字記錄無法儲存：%1").arg(context.engine.errorString()));
    application.setStatusBar(outcome ? outcome.value() : outcome.errorString());
    if (!outcome)
        return platform::Result<bool>::failure(outcome.errorString());
    return true;
}

} // namespace porvex
