#include "comAddIn/porvex/frontpage/frontpageconversion.h"

#include "comAddIn/porvex/formulascanner.h"
#include "comAddIn/porvex/frontpage/picturenames.h"
#include "comAddIn/porvex/glyphrenderer.h"
#include "platform/codepage/cp950.h"

namespace porvex
{

namespace
{

using namespace office::page;
using Cursor = office::HostApplication::Cursor;

// A range over [start, start + length) of the page's body.
std::unique_ptr<TextRange> rangeAt(Document &page, int start, int length)
{
    std::unique_ptr<TextRange> range = page.body()->createTextRange();
    range->collapse(true);
    range->move(start);
    range->moveEnd(length);
    return range;
}

void showInView(const TextRange &range)
{
    if (std::unique_ptr<Element> parent = range.parentElement())
        parent->scrollIntoView(true);
}

// "#RRGGBB" as 0x00BBGGRR; 0 for "NoColor" and anything that is no colour.
quint32 colourOf(const QString &html)
{
    bool ok = false;
    const uint rgb = html.startsWith(u'#') ? html.mid(1).toUInt(&ok, 16) : 0;
    if (!ok || html.size() != 7)
        return 0;
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

} // namespace

FrontPageConversion::FrontPageConversion(Application &frontPage, const ConversionContext &context,
                                         GlyphRenderer &renderer, PictureNames &pictures)
    : m_frontPage(frontPage), m_context(context), m_renderer(renderer), m_pictures(pictures)
{
}

platform::Result<bool> FrontPageConversion::ConvertPageToPictures()
{
    Document *page = m_frontPage.activeDocument();
    if (ConversionRun::inProgress() || !page)
        return true;
    ConversionRun run(m_frontPage, m_context);
    if (!run.hasDatabase())
        return run.finish();
    const platform::Result<QString> folder = MakePictureFolder(page->path());
    if (!folder.ok()) {
        run.fail(folder.errorString());
        return run.finish();
    }
    m_pictureFolder = folder.value();
    ConvertPageRangeFormulas(run, *page);
    return run.finish();
}

void FrontPageConversion::ConvertPageRangeFormulas(ConversionRun &run, Document &page)
{
    const FormulaScanner scanner(FormulaScanner::Mode::Page);
    std::unique_ptr<TextRange> formulaRange;
    // The user's selection, shown again after every question.
    std::unique_ptr<TextRange> selection = page.selection()->createRange();
    HostPicker picker(
        *m_context.picker,
        [&] {
            m_frontPage.setCursor(Cursor::Normal);
            formulaRange->select();
            showInView(*formulaRange);
        },
        [&] {
            m_frontPage.setCursor(Cursor::Wait);
            selection->select();
            showInView(*selection);
        });

    int from = 0;
    for (;;) {
        QString text = page.body()->createTextRange()->text();
        const std::optional<FoundFormula> found = scanner.next(text, from);
        if (!found)
            break;
        const QString formula = text.mid(found->start, found->length);
        text.clear(); // shares the page's text: kept through an edit, it would be copied whole
        formulaRange = rangeAt(page, found->start, found->length);
        if (found->lone) {
            // A character of a user-defined set becomes a picture of itself.
            const GlyphFont font = GetRangeFontAttributes(*formulaRange, page);
            if (pastePicture(*formulaRange, font, formula, formula))
                from = found->start + 1;
            continue;
        }
        const Lookup &lookup = run.engine().lookUp(formula, picker);
        if (lookup.chosen.code.isEmpty())
            continue;
        if (codepage::isBig5Hanzi(lookup.chosen.glyph)) {
            formulaRange->setText(lookup.chosen.code);
            from = found->start + int(lookup.chosen.code.size());
            continue;
        }
        GlyphFont font = GetRangeFontAttributes(*formulaRange, page);
        const GlyphWrite write = lookup.writeFor(font.name);
        font.name = write.face.value_or(font.name);
        const QString altFormula = lookup.resultText.isEmpty() ? formula : lookup.resultText;
        if (pastePicture(*formulaRange, font, write.text, altFormula))
            from = found->start + 1;
    }
}

bool FrontPageConversion::pastePicture(TextRange &formula, const GlyphFont &font,
                                       const QString &text, const QString &altFormula)
{
    const QString file = m_pictures.next(m_pictureFolder);
    int width = 0;
    int height = 0;
    if (!m_renderer.GlyphToBitmapFileSized(font, text, file, width, height))
        return false;

    // The picture takes the formula's place inside the tags that the range's markup opens
    // and closes around it.
    const QString markup = formula.htmlText();
    const QString formulaText = formula.text();
    const qsizetype first = markup.indexOf(formulaText.front());
    const qsizetype last = markup.lastIndexOf(formulaText.back());
    const QString picture = PictureElement(PictureLink(file), width, height, altFormula);
    if (first < 0 || last < first)
        formula.pasteHTML(picture);
    else
        formula.pasteHTML(markup.left(first) + picture + markup.mid(last + 1));
    return true;
}

platform::Result<bool> ConvertPagePicturesToFormulas(Application &frontPage)
{
    Document *page = frontPage.activeDocument();
    if (!page)
        return true;
    ImageCollection &images = *page->images();
    const int count = images.length();
    int index = 0;
    for (int n = 0; n < count; ++n) {
        std::unique_ptr<Element> image = images.item(index);
        if (!image)
            break;
        const QString alt = image->alt();
        if (alt.startsWith(u"●＝"_qs) || alt.startsWith(u"●="_qs)) {
            // The next image moves into this index.
            image->insertAdjacentText(AdjacentPosition::BeforeBegin, alt.mid(2));
            image->setOuterHTML(QString());
        } else {
            ++index;
        }
    }
    return true;
}

GlyphFont GetRangeFontAttributes(const TextRange &range, const Document &page)
{
    std::unique_ptr<TextRange> first = range.duplicate();
    first->collapse(true);
    first->moveEnd(1);
    GlyphFont font;
    const QVariant name = first->queryCommandValue(u"FontName"_qs);
    font.name = name.isNull() ? u"新細明體"_qs : name.toString();
    const QVariant size = first->queryCommandValue(u"FontSize"_qs);
    font.size = HtmlFontSizeToPoints(size.isNull() ? QString() : size.toString());
    font.bold = first->queryCommandState(u"Bold"_qs);
    font.italic = first->queryCommandState(u"Italic"_qs);
    font.underline = first->queryCommandState(u"Underline"_qs);
    const QVariant colour = first->queryCommandValue(u"ForeColor"_qs);
    font.color = colour.isNull() ? colourOf(page.fgColor()) : colour.toUInt();
    return font;
}

int HtmlFontSizeToPoints(const QString &size)
{
    static const int points[] = {8, 10, 12, 14, 18, 24, 36};
    bool ok = false;
    const int html = size.toInt(&ok);
    return ok && html >= 1 && html <= 7 ? points[html - 1] : 12;
}

QString PictureElement(const QString &link, int width, int height, const QString &altFormula)
{
    return u"<img border=\"0\" src=\""_qs + link.toHtmlEscaped() +
           u"\" align=\"texttop\" width=\""_qs + QString::number(width) + u"\" height=\""_qs +
           QString::number(height) + u"\" alt=\""_qs + (u"●＝"_qs + altFormula).toHtmlEscaped() +
           u"\">"_qs;
}

} // namespace porvex
