#include "wordengine.h"

#include "comAddIn/porvex/word/conversiondriver.h"
#include "platform/office/word/docx/docxdocument.h"

namespace fuzz
{

namespace
{

using StoryVisit = std::function<void(word::Range &)>;

void visitRange(std::unique_ptr<word::Range> range, const StoryVisit &visit)
{
    if (range)
        visit(*range);
}

void visitShapes(word::Collection<word::Shape> &shapes, const StoryVisit &visit)
{
    for (const auto &[shape, same] : porvex::CollectShapes(shapes, shapes)) {
        if (shape->textFrame().hasText())
            visitRange(shape->textFrame().textRange(), visit);
    }
}

void visitHeaderFooter(word::Section &section, word::HeaderFooterIndex index,
                       const StoryVisit &visit)
{
    visitRange(section.headers(index).range(), visit);
    visitRange(section.footers(index).range(), visit);
}

// Each collection is asked for when its turn comes, as the conversion asks for it after
// editing the stories before.
void visitStories(word::Document &document, const StoryVisit &visit)
{
    visitRange(document.content(), visit);
    for (word::Collection<word::Note> *notes :
         {&document.footnotes(), &document.endnotes(), &document.comments()}) {
        for (int i = 1; i <= notes->count(); ++i) {
            if (word::Note *note = notes->item(i))
                visitRange(note->range(), visit);
        }
    }
    visitShapes(document.shapes(), visit);
    word::Collection<word::Section> &sections = document.sections();
    for (int i = 1; i <= sections.count(); ++i) {
        word::Section *section = sections.item(i);
        if (section == nullptr)
            continue;
        visitHeaderFooter(*section, word::HeaderFooterIndex::Primary, visit);
        if (section->pageSetup().differentFirstPageHeaderFooter())
            visitHeaderFooter(*section, word::HeaderFooterIndex::FirstPage, visit);
        if (section->pageSetup().oddAndEvenPagesHeaderFooter())
            visitHeaderFooter(*section, word::HeaderFooterIndex::EvenPages, visit);
    }
    if (sections.count() > 0)
        visitShapes(sections.item(1)->headers(word::HeaderFooterIndex::Primary).shapes(), visit);
}

class WordDocument final : public EngineDocument
{
public:
    explicit WordDocument(std::unique_ptr<word::docx::DocxDocument> document)
        : m_document(std::move(document))
    {
    }

    std::optional<QStringList> texts() override
    {
        QStringList texts;
        visitStories(*m_document, [&texts](word::Range &range) { texts.append(range.text()); });
        return texts;
    }

    void edit() override
    {
        visitStories(*m_document, [](word::Range &range) {
            const int base = range.start();
            const auto [start, count] = StretchToEdit(range.end() - base);
            range.setRange(base + start, base + start + count);
            range.typeText(EditText());
        });
    }

    platform::Result<bool> save() override { return m_document->save(); }

private:
    std::unique_ptr<word::docx::DocxDocument> m_document;
};

} // namespace

OpenedDocument OpenWordDocument(const QString &path)
{
    return OpenedAs<WordDocument>(word::docx::DocxDocument::open(path));
}

} // namespace fuzz
