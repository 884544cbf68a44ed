#include "vbprog/kavrot/wordtranscoder.h"

#include "platform/office/word/application.h"
#include "vbprog/kavrot/shapewalk.h"
#include "vbprog/kavrot/stagedoutput.h"

#include <algorithm>
#include <vector>

namespace kavrot
{

namespace
{

// One character of the old private-use range U+E000..U+F848.
const word::FindOptions kOldCharacter{QStringLiteral("[\uE000-\uF848]"), true, {}, false};

class WordConversion
{
public:
    WordConversion(TranscodeRun &run, word::Document &document)
        : m_run(run), m_document(document), m_fileMessage(run.observer().message())
    {
        m_totalChars = std::max(1, document.content()->end());
    }

    void convertRange(word::Range &range);
    void convertShapes(word::Collection<word::Shape> &shapes);
    void convertLaterStories();

private:
    void showProgress(int position);

    TranscodeRun &m_run;
    word::Document &m_document;
    const QString m_fileMessage;
    int m_totalChars = 1;
    int m_lastPercent = 0;
};

void WordConversion::convertRange(word::Range &range)
{
    while (range.find(kOldCharacter)) {
        const QString found = range.text();
        if (found.size() == 1) {
            if (const std::optional<QString> formula = m_run.reference().formulaFor(found.at(0)))
                range.setText(*formula);
        }
        // The search goes on behind the replacement, so a formula is never searched again.
        range.collapse(word::CollapseDirection::End);
        m_run.observer().letEventsRun();
        showProgress(range.end());
        if (m_run.stopRequested())
            return;
    }
}

// The base stays the main text's length in every story, so later stories show whatever
// their own positions give, never more than 99%.
void WordConversion::showProgress(int position)
{
    const int percent = std::min(99, int(qint64(position) * 100 / m_totalChars));
    if (percent > m_lastPercent) {
        m_run.observer().setMessage(m_fileMessage + QStringLiteral("已完成 ") +
                                    QString::number(percent) + u'%');
        m_lastPercent = percent;
    }
}

void WordConversion::convertShapes(word::Collection<word::Shape> &shapes)
{
    std::vector<word::Shape *> topLevel;
    for (int i = 1; i <= shapes.count(); ++i)
        topLevel.push_back(shapes.item(i));
    const auto isGroup = [](word::Shape *shape) {
        return shape->type() == word::Shape::Type::Group;
    };
    const auto forEachItem = [](word::Shape *group, const auto &visit) {
        word::Collection<word::Shape> &items = group->groupItems();
        for (int i = 1; i <= items.count(); ++i)
            visit(items.item(i));
    };
    for (word::Shape *shape : shapesOpeningGroups(topLevel, isGroup, forEachItem)) {
        if (shape->textFrame().hasText())
            convertRange(*shape->textFrame().textRange());
    }
}

void WordConversion::convertLaterStories()
{
    for (word::Collection<word::Note> *notes :
         {&m_document.footnotes(), &m_document.endnotes(), &m_document.comments()}) {
        for (int i = 1; i <= notes->count(); ++i)
            convertRange(*notes->item(i)->range());
    }
    if (m_document.shapes().count() > 0)
        convertShapes(m_document.shapes());

    word::Collection<word::Section> &sections = m_document.sections();
    for (int i = 1; i <= sections.count(); ++i) {
        word::Section &section = *sections.item(i);
        std::vector<word::HeaderFooterIndex> shown{word::HeaderFooterIndex::Primary};
        if (section.pageSetup().differentFirstPageHeaderFooter())
            shown.push_back(word::HeaderFooterIndex::FirstPage);
        if (section.pageSetup().oddAndEvenPagesHeaderFooter())
            shown.push_back(word::HeaderFooterIndex::EvenPages);
        for (word::HeaderFooterIndex index : shown) {
            convertRange(*section.headers(index).range());
            convertRange(*section.footers(index).range());
        }
    }
    // The primary header of the first section holds the shapes of every header and footer.
    if (sections.count() > 0) {
        word::Collection<word::Shape> &shapes =
            sections.item(1)->headers(word::HeaderFooterIndex::Primary).shapes();
        if (shapes.count() > 0)
            convertShapes(shapes);
    }
}

} // namespace

platform::Result<FileOutcome> ConvertWordFile(const QString &source, const QString &destination,
                                              TranscodeRun &run)
{
    using Outcome = platform::Result<FileOutcome>;
    // The source is read, never written, and the save writes the whole converted document
    // into the new file: a copy of the source there first would only be written over.
    StagedOutput output(destination);
    if (const platform::Result<bool> reserved = output.reserve(); !reserved)
        return Outcome::failure(reserved.errorString());
    word::Documents &documents = run.wordApplication().documents();
    const platform::Result<word::Document *> opened = documents.open(source);
    if (!opened)
        return Outcome::failure(opened.errorString());
    word::Document *document = opened.value();

    WordConversion conversion(run, *document);
    conversion.convertRange(*document->content());
    if (run.stopRequested()) {
        documents.close(document, false);
        return FileOutcome::Stopped;
    }
    conversion.convertLaterStories();

    const platform::Result<bool> saved = document->saveAs(output.path());
    documents.close(document, false);
    if (!saved)
        return Outcome::failure(output.naming(destination, saved.errorString()));
    if (const platform::Result<bool> committed = output.commit(); !committed)
        return Outcome::failure(committed.errorString());
    return FileOutcome::Converted;
}

} // namespace kavrot
