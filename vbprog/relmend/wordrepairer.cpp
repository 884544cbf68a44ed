#include "vbprog/relmend/wordrepairer.h"

#include <vector>

namespace relmend
{

namespace
{

constexpr char16_t FirstPrivateUse = 0xE000;
constexpr char16_t LastPrivateUse = 0xF848;

word::FindOptions privateUseSearch()
{
    word::FindOptions options;
    options.text =
        QStringLiteral("[") + QChar(FirstPrivateUse) + u'-' + QChar(LastPrivateUse) + u']';
    options.matchWildcards = true;
    return options;
}

bool startsWithPrivateUse(const QString &text)
{
    return !text.isEmpty() && text[0].unicode() >= FirstPrivateUse &&
           text[0].unicode() <= LastPrivateUse;
}

} // namespace

WordRepairer::WordRepairer(word::Application &word, toolkit::BatchObserver &observer)
    : m_word(word), m_observer(observer)
{
}

WordRepairer::Outcome WordRepairer::RepairWordFile(const QString &path)
{
    FileMessage = m_observer.message();
    RepairedChars = DoneChars = StoryChars = TotalChars = 0;
    m_error.clear();

    platform::Result<word::Document *> opened = m_word.documents().open(path);
    if (!opened) {
        m_error = opened.errorString();
        return Outcome::Failed;
    }
    word::Document &document = *opened.value();
    TotalChars = document.content()->end();
    if (const int footnotes = document.footnotes().count(); footnotes > 0)
        TotalChars += document.footnotes().item(footnotes)->range()->end();
    LastPercent = 0;

    auto content = document.content();
    RepairWordRange(*content);
    if (m_observer.stopRequested() || !repairNotes(document.footnotes(), true)) {
        m_word.documents().close(&document, false);
        return Outcome::Abandoned;
    }
    repairStories(document);

    Outcome outcome = Outcome::Unchanged;
    if (RepairedChars > 0) {
        if (platform::Result<bool> saved = document.save(); !saved) {
            m_error = saved.errorString();
            outcome = Outcome::Failed;
        } else {
            outcome = Outcome::Saved;
        }
    }
    m_word.documents().close(&document, false);
    return outcome;
}

// Everything after the main text and the footnotes.
void WordRepairer::repairStories(word::Document &document)
{
    repairNotes(document.endnotes(), false);
    repairNotes(document.comments(), false);
    if (document.shapes().count() > 0)
        repairShapes(document.shapes());
    repairHeadersAndFooters(document);
    if (document.sections().count() > 0) {
        word::Collection<word::Shape> &headerShapes =
            document.sections().item(1)->headers(word::HeaderFooterIndex::Primary).shapes();
        if (headerShapes.count() > 0)
            repairShapes(headerShapes);
    }
}

// False when a stop was confirmed after a note and stopBetween asks to end there.
bool WordRepairer::repairNotes(word::Collection<word::Note> &notes, bool stopBetween)
{
    for (int i = 1; i <= notes.count(); ++i) {
        selectAndRepair(notes.item(i)->range());
        if (stopBetween && m_observer.stopRequested())
            return false;
    }
    return true;
}

// Groups are opened last pushed, first taken; every shape that is no group and holds text
// is repaired in the order it was met.
void WordRepairer::repairShapes(word::Collection<word::Shape> &shapes)
{
    std::vector<word::Shape *> groups;
    std::vector<word::Shape *> listed;
    auto sort = [&](word::Shape *shape) {
        (shape->type() == word::Shape::Type::Group ? groups : listed).push_back(shape);
    };
    for (int i = 1; i <= shapes.count(); ++i)
        sort(shapes.item(i));
    while (!groups.empty()) {
        word::Shape *group = groups.back();
        groups.pop_back();
        word::Collection<word::Shape> &items = group->groupItems();
        for (int i = 1; i <= items.count(); ++i)
            sort(items.item(i));
    }
    for (word::Shape *shape : listed) {
        if (shape->textFrame().hasText())
            selectAndRepair(shape->textFrame().textRange());
    }
}

void WordRepairer::repairHeadersAndFooters(word::Document &document)
{
    using Index = word::HeaderFooterIndex;
    for (int i = 1; i <= document.sections().count(); ++i) {
        word::Section &section = *document.sections().item(i);
        std::vector<Index> indexes{Index::Primary};
        if (section.pageSetup().differentFirstPageHeaderFooter())
            indexes.push_back(Index::FirstPage);
        if (section.pageSetup().oddAndEvenPagesHeaderFooter())
            indexes.push_back(Index::EvenPages);
        for (const Index index : indexes) {
            selectAndRepair(section.headers(index).range());
            selectAndRepair(section.footers(index).range());
        }
    }
}

void WordRepairer::selectAndRepair(std::unique_ptr<word::Range> range)
{
    range->select();
    RepairWordRange(*range);
}

// Word's wildcard search jumps from one private-use character to the next, so a range
// without any costs one search.
void WordRepairer::RepairWordRange(word::Range &range)
{
    const bool mainText = range.storyType() == word::StoryType::MainText;
    StoryChars = range.end() - range.start();
    const word::FindOptions search = privateUseSearch();
    while (range.find(search)) {
        const QString text = range.text();
        if (startsWithPrivateUse(text)) {
            range.typeText(text);
            ++RepairedChars;
        }
        range.collapse(word::CollapseDirection::End);
        if (mainText) {
            m_observer.letEventsRun();
            updateProgress(range.end());
        }
        if (m_observer.stopRequested())
            return;
    }
    if (mainText) {
        DoneChars = StoryChars;
    } else {
        DoneChars += StoryChars;
        m_observer.letEventsRun();
        updateProgress(DoneChars);
    }
}

// The percentage shown rises by whole steps, each shown once, and never reaches 100.
void WordRepairer::updateProgress(int count)
{
    if (TotalChars <= 0)
        return;
    const int percent = std::min(int(qint64(count) * 100 / TotalChars), 99);
    if (percent > LastPercent) {
        m_observer.setMessage(FileMessage + QStringLiteral("已完成 %1%").arg(percent));
        LastPercent = percent;
    }
}

} // namespace relmend
