#include "comAddIn/trivane/inserttrigram.h"

#include "comAddIn/trivane/global.h"
#include "platform/office/excel/excel.h"
#include "platform/office/page/pageapplication.h"
#include "platform/office/powerpoint/powerpoint.h"
#include "platform/office/word/application.h"

#include <QClipboard>
#include <QGuiApplication>

namespace trivane
{

namespace
{

platform::Result<bool> failure(const QString &message)
{
    return platform::Result<bool>::failure(message);
}

// The host's application as the model of its kind; nullptr for another host.
template<class HostModel> HostModel *application()
{
    return dynamic_cast<HostModel *>(global().Application);
}

// The symbol of button k, or nothing for a k out of range.
std::optional<QString> symbol(int k)
{
    if (k < 1 || k > Global::kTrigramCount || global().trigramCaptions[k - 1].isEmpty())
        return std::nullopt;
    return global().trigramCaptions[k - 1];
}

const QString kNoDocument = u"沒有開啟的文件"_qs;
const QString kNoSuchButton = u"沒有這個八卦符號按鈕"_qs;

} // namespace

platform::Result<bool> InsertTrigramWord(int k)
{
    const auto text = symbol(k);
    auto *word = application<word::Application>();
    word::Range *selection = word ? word->selection() : nullptr;
    if (!text)
        return failure(kNoSuchButton);
    if (!selection)
        return failure(kNoDocument);
    selection->setText(*text);
    selection->collapse(word::CollapseDirection::End);
    return true;
}

platform::Result<bool> InsertTrigramExcel(int k)
{
    const auto text = symbol(k);
    auto *excel = application<office::excel::Application>();
    const auto cell = excel ? excel->activeCell() : nullptr;
    if (!text)
        return failure(kNoSuchButton);
    if (!cell)
        return failure(kNoDocument);
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return failure(u"沒有剪貼簿"_qs);
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(*text);
    cell->worksheet().paste();
    return true;
}

platform::Result<bool> InsertTrigramPowerPoint(int k)
{
    const auto text = symbol(k);
    auto *powerpoint = application<office::powerpoint::Application>();
    office::powerpoint::DocumentWindow *window = powerpoint ? powerpoint->activeWindow() : nullptr;
    if (!text)
        return failure(kNoSuchButton);
    if (!window)
        return failure(kNoDocument);
    office::powerpoint::Selection &selection = window->selection();
    if (selection.type() != office::powerpoint::Selection::Type::Text)
        return true;
    selection.textRange()->setText(*text);
    window->sendKeys(u"{RIGHT}"_qs);
    return true;
}

platform::Result<bool> InsertTrigramFrontPage(int k)
{
    const auto text = symbol(k);
    auto *frontPage = application<office::page::Application>();
    office::page::Document *page = frontPage ? frontPage->activeDocument() : nullptr;
    if (!text)
        return failure(kNoSuchButton);
    if (!page)
        return failure(kNoDocument);
    page->selection()->clear();
    const auto range = page->selection()->createRange();
    range->setText(*text);
    range->move(int(text->size())); // from the symbol's start to just after it
    range->select();
    return true;
}

} // namespace trivane
