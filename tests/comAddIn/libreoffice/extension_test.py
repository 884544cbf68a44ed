"""The extension in LibreOffice, against the fake server: the bars it shows in each module,
the symbols it types at the caret, the conversions it relays and its removal."""
import os
import shutil
import unittest

import uno

from officesession import (CALC, FAKE_SERVER, IMPRESS, WEB, WRITER, OfficeSession,
                           OfficeTestCase, file_url, portions, prop, wait_until)

OPERATORS = ["\uf6a4", "\uf6a3", "\uf6a5", "\uf6ae", "\uf6af", "\uf6a7", "\uf6a6", "\uf6a8",
             "\uf6ab"]
OPERATOR_TAGS = ["qelOperatorH", "qelOperatorV", "qelOperatorC", "qelOperatorS", "qelOperatorE",
                 "qelOperator2H", "qelOperator2V", "qelOperator3D", "qelOperator4D"]
TRIGRAMS = [chr(0xEDC0 + i) for i in range(8)]
TOOL_CAPTIONS = ["構字式轉成字形☆(預覽)", "構字式轉成圖片★(預覽)", "圖片轉成構字式", "Tesvani...",
                 "Tesvani說明..."]
TOOL_TAGS = ["qelToolExpToGlyph", "qelToolExpToImg", "qelToolImgToExp", "qelToolHanziInteface",
             "qelToolHanziHelp"]
COMPONENT_FACE = "Qeleudc"  # the face the fake server names for the symbols it types
CALC_CARET = ("AR PL UKai CN", "AR PL UKai CN", "DejaVu Sans")  # a new sheet's default fonts
PAGE = "<html><head><title>頁</title></head><body><p>七\uf6a4刀</p></body></html>"


def set_text(text):
    return lambda document: document.getText().setString(text)


def set_slide_text(text):
    return lambda document: document.getDrawPages().getByIndex(0).getByIndex(0).setString(text)


def set_cell(name, text):
    return lambda document: document.getSheets().getByIndex(0).getCellRangeByName(name) \
        .setString(text)


def tools(visible):
    """The mirrored Tools entries: a separator, then the five items with their visibility."""
    return [None] + [(caption, "vnd.murvel.addin:" + tag, shown)
                     for caption, tag, shown in zip(TOOL_CAPTIONS, TOOL_TAGS, visible)]


class MirroredBarsTest(OfficeTestCase):
    def test_writer_shows_the_tools_items_and_both_toolbars_hidden(self):
        document = self.keep(self.office.load(self.office.make(
            "swriter", "bars.docx", set_text("日"), "MS Word 2007 XML")))
        self.assertEqual(self.office.mirrored_tools(WRITER), tools([True] * 5))
        toolbars = self.office.toolbars(WRITER)
        self.assertIn("構字符號", toolbars)
        self.assertIn("八卦符號", toolbars)
        self.assertEqual(self.office.toolbar_buttons(WRITER, "構字符號"),
                         [(symbol, "vnd.murvel.addin:" + tag) for symbol, tag in zip(
                             OPERATORS, OPERATOR_TAGS)])
        self.assertEqual([label for label, _ in self.office.toolbar_buttons(WRITER, "八卦符號")],
                         TRIGRAMS)
        for name in ("構字符號", "八卦符號"):
            self.assertIs(self.office.window_state(WRITER, toolbars[name])["Visible"], False)
        self.assertIsNotNone(self.office.layout(document).getElement(toolbars["構字符號"]))

    def test_the_extension_says_what_it_adds(self):
        description = self.office.extension().getDescription()
        self.assertIn("構字符號", description)
        self.assertIn("工具", description)

    def test_symbol_buttons_show_the_pictures_of_their_captions(self):
        self.keep(self.office.new("swriter"))
        self.assertTrue(wait_until(lambda: self.office.button_images(WRITER, 0)))
        symbols = sorted("vnd.murvel.addin:" + tag for tag in OPERATOR_TAGS + TRIGRAMS)
        for size in (0, 1):
            self.assertEqual(self.office.button_images(WRITER, size), symbols)
        images = self.office.configuration(WRITER).getImageManager()
        small, large = (images.getImages(size, ("vnd.murvel.addin:qelOperatorH",))[0]
                        for size in (0, 1))
        self.assertEqual((small.SizePixel.Width, small.SizePixel.Height), (16, 16))
        self.assertEqual((large.SizePixel.Width, large.SizePixel.Height), (24, 24))
        # The caption stays the button's name.
        self.assertIn(("\uf6a4", "vnd.murvel.addin:qelOperatorH"),
                      self.office.toolbar_buttons(WRITER, "構字符號"))

    def test_each_module_shows_its_hosts_items(self):
        self.keep(self.office.load(self.office.make(
            "scalc", "bars.xlsx", set_cell("A1", "日"), "Calc MS Excel 2007 XML")))
        self.keep(self.office.load(self.office.make(
            "simpress", "bars.pptx", set_slide_text("日"), "Impress MS PowerPoint 2007 XML")))
        page = self.office.path("bars.html")
        with open(page, "w", encoding="utf-8") as out:
            out.write(PAGE)
        self.keep(self.office.load(page))
        self.assertEqual(self.office.mirrored_tools(CALC), tools([True, False, False, True, True]))
        self.assertEqual(self.office.mirrored_tools(IMPRESS),
                         tools([True, False, False, True, True]))
        expected = tools([False, True, True, True, True])
        expected[2] = ("構字式轉成圖片",) + expected[2][1:]
        self.assertEqual(self.office.mirrored_tools(WEB), expected)
        hosts = {r["host"] for r in self.office.requests() if r["op"] == "bars"}
        self.assertLessEqual({"Microsoft Excel", "Microsoft PowerPoint", "Microsoft FrontPage"},
                             hosts)

    def test_changed_bars_are_mirrored_again_at_once(self):
        session = OfficeSession().start()
        try:
            document = session.new("swriter")
            self.assertTrue(wait_until(lambda: session.mirrored_tools(WRITER)))
            session.dispatch(document, "vnd.murvel.addin:fakeRemoveTools")
            self.assertEqual(session.mirrored_tools(WRITER), [])
            # The group's separator went with the items: the menu ends as it did.
            self.assertNotEqual(session.tools_menu(WRITER)[-1].get("Type", 0), 1)
            self.assertIn("構字符號", session.toolbars(WRITER))
        finally:
            session.stop()

    def test_a_toolbar_the_user_showed_stays_shown_in_the_windows_that_follow(self):
        session = OfficeSession().start()
        try:
            first = session.new("swriter")
            self.assertTrue(wait_until(lambda: "構字符號" in session.toolbars(WRITER)))
            url = session.toolbars(WRITER)["構字符號"]
            # As View > Toolbars shows it, in the window that was open when it came:
            # LibreOffice writes the window state without the toolbar's name.
            session.layout(first).showElement(url)
            self.assertIs(session.window_state(WRITER, url)["Visible"], True)
            asked = len([r for r in session.requests() if r["op"] == "bars"])
            session.new("swriter")
            self.assertTrue(wait_until(lambda: len(
                [r for r in session.requests() if r["op"] == "bars"]) > asked))
            # The bars are mirrored into the new window's module once the reply is read.
            self.assertFalse(wait_until(
                lambda: session.window_state(WRITER, url)["Visible"] is False, timeout=2))
        finally:
            session.stop()

    def test_tags_arrive_raw_or_percent_encoded(self):
        document = self.keep(self.office.new("swriter"))
        trigram = chr(0xEDC0)
        encoded = "".join("%%%02X" % b for b in trigram.encode("utf-8"))
        self.office.dispatch(document, "vnd.murvel.addin:" + trigram)
        self.office.dispatch(document, "vnd.murvel.addin:" + encoded)
        self.assertEqual(document.getText().getString(), trigram * 2)
        clicks = [r["tag"] for r in self.office.requests() if r["op"] == "click"]
        self.assertEqual(clicks[-2:], [trigram, trigram])
        # A broken escape or a tag that is not UTF-8 has no handler.
        self.assertFalse(self.office.has_handler(document, "vnd.murvel.addin:%E4%B9"))
        self.assertFalse(self.office.has_handler(document, "vnd.murvel.addin:%ZZ"))
        self.assertTrue(self.office.has_handler(document, "vnd.murvel.addin:qelOperatorH"))


class OurProcessTest(OfficeTestCase):
    def test_our_process_is_started_again_when_it_has_gone(self):
        document = self.keep(self.office.new("swriter"))
        self.assertTrue(wait_until(lambda: os.path.exists(self.office.socket + ".pid")))
        with open(self.office.socket + ".pid") as pid:
            first = pid.read()
        self.office.stop_server()
        self.assertTrue(wait_until(lambda: not os.path.exists("/proc/" + first)))
        self.office.dispatch(document, "vnd.murvel.addin:qelOperatorH")
        self.assertEqual(document.getText().getString(), "\uf6a4")
        with open(self.office.socket + ".pid") as pid:
            self.assertNotEqual(pid.read(), first)


def component_face(text):
    return (text, COMPONENT_FACE, COMPONENT_FACE, COMPONENT_FACE)


class TypingAtTheCaretTest(OfficeTestCase):
    def type_keys(self, window_name, **key):
        window = self.office.service("com.sun.star.ui.test.UITest").getTopFocusWindow() \
            .getChild(window_name)
        for name, value in key.items():
            window.executeAction("TYPE", (prop(name, value),))

    def test_writer_types_at_the_view_cursor(self):
        document = self.keep(self.office.load(self.office.make(
            "swriter", "caret.docx", set_text("日\n月"), "MS Word 2007 XML")))
        cursor = document.getCurrentController().getViewCursor()
        cursor.gotoStart(False)
        cursor.gotoEndOfLine(False)
        self.office.dispatch(document, "vnd.murvel.addin:qelOperatorH")
        self.office.dispatch(document, "vnd.murvel.addin:qelOperatorV")
        self.assertEqual(document.getText().getString(), "日\uf6a4\uf6a3\n月")
        # A selection is replaced, as typing replaces it.
        cursor.goDown(1, False)
        cursor.gotoStartOfLine(False)
        cursor.goRight(1, True)
        self.office.dispatch(document, "vnd.murvel.addin:qelOperatorC")
        self.assertEqual(document.getText().getString(), "日\uf6a4\uf6a3\n\uf6a5")
        click = [r for r in self.office.requests() if r["op"] == "click"][-1]
        self.assertEqual(click["host"], "Microsoft Word")
        self.assertEqual(click["document"]["path"], self.office.path("caret.docx"))
        self.assertTrue(click["document"]["modified"])

    def test_the_symbols_ask_for_the_component_face_and_typing_goes_on_in_the_carets(self):
        # A private-use code takes the font slot of the text around it: at a line's start and
        # after Latin text the Western one, after Chinese the Asian one.
        for before in ("", "ab", "七"):
            with self.subTest(before=before):
                document = self.keep(self.office.new("swriter", hidden=False))
                controller = document.getCurrentController()
                controller.getFrame().activate()
                if before:
                    self.type_keys("writer_edit", TEXT=before)
                cursor = controller.getViewCursor()
                caret = (cursor.CharFontName, cursor.CharFontNameAsian,
                         cursor.CharFontNameComplex)
                self.office.dispatch(document, "vnd.murvel.addin:qelOperatorH")
                self.type_keys("writer_edit", TEXT="刀")
                self.assertEqual(document.getText().getString(), before + "\uf6a4刀")
                self.assertEqual(portions(document.getText())[-2:],
                                 [component_face("\uf6a4"), ("刀",) + caret])
                self.assertNotIn(COMPONENT_FACE, caret)
                document.close(True)

    def test_calc_replaces_a_selected_cell_and_types_into_one_being_edited(self):
        document = self.keep(self.office.load(self.office.make(
            "scalc", "cells.xlsx", lambda document: (set_cell("B3", "舊")(document),
                                                     set_cell("C3", "七")(document)),
            "Calc MS Excel 2007 XML"), hidden=False))
        sheet = document.getSheets().getByIndex(0)
        controller = document.getCurrentController()
        controller.getFrame().activate()
        editing = lambda: self.office.is_enabled(document, ".uno:InsertMode")
        # (the cell, edited first or not, typed after the button, the cell's portions)
        cases = [
            ("B3", False, "", [component_face("\uf6ae")]),
            # What is typed after the symbol goes on in its face (the installer's fontconfig
            # settings draw its Chinese from a Chinese face); the user's 七 keeps its own.
            ("C3", True, "刀", [("七",) + CALC_CARET, component_face("\uf6ae刀")]),
            ("D3", True, "", [component_face("\uf6ae")]),
        ]
        for name, edited, after, runs in cases:
            with self.subTest(cell=name, edited=edited):
                cell = sheet.getCellRangeByName(name)
                controller.select(cell)
                if edited:
                    self.type_keys("grid_window", KEYCODE="F2")
                    self.assertTrue(wait_until(editing))
                self.office.dispatch(document, "vnd.murvel.addin:qelOperatorS")
                if edited:
                    if after:
                        self.type_keys("grid_window", TEXT=after)
                    self.type_keys("grid_window", KEYCODE="RETURN")
                    self.assertTrue(wait_until(lambda: not editing()))
                self.assertEqual(cell.getString(), "".join(run[0] for run in runs))
                self.assertEqual(portions(cell.getText()), runs)
                self.assertEqual(sheet.getCellRangeByName("A1").getString(), "")

    def test_impress_types_into_the_text_being_edited(self):
        document = self.keep(self.office.load(self.office.make(
            "simpress", "slide.pptx", set_slide_text("日"), "Impress MS PowerPoint 2007 XML"),
            hidden=False))
        shape = document.getDrawPages().getByIndex(0).getByIndex(0)
        controller = document.getCurrentController()
        controller.getFrame().activate()
        controller.select(shape)
        self.type_keys("impress_win", KEYCODE="F2")
        self.type_keys("impress_win", KEYCODE="CTRL+END")
        self.office.dispatch(document, "vnd.murvel.addin:qelOperatorE")
        self.assertEqual(shape.getString(), "日\uf6af")
        self.assertIn(component_face("\uf6af"), portions(shape.getText()))


class ConversionTest(OfficeTestCase):
    def click_conversion(self, document):
        self.office.dispatch(document, "vnd.murvel.addin:qelToolExpToGlyph")
        return [r for r in self.office.requests() if r.get("op") == "click"][-1]

    def test_a_modified_document_is_stored_and_its_copy_opens_active(self):
        path = self.office.make("swriter", "formula.docx", set_text("七"), "MS Word 2007 XML")
        document = self.keep(self.office.load(path))
        document.getText().getEnd().setString("\uf6a4刀")
        click = self.click_conversion(document)
        self.assertEqual(click["document"], {"path": path, "modified": True,
                                             "title": "formula.docx"})
        self.assertIn({"reply": {"stored": True}}, self.office.requests())
        self.assertFalse(document.isModified())
        copy = self.office.path("formula☆.docx")
        self.assertTrue(os.path.exists(copy))
        self.assertIn(copy, self.office.open_components())
        current = self.office.desktop.getCurrentComponent()
        self.keep(current)
        self.assertEqual(current.getURL(), file_url(copy))
        self.assertEqual(current.getText().getString(), "七\uf6a4刀")

    def test_a_page_is_stored_reloaded_and_its_copy_opened(self):
        path = self.office.path("page.html")
        with open(path, "w", encoding="utf-8") as out:
            out.write(PAGE)
        # Not hidden: the office reloads a document only in a frame that is shown.
        document = self.keep(self.office.load(path, hidden=False))
        document.getText().getEnd().setString("改")
        frame = document.getCurrentController().getFrame()
        self.click_conversion(document)
        reloaded = frame.getController().getModel()
        self.keep(reloaded)
        # The store dated the page, so that the office could open it again.
        self.assertNotEqual(reloaded.getDocumentProperties().CreationDate.Year, 0)
        self.assertIn("已轉換", reloaded.getText().getString())
        self.assertIn("改", reloaded.getText().getString())
        self.assertIn(self.office.path("page☆.html"), self.office.open_components())

    def test_a_store_that_fails_is_reported_to_our_process(self):
        os.mkdir(self.office.path("gone"))
        path = self.office.make("swriter", os.path.join("gone", "lost.docx"), set_text("七"),
                                "MS Word 2007 XML")
        document = self.keep(self.office.load(path))
        document.getText().getEnd().setString("\uf6a4刀")
        shutil.rmtree(self.office.path("gone"))
        self.click_conversion(document)
        replies = [r["reply"] for r in self.office.requests() if "reply" in r]
        self.assertFalse(replies[-1]["stored"])
        self.assertTrue(replies[-1]["message"])
        self.assertTrue(document.isModified())

    def test_unreadable_documents_are_left_as_they_are(self):
        unsaved = self.keep(self.office.new("swriter"))
        unsaved.getText().setString("七\uf6a4刀")
        click = self.click_conversion(unsaved)
        self.assertEqual(click["document"]["path"], "")
        self.assertEqual(unsaved.getText().getString(), "七\uf6a4刀")
        self.assertTrue(unsaved.isModified())

        path = self.office.make("swriter", "formula.odt", set_text("七"), "writer8")
        before = os.path.getmtime(path)
        document = self.keep(self.office.load(path))
        document.getText().getEnd().setString("\uf6a4刀")
        self.click_conversion(document)
        self.assertEqual(document.getText().getString(), "七\uf6a4刀")
        self.assertTrue(document.isModified())
        self.assertEqual(os.path.getmtime(path), before)
        self.assertFalse(os.path.exists(self.office.path("formula☆.odt")))


class RemovalTest(unittest.TestCase):
    def test_removal_disconnects_every_host_and_takes_the_bars_away(self):
        office = OfficeSession(FAKE_SERVER).start()
        try:
            office.new("swriter")
            office.new("scalc")
            self.assertTrue(wait_until(lambda: office.mirrored_tools(CALC)))
            self.assertTrue(office.button_images(CALC, 0))
            # The profile keeps a toolbar's state for Writer/Web from a session that showed a
            # page; no page is open in this one.
            toolbar = office.toolbars(WRITER)["構字符號"]
            state = (prop("UIName", "構字符號"), prop("Visible", True))
            uno.invoke(office.window_states(WEB), "insertByName",
                       (toolbar, uno.Any("[]com.sun.star.beans.PropertyValue", state)))
            office.remove_extension()
            disconnected = {(r["host"], r["mode"]) for r in office.requests()
                            if r["op"] == "disconnect"}
            self.assertEqual(disconnected, {("Microsoft Word", 1), ("Microsoft Excel", 1)})
            for module in (WRITER, CALC):
                self.assertEqual(office.mirrored_tools(module), [])
                self.assertNotIn("構字符號", office.toolbars(module))
                self.assertNotIn("八卦符號", office.toolbars(module))
                self.assertEqual(office.button_images(module, 0), [])
                self.assertEqual(office.button_images(module, 1), [])
            for module in (WRITER, WEB, CALC, IMPRESS):
                self.assertEqual(office.own_window_states(module), [], module)
        finally:
            office.stop()


if __name__ == "__main__":
    unittest.main()
