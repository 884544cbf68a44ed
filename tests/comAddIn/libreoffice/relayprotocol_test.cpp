// The relay's messages as the extension writes and reads them, and the names it derives
// from command URLs, file URLs and modules.
#include "comAddIn/libreoffice/commandurl.h"
#include "comAddIn/libreoffice/hostidentity.h"
#include "comAddIn/libreoffice/relayjson.h"
#include "comAddIn/libreoffice/relayprotocol.h"

#include <gtest/gtest.h>

namespace
{

using namespace relay;

TEST(RelayJson, ReadsEscapesAndSurrogatePairsIntoUtf8)
{
    const auto value = parseJson(R"({"a":"\u6b21\ud840\udc00\n\"x\"","b":[true,null,-1.5e1]})");
    ASSERT_TRUE(value);
    EXPECT_EQ(stringMember(*value, "a"), "次\xF0\xA0\x80\x80\n\"x\"");
    EXPECT_EQ((*value)["b"], Json::parse("[true,null,-15.0]"));
}

TEST(RelayJson, RefusesWhatIsNotOneWholeValue)
{
    for (const char *text :
         {"", "{", R"({"a":1} x)", R"({"a":})", R"(["\ud840"])", R"(["\udc00"])", "[\"a\tb\"]",
          "[1,]", "tru", R"({"a" 1})", "[\"\xFF\"]", "[\"\xC0\x80\"]", "{\"a\":1}\n{}"})
        EXPECT_FALSE(parseJson(text)) << text;
    // Nesting deep enough to exhaust a stack is refused, not followed.
    EXPECT_FALSE(parseJson(std::string(100000, '[') + std::string(100000, ']')));
    EXPECT_FALSE(parseJson(std::string(66, '[') + std::string(66, ']')));
    EXPECT_TRUE(parseJson(std::string(60, '[') + std::string(60, ']')));
}

TEST(RelayJson, WritesOneLineThatReadsBack)
{
    const Json value{{"text", "第一行\n第二行\x01\"\\"}, {"n", 2}};
    const std::string line = serialized(value);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    const auto back = parseJson(line);
    ASSERT_TRUE(back);
    EXPECT_EQ(stringMember(*back, "text"), "第一行\n第二行\x01\"\\");
    EXPECT_EQ((*back)["n"], 2);
    // Bytes that are not UTF-8 never break the line.
    EXPECT_TRUE(parseJson(serialized(Json{{"text", "a\xFF"
                                                   "b"}})));
}

TEST(RelayMessages, RequestsCarryTheProtocolsMembers)
{
    EXPECT_EQ(Json::parse(clickRequest("Microsoft Word", "qelOperatorH",
                                       {"/tmp/甲 乙.docx", true, "甲 乙.docx"})),
              Json::parse(R"({"op":"click","host":"Microsoft Word","tag":"qelOperatorH",)"
                          R"("document":{"path":"/tmp/甲 乙.docx","modified":true,)"
                          R"("title":"甲 乙.docx"}})"));
    // A known window goes as its number.
    EXPECT_EQ(Json::parse(clickRequest("Microsoft Word", "t",
                                       {"/tmp/a.docx", false, "a", 0xfffffffe}))["document"],
              Json::parse(R"({"path":"/tmp/a.docx","modified":false,"title":"a",)"
                          R"("window":4294967294})"));
    EXPECT_EQ(Json::parse(disconnectRequest("Microsoft Excel")),
              Json::parse(R"({"op":"disconnect","host":"Microsoft Excel","mode":1})"));
    EXPECT_EQ(Json::parse(barsRequest("Microsoft FrontPage")),
              Json::parse(R"({"op":"bars","host":"Microsoft FrontPage"})"));
    EXPECT_EQ(Json::parse(storeReply(true, "ignored")), Json::parse(R"({"stored":true})"));
    EXPECT_EQ(Json::parse(storeReply(false, "磁碟已滿")),
              Json::parse(R"({"stored":false,"message":"磁碟已滿"})"));
}

TEST(RelayMessages, BarsKeepOrderKindVisibilityAndPictures)
{
    const auto bars = parseBarsReply(
        R"x({"bars":[{"name":"Tools","kind":"menu","visible":true,"controls":[)x"
        R"x({"tag":"qelToolExpToGlyph","caption":"構字式轉成字形☆(預覽)","visible":false,)x"
        R"x("beginGroup":true},{"caption":"no tag"},)x"
        R"x({"tag":"qelToolHanziHelp","caption":"Tesvani說明..."}]},)x"
        R"x({"name":"構字符號","kind":"toolbar","visible":false,"controls":[)x"
        R"x({"tag":"qelOperatorH","caption":"\uF6A4","image":"/run/icons/f6a4-16.png",)x"
        R"x("largeImage":"/run/icons/f6a4-26.png"}]},)x"
        R"x({"kind":"toolbar"}]})x");
    ASSERT_TRUE(bars);
    ASSERT_EQ(bars->size(), 2u);
    const Bar &tools = (*bars)[0];
    EXPECT_TRUE(tools.isMenu);
    ASSERT_EQ(tools.controls.size(), 2u);
    EXPECT_EQ(tools.controls[0].caption, "構字式轉成字形☆(預覽)");
    EXPECT_FALSE(tools.controls[0].visible);
    EXPECT_TRUE(tools.controls[0].beginGroup);
    // Members left out take the defaults of a plain, visible control.
    EXPECT_TRUE(tools.controls[1].visible);
    EXPECT_FALSE(tools.controls[1].beginGroup);
    EXPECT_EQ(tools.controls[1].image, "");
    EXPECT_EQ(tools.controls[1].largeImage, "");
    EXPECT_EQ((*bars)[1].name, "構字符號");
    EXPECT_FALSE((*bars)[1].isMenu);
    ASSERT_EQ((*bars)[1].controls.size(), 1u);
    EXPECT_EQ((*bars)[1].controls[0].caption, "\uF6A4");
    EXPECT_EQ((*bars)[1].controls[0].image, "/run/icons/f6a4-16.png");
    EXPECT_EQ((*bars)[1].controls[0].largeImage, "/run/icons/f6a4-26.png");
    EXPECT_FALSE(parseBarsReply(R"({"done":true})"));
}

TEST(RelayMessages, ReplyLinesAreActionsOrTheEnd)
{
    const ReplyLine type = parseReplyLine(R"({"action":"type","text":"\uf6a4","font":"Qeleudc"})");
    ASSERT_TRUE(std::holds_alternative<Action>(type));
    EXPECT_EQ(std::get<Action>(type).kind, Action::Kind::Type);
    EXPECT_EQ(std::get<Action>(type).text, "\xEF\x9A\xA4");
    EXPECT_EQ(std::get<Action>(type).font, "Qeleudc");
    const ReplyLine open = parseReplyLine(R"({"action":"open","path":"/tmp/a☆.docx"})");
    ASSERT_TRUE(std::holds_alternative<Action>(open));
    EXPECT_EQ(std::get<Action>(open).text, "/tmp/a☆.docx");
    EXPECT_FALSE(std::get<Action>(open).readOnly);
    const ReplyLine readOnly =
        parseReplyLine(R"({"action":"open","path":"/tmp/a☆.docx","readOnly":true})");
    ASSERT_TRUE(std::holds_alternative<Action>(readOnly));
    EXPECT_TRUE(std::get<Action>(readOnly).readOnly);
    const ReplyLine lock = parseReplyLine(R"({"action":"lock"})");
    ASSERT_TRUE(std::holds_alternative<Action>(lock));
    EXPECT_EQ(std::get<Action>(lock).kind, Action::Kind::Lock);

    const ReplyLine done =
        parseReplyLine(R"({"done":true,"ok":false,"message":"請先存檔","barsChanged":true})");
    ASSERT_TRUE(std::holds_alternative<Done>(done));
    EXPECT_FALSE(std::get<Done>(done).ok);
    EXPECT_EQ(std::get<Done>(done).message, "請先存檔");
    EXPECT_TRUE(std::get<Done>(done).barsChanged);

    // Unknown actions, an open without a path and broken lines are skipped.
    for (const char *line : {R"({"action":"format"})", R"({"action":"open"})", "not json", "[]"})
        EXPECT_TRUE(std::holds_alternative<std::monostate>(parseReplyLine(line))) << line;
}

TEST(CommandUrls, TagsComeRawOrPercentEncoded)
{
    EXPECT_EQ(tagOfCommand("vnd.murvel.addin:qelOperatorH"), "qelOperatorH");
    EXPECT_EQ(tagOfCommand("vnd.murvel.addin:乾"), "乾");
    EXPECT_EQ(tagOfCommand("vnd.murvel.addin:%E4%B9%BE"), "乾");
    EXPECT_EQ(tagOfCommand("vnd.murvel.addin:%e4%b9%be"), "乾");
    EXPECT_EQ(tagOfCommand(commandForTag("qelToolExpToGlyph")), "qelToolExpToGlyph");
    for (const char *url : {"vnd.murvel.addin:", "vnd.murvel.addin:%E4%B9", "vnd.murvel.addin:%G1",
                            "vnd.murvel.addin:%C0%80", "vnd.murvel.addin:%ED%A0%80",
                            "vnd.murvel.addin:%FF", ".uno:Save", "vnd.murvel.addinX"})
        EXPECT_FALSE(tagOfCommand(url)) << url;
}

TEST(CommandUrls, ToolbarResourcesAreAsciiAndOnePerName)
{
    const std::string operators = toolbarResourceUrl("構字符號");
    const std::string trigrams = toolbarResourceUrl("八卦符號");
    EXPECT_NE(operators, trigrams);
    EXPECT_EQ(operators.rfind(toolbarPrefix, 0), 0u);
    for (const char c : operators)
        EXPECT_TRUE(static_cast<unsigned char>(c) < 0x80 && c != ' ') << operators;
}

TEST(CommandUrls, FileUrlsAndPathsConvertBothWays)
{
    EXPECT_EQ(localPathOfUrl("file:///tmp/%E7%94%B2%20%E4%B9%99.docx"), "/tmp/甲 乙.docx");
    EXPECT_EQ(localPathOfUrl("file://localhost/tmp/a.docx"), "/tmp/a.docx");
    EXPECT_EQ(localPathOfUrl(""), "");
    EXPECT_EQ(localPathOfUrl("private:factory/swriter"), "");
    EXPECT_EQ(localPathOfUrl("vnd.sun.star.webdav://host/a.docx"), "");
    const std::string path = "/tmp/名 ☆#%?.docx";
    EXPECT_EQ(localPathOfUrl(urlOfLocalPath(path)), path);
    EXPECT_EQ(urlOfLocalPath("/tmp/a b.docx"), "file:///tmp/a%20b.docx");
}

TEST(HostIdentity, EachModuleStandsForItsHost)
{
    EXPECT_EQ(hostOfDocument("com.sun.star.text.TextDocument", "file:///a/b.docx"),
              "Microsoft Word");
    EXPECT_EQ(hostOfDocument("com.sun.star.text.TextDocument", ""), "Microsoft Word");
    EXPECT_EQ(hostOfDocument("com.sun.star.text.TextDocument", "file:///a/b.HTM"),
              "Microsoft FrontPage");
    EXPECT_EQ(hostOfDocument("com.sun.star.text.TextDocument", "file:///a/b.html"),
              "Microsoft FrontPage");
    EXPECT_EQ(hostOfDocument("com.sun.star.text.TextDocument", "file:///a.html/b.odt"),
              "Microsoft Word");
    EXPECT_EQ(hostOfDocument("com.sun.star.text.WebDocument", ""), "Microsoft FrontPage");
    EXPECT_EQ(hostOfDocument("com.sun.star.sheet.SpreadsheetDocument", ""), "Microsoft Excel");
    EXPECT_EQ(hostOfDocument("com.sun.star.presentation.PresentationDocument", ""),
              "Microsoft PowerPoint");
    EXPECT_EQ(hostOfDocument("com.sun.star.drawing.DrawingDocument", ""), "");
    EXPECT_EQ(hostOfDocument("com.sun.star.formula.FormulaProperties", ""), "");
}

} // namespace
