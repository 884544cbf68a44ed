#include "comAddIn/porvex/word/conversiondriver.h"

#include "comAddIn/porvex/glyphrenderer.h"
#include "comAddIn/porvex/word/rangeconverter.h"
#include "comAddIn/porvex/word/wordpicker.h"
#include "platform/office/word/application.h"

namespace porvex
{

namespace
{

using Mode = LookupEngine::ConversionMode;

const QString RunningText = QStringLiteral("構字式轉換中...");
const QString DoneText = QStringLiteral("構字式轉換完畢");

const QString NoProgramFolderText =
    QStringLiteral("找不到主程式 murvel 的資料夾，沒有字庫可查，構字式未轉換");

// One run over a source document whose glyph database is open.
class DocumentRun
{
public:
    DocumentRun(word::Application &application, ConversionRun &run,
                const ConversionContext &context, word::Document &source)
        : m_application(application), m_run(run), m_source(&source),
          m_picker(application, *context.picker), m_renderer(context.programFolder)
    {
    }

    // The status text the run ends with when nothing failed; the failures go to the run.
    QString run()
    {
        const word::Window::ViewType startView = m_source->activeWindow().viewType();
        m_source->activeWindow().setViewType(word::Window::ViewType::Normal);
        const QString status = convert();
        m_source->activeWindow().setViewType(startView);
        if (m_copy != nullptr)
            m_copy->activeWindow().setViewType(startView);
        return status;
    }

private:
    QString convert()
    {
        const Mode mode = m_run.engine().conversionMode();
        m_copy = OpenPreviewCopy(m_run, *m_source, m_application.documents(),
                                 mode == Mode::Glyph ? u"☆.docx"_qs : u"★.docx"_qs);
        if (m_copy == nullptr) {
            if (m_source->path().isEmpty())
                return QStringLiteral("文件尚未存檔，構字式未轉換");
            SaveSource(m_run, *m_source);
            return QString();
        }

        const QString pictureFolder = mode == Mode::Picture ? m_run.makePictureFolder() : QString();
        WordConversion conversion{m_run.engine(), m_picker, m_renderer, *m_copy,
                                  pictureFolder,  0,        {}};
        m_conversion = &conversion;
        word::Range &selection = m_source->activeWindow().selection();
        m_copy->activeWindow().selection().setRange(selection.start(), selection.end());
        walkStories();
        m_conversion = nullptr;

        endOnCopy();
        SaveSource(m_run, *m_source);
        SaveCopy(m_run, *m_copy);
        return conversion.lastMessage.isEmpty()
                   ? DoneText
                   : DoneText + QStringLiteral("；") + conversion.lastMessage;
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

    word::Application &m_application;
    ConversionRun &m_run;
    word::Document *m_source;
    word::Document *m_copy = nullptr;
    WordCandidatePicker m_picker;
    GlyphRenderer m_renderer;
    WordConversion *m_conversion = nullptr;
    std::pair<int, int> m_bodySelection;
};

// The run over the active document, source.
platform::Result<bool> ConvertDocumentFormulas(word::Application &application,
                                               const ConversionContext &context, Mode mode,
                                               word::Document &source)
{
    application.setDisplayStatusBar(true);
    application.setStatusBar(RunningText);
    ConversionRun run(application, context);
    const ScreenUpdatingOff frozen(application);
    run.engine().setConversionMode(mode);
    QString status;
    if (context.programFolder.isEmpty())
        status = NoProgramFolderText;
    else if (run.hasDatabase())
        status = DocumentRun(application, run, context, source).run();
    const platform::Result<bool> outcome = run.finish();
    application.setStatusBar(outcome ? status : outcome.errorString());
    return outcome;
}

platform::Result<bool> convertDocument(word::Application &application,
                                       const ConversionContext &context, Mode mode,
                                       const QString &title)
{
    word::Document *document = application.activeDocument();
    if (ConversionRun::inProgress() || document == nullptr)
        return true;
    if (document->protectionType() != word::ProtectionType::NoProtection) {
        context.showMessage(
            {.title = title,
             .text = QStringLiteral("請回到原始文件或解除文件保護後，再轉換構字式")});
        return true;
    }
    return ConvertDocumentFormulas(application, context, mode, *document);
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
                                               const ConversionContext &context)
{
    return convertDocument(application, context, Mode::Glyph, QStringLiteral("構字式轉成字形"));
}

platform::Result<bool> ConvertDocumentToPictures(word::Application &application,
                                                 const ConversionContext &context)
{
    return convertDocument(application, context, Mode::Picture, QStringLiteral("構字式轉成圖片"));
}

} // namespace porvex
