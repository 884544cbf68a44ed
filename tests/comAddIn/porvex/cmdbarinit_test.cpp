#include "comAddIn/porvex/cmdbarinit.h"
#include "comAddIn/porvex/connect.h"
#include "comAddIn/porvex/global.h"
#include "tests/comAddIn/frame/testhost.h"
#include "tests/support/printqstring.h"

#include <gtest/gtest.h>

using office::CommandBar;
using office::CommandBarControl;
using office::CommandBars;
using office::RemoveMode;

namespace
{

const QStringList kToolTags = {u"qelToolExpToGlyph"_qs, u"qelToolExpToImg"_qs,
                               u"qelToolImgToExp"_qs, u"qelToolHanziInteface"_qs,
                               u"qelToolHanziHelp"_qs};
const QString kOperatorBar = u"構字符號"_qs;

QStringList tagsOf(const CommandBar &bar, int id = CommandBarControl::kAddInId)
{
    QStringList tags;
    for (int i = 1; i <= bar.controlCount(); ++i) {
        if (bar.control(i)->id() == id)
            tags << bar.control(i)->tag();
    }
    return tags;
}

std::shared_ptr<CommandBarControl> tagged(const CommandBar &bar, const QString &tag)
{
    for (int i = 1; i <= bar.controlCount(); ++i) {
        if (bar.control(i)->tag() == tag)
            return bar.control(i);
    }
    return nullptr;
}

int barsNamed(const CommandBars &bars, const QString &name)
{
    int count = 0;
    for (int i = 1; i <= bars.count(); ++i)
        count += bars.item(i)->name() == name;
    return count;
}

// Conversions that write down which Tools item ran, and fail so that the click's failure
// shows in the host's status bar.
class RecordedConversions final : public porvex::HostOperations
{
public:
    QStringList calls;

    platform::Result<bool> ConvertDocumentToGlyphs() override
    {
        return ran(u"DocumentToGlyphs"_qs);
    }
    platform::Result<bool> ConvertDocumentToPictures() override
    {
        return ran(u"DocumentToPictures"_qs);
    }
    platform::Result<bool> ConvertPicturesToFormulas() override
    {
        return ran(u"PicturesToFormulas"_qs);
    }
    platform::Result<bool> ConvertWorkbookToGlyphs() override
    {
        return ran(u"WorkbookToGlyphs"_qs);
    }
    platform::Result<bool> ConvertPresentationToGlyphs() override
    {
        return ran(u"PresentationToGlyphs"_qs);
    }
    platform::Result<bool> ConvertPageToPictures() override { return ran(u"PageToPictures"_qs); }
    platform::Result<bool> ConvertPagePicturesToFormulas() override
    {
        return ran(u"PagePicturesToFormulas"_qs);
    }

private:
    platform::Result<bool> ran(const QString &name)
    {
        calls << name;
        return platform::Result<bool>::failure(name + u" 未完成"_qs);
    }
};

class ConnectionTest : public AddInConnectionTest
{
protected:
    std::unique_ptr<addin::Connect> createConnection() const override
    {
        return addin::createConnection(m_definition, u"PorvexAddin.ConnectWord"_qs);
    }

    mutable RecordedConversions m_conversions;
    const addin::AddInDefinition m_definition = porvex::definition(m_conversions);
};

TEST_F(ConnectionTest, FirstConnectionAddsToolsItemsAndAHiddenOperatorBar)
{
    TestHost word(u"Microsoft Word"_qs);
    const int builtIns = word.bar(u"Tools"_qs).controlCount();
    runHostOnce(word);

    const CommandBar &tools = word.bar(u"Tools"_qs);
    ASSERT_EQ(tools.controlCount(), builtIns + 5);
    EXPECT_EQ(tagsOf(tools), kToolTags);
    EXPECT_TRUE(tools.control(builtIns + 1)->beginGroup());
    EXPECT_FALSE(tools.control(builtIns + 2)->beginGroup());
    EXPECT_EQ(tools.control(builtIns + 1)->caption(), u"構字式轉成字形☆(預覽)"_qs);
    EXPECT_EQ(tools.control(builtIns + 4)->caption(), u"Tesvani..."_qs);
    for (int i = builtIns + 1; i <= tools.controlCount(); ++i) {
        EXPECT_TRUE(tools.control(i)->visible());
        EXPECT_EQ(tools.control(i)->onAction(), u"!<PorvexAddin.ConnectWord>"_qs);
    }

    const CommandBar &operators = word.bar(kOperatorBar);
    EXPECT_FALSE(operators.visible());
    ASSERT_EQ(operators.controlCount(), 9);
    const QString symbols = u"\uF6A4\uF6A3\uF6A5\uF6AE\uF6AF\uF6A7\uF6A6\uF6A8\uF6AB"_qs;
    for (int i = 1; i <= 9; ++i) {
        const auto button = operators.control(i);
        EXPECT_EQ(button->caption(), symbols.mid(i - 1, 1));
        EXPECT_EQ(button->style(), CommandBarControl::CaptionOnly);
        EXPECT_EQ(button->beginGroup(), i == 1);
        EXPECT_EQ(button->id(), CommandBarControl::kAddInId);
    }
    EXPECT_EQ(operators.control(9)->tag(), u"qelOperator4D"_qs);
}

TEST_F(ConnectionTest, SecondConnectionOnlyHooksWhatItFinds)
{
    TestHost word(u"Microsoft Word"_qs);
    runHostOnce(word);
    const int tools = word.bar(u"Tools"_qs).controlCount();
    // A user's own choices on found controls stay.
    word.bar(kOperatorBar).setVisible(true);
    tagged(word.bar(u"Tools"_qs), u"qelToolHanziHelp"_qs)->setCaption(u"說明"_qs);

    ASSERT_TRUE(connect(word).ok());
    EXPECT_EQ(word.bar(u"Tools"_qs).controlCount(), tools);
    EXPECT_EQ(barsNamed(*word.commandBars(), kOperatorBar), 1);
    EXPECT_EQ(word.bar(kOperatorBar).controlCount(), 9);
    EXPECT_TRUE(word.bar(kOperatorBar).visible());
    EXPECT_EQ(tagged(word.bar(u"Tools"_qs), u"qelToolHanziHelp"_qs)->caption(), u"說明"_qs);

    const auto &events = porvex::global().eventObject();
    EXPECT_EQ(events.ToolBtn(1).control(), tagged(word.bar(u"Tools"_qs), u"qelToolExpToGlyph"_qs));
    EXPECT_EQ(events.OperatorBtn(9).control(), word.bar(kOperatorBar).control(9));
    // The hooked control's click reaches the Word operation.
    events.ToolBtn(1).control()->click();
    EXPECT_EQ(m_conversions.calls, QStringList{u"DocumentToGlyphs"_qs});
    EXPECT_EQ(word.statusBar(), u"DocumentToGlyphs 未完成"_qs);
}

TEST_F(ConnectionTest, EachHostsToolsItemsRunThatHostsConversions)
{
    const std::pair<QString, QStringList> hosts[] = {
        {u"Microsoft Word"_qs,
         {u"DocumentToGlyphs"_qs, u"DocumentToPictures"_qs, u"PicturesToFormulas"_qs}},
        {u"Microsoft Excel"_qs, {u"WorkbookToGlyphs"_qs}},
        {u"Microsoft PowerPoint"_qs, {u"PresentationToGlyphs"_qs}},
        {u"Microsoft FrontPage"_qs, {u"PageToPictures"_qs, u"PagePicturesToFormulas"_qs}},
        {u"Microsoft Access"_qs, {}},
    };
    for (const auto &[name, conversions] : hosts) {
        TestHost host(name);
        ASSERT_TRUE(connect(host).ok());
        m_conversions.calls.clear();
        for (int k = 1; k <= 3; ++k)
            porvex::cmdBarEvents::ToolBtnClick(k);
        EXPECT_EQ(m_conversions.calls, conversions) << name.toStdString();
        ASSERT_TRUE(disconnect(RemoveMode::HostShutdown).ok());
    }
}

TEST_F(ConnectionTest, AToolsItemDeletedByHandComesBackAlone)
{
    TestHost word(u"Microsoft Word"_qs);
    runHostOnce(word);
    ASSERT_TRUE(tagged(word.bar(u"Tools"_qs), u"qelToolImgToExp"_qs)->deleteControl());
    ASSERT_TRUE(word.bar(kOperatorBar).control(4)->deleteControl());
    runHostOnce(word);

    const CommandBar &tools = word.bar(u"Tools"_qs);
    EXPECT_EQ(tagsOf(tools), (QStringList{u"qelToolExpToGlyph"_qs, u"qelToolExpToImg"_qs,
                                          u"qelToolHanziInteface"_qs, u"qelToolHanziHelp"_qs,
                                          u"qelToolImgToExp"_qs}));
    EXPECT_FALSE(tools.control(tools.controlCount())->beginGroup());
    EXPECT_EQ(word.bar(kOperatorBar).controlCount(), 9);
    EXPECT_EQ(word.bar(kOperatorBar).control(9)->tag(), u"qelOperatorS"_qs);
}

TEST_F(ConnectionTest, RemovalDeletesExactlyTheAddInsTaggedControlsAndTheBar)
{
    TestHost word(u"Microsoft Word"_qs);
    const int builtIns = word.bar(u"Tools"_qs).controlCount();
    runHostOnce(word);
    CommandBar &tools = word.bar(u"Tools"_qs);
    // A built-in item that happens to carry one of the tags, a second copy of an item
    // right after the first, and another add-in's item.
    tools.control(1)->setTag(u"qelToolHanziHelp"_qs);
    const auto copy = tools.addControl();
    copy->setTag(u"qelToolHanziHelp"_qs);
    tools.addControl()->setTag(u"otherAddInItem"_qs);

    ASSERT_TRUE(connect(word).ok());
    EXPECT_NE(porvex::global().eventObject().ToolBtn(5).control(),
              word.bar(u"Tools"_qs).control(1));
    ASSERT_TRUE(disconnect(RemoveMode::UserClosed).ok());
    word.reopenBars();

    const CommandBar &after = word.bar(u"Tools"_qs);
    EXPECT_EQ(after.controlCount(), builtIns + 1);
    EXPECT_EQ(after.control(1)->tag(), u"qelToolHanziHelp"_qs);
    EXPECT_EQ(tagsOf(after), QStringList{u"otherAddInItem"_qs});
    EXPECT_FALSE(word.commandBars()->item(kOperatorBar));
}

TEST_F(ConnectionTest, HiddenItemsAndCaptionsFollowTheHost)
{
    const auto visibleTags = [](const CommandBar &tools) {
        QStringList tags;
        for (int i = 1; i <= tools.controlCount(); ++i) {
            if (tools.control(i)->id() == CommandBarControl::kAddInId &&
                tools.control(i)->visible())
                tags << tools.control(i)->tag();
        }
        return tags;
    };
    for (const QString &name : {u"Microsoft Excel"_qs, u"Microsoft PowerPoint"_qs}) {
        TestHost host(name);
        runHostOnce(host);
        EXPECT_EQ(visibleTags(host.bar(u"Tools"_qs)),
                  (QStringList{u"qelToolExpToGlyph"_qs, u"qelToolHanziInteface"_qs,
                               u"qelToolHanziHelp"_qs}));
        EXPECT_EQ(tagsOf(host.bar(u"Tools"_qs)), kToolTags); // the hidden ones exist all the same
    }
    TestHost page(u"Microsoft FrontPage"_qs);
    runHostOnce(page);
    EXPECT_EQ(visibleTags(page.bar(u"Tools"_qs)), kToolTags.mid(1));
    EXPECT_EQ(tagged(page.bar(u"Tools"_qs), u"qelToolExpToImg"_qs)->caption(),
              u"構字式轉成圖片"_qs);
}

TEST_F(ConnectionTest, OnActionTextsByHost)
{
    const std::pair<QString, QString> expected[] = {
        {u"Microsoft Word"_qs, u"!<PorvexAddin.ConnectWord>"_qs},
        {u"Microsoft Excel"_qs, u"!<porvexaddin.ConnectExcel>"_qs},
        {u"Microsoft PowerPoint"_qs, u"!<porvexaddin.ConnectPowerPoint>"_qs},
        {u"Microsoft FrontPage"_qs, u"!<porvexaddin.ConnectFrontPage>"_qs},
        {u"microsoft word"_qs, QString()},
    };
    for (const auto &[name, onAction] : expected) {
        TestHost host(name);
        runHostOnce(host);
        EXPECT_EQ(tagged(host.bar(u"Tools"_qs), u"qelToolHanziHelp"_qs)->onAction(), onAction)
            << name.toStdString();
        EXPECT_EQ(host.bar(kOperatorBar).control(1)->onAction(), onAction) << name.toStdString();
    }
}

class OutlookHost : public TestHost
{
public:
    class Explorer : public office::Explorer
    {
    public:
        std::shared_ptr<CommandBars> commandBars() const override { return bars; }
        std::shared_ptr<CommandBars> bars;
    };

    OutlookHost(const QString &explorerBarsFile) : TestHost(u"Outlook"_qs)
    {
        m_explorer.bars = CommandBars::openFile(explorerBarsFile);
    }
    office::Explorer *activeExplorer() const override
    {
        return const_cast<Explorer *>(&m_explorer);
    }
    const CommandBars &explorerBars() const { return *m_explorer.bars; }

private:
    Explorer m_explorer;
};

TEST_F(ConnectionTest, OutlookBarsAreThoseOfItsActiveExplorer)
{
    QTemporaryDir dir;
    OutlookHost outlook(dir.filePath(u"explorer.json"_qs));
    const int ownTools = outlook.bar(u"Tools"_qs).controlCount();
    ASSERT_TRUE(connect(outlook).ok());
    EXPECT_EQ(outlook.bar(u"Tools"_qs).controlCount(), ownTools);
    EXPECT_FALSE(outlook.commandBars()->item(kOperatorBar));
    EXPECT_EQ(tagsOf(*outlook.explorerBars().item(u"Tools"_qs)), kToolTags);
    ASSERT_TRUE(outlook.explorerBars().item(kOperatorBar));
    EXPECT_TRUE(outlook.explorerBars().item(kOperatorBar)->control(1)->onAction().isEmpty());
}

// A host without a "Tools" bar takes the error route at every connection.
TEST_F(ConnectionTest, ErrorRouteNeverAddsASecondOperatorBar)
{
    TestHost word(u"Microsoft Word"_qs);
    ASSERT_TRUE(word.bar(u"Tools"_qs).deleteBar());
    runHostOnce(word);
    ASSERT_EQ(barsNamed(*word.commandBars(), kOperatorBar), 1);
    EXPECT_FALSE(word.bar(kOperatorBar).visible());
    word.bar(kOperatorBar).setVisible(true);
    runHostOnce(word);
    EXPECT_EQ(barsNamed(*word.commandBars(), kOperatorBar), 1);
    EXPECT_EQ(word.bar(kOperatorBar).controlCount(), 9);
    EXPECT_TRUE(word.bar(kOperatorBar).visible());
}

TEST_F(ConnectionTest, AFailedRemovalStillReleasesEverything)
{
    TestHost word(u"Microsoft Word"_qs);
    ASSERT_TRUE(word.bar(u"Tools"_qs).deleteBar());
    ASSERT_TRUE(connect(word).ok());
    ASSERT_TRUE(porvex::global().eventObject().OperatorBtn(1));

    EXPECT_FALSE(disconnect(RemoveMode::UserClosed).ok());
    EXPECT_EQ(porvex::global().application(), nullptr);
    EXPECT_FALSE(porvex::global().commandBars());
    for (int k = 1; k <= 9; ++k)
        EXPECT_FALSE(porvex::global().eventObject().OperatorBtn(k));
    EXPECT_FALSE(word.commandBars()->item(kOperatorBar)); // the bar went all the same
}

TEST_F(ConnectionTest, ReleasedButtonsNoLongerReachTheAddIn)
{
    TestHost word(u"Microsoft Word"_qs);
    ASSERT_TRUE(connect(word).ok());
    const auto button = tagged(word.bar(u"Tools"_qs), u"qelToolExpToGlyph"_qs);
    ASSERT_TRUE(disconnect(RemoveMode::HostShutdown).ok());
    EXPECT_EQ(button->clickSubscriberCount(), 0);
}

TEST(ConnectionClasses, FourProgIdsFoundWithoutRegardToCase)
{
    RecordedConversions conversions;
    const addin::AddInDefinition definition = porvex::definition(conversions);
    for (const char16_t *id : porvex::kProgIds)
        EXPECT_TRUE(addin::createConnection(definition, QString::fromUtf16(id).toLower()));
    EXPECT_FALSE(addin::createConnection(definition, u"PorvexAddin.ConnectOutlook"_qs));
}

} // namespace
