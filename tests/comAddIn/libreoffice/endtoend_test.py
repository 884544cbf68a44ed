"""The extension with our real process, `officehost --serve`, and the add-ins the build
registered: formulas typed in LibreOffice become glyphs in a preview copy that opens in
its own window, and documents the engines do not read get our process's message and are
left as they were.

Our process comes from $MURVEL_REAL_OFFICEHOST, reads the build's registry store
($MURVEL_REGISTRY_DIR) and shows its windows on an Xvfb display of the test's own. The
tests are skipped (exit 77) when that officehost does not serve the relay, or Xvfb is
missing.
"""
import os
import subprocess
import sys
import tempfile
import threading
import unittest

from officesession import (WRITER, OfficeSession, end_with_test, file_url, missing_display_tools,
                           start_display, stop_display, wait_until, xdotool)

FORMULA = "七\uf6a4刀"
GLYPH = "切"
# The chooser asks which glyph this formula means.
ASKING_FORMULA = "日\uf6a4"
SKIPPED = 77


def officehost():
    return os.environ["MURVEL_REAL_OFFICEHOST"]


def serves_the_relay():
    """Whether the officehost listens when started with --serve."""
    with tempfile.TemporaryDirectory() as folder:
        socket = os.path.join(folder, "probe.socket")
        probe = subprocess.Popen([officehost(), "--serve", socket],
                                 env=dict(os.environ, QT_QPA_PLATFORM="offscreen"),
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                 preexec_fn=end_with_test)
        try:
            return wait_until(lambda: os.path.exists(socket), 10)
        finally:
            probe.terminate()
            probe.wait()


class OfficeWithOurProcess(unittest.TestCase):
    """The office, headless unless windowed, with our process on a display of its own."""
    windowed = False

    @classmethod
    def setUpClass(cls):
        cls.display, cls.display_processes = start_display()
        cls.office = OfficeSession(officehost(), display=cls.display if cls.windowed else None)
        # Our process keeps its own files in the session's folder, never the user's, and
        # shows its messages where the test can see them.
        cls.office.environment.update(
            DISPLAY=cls.display, QT_QPA_PLATFORM="xcb",
            MURVEL_WINDOWS_DIR=cls.office.path("windows"),
            MURVEL_OFFICE_CONFIG_DIR=cls.office.path("office-config"))
        try:
            cls.office.start()
        except Exception:
            cls.tearDownClass()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.office.stop()
        stop_display(cls.display_processes)

    def made(self, factory, name, fill, filter_name):
        """The document LibreOffice wrote, open in a window (reloading needs one)."""
        return self.office.load(self.office.make(factory, name, fill, filter_name), hidden=False)

    def convert(self, document, tag="qelToolExpToGlyph"):
        self.office.dispatch(document, "vnd.murvel.addin:" + tag)

    def copy_opened(self, name):
        """The preview copy: written, open on the desktop and in front."""
        copy = self.office.path(name)
        self.assertTrue(os.path.exists(copy), copy)
        self.assertIn(copy, self.office.open_components())
        current = self.office.desktop.getCurrentComponent()
        self.assertEqual(current.getURL(), file_url(copy))
        return current


class EndToEndTest(OfficeWithOurProcess):
    def test_writer(self):
        document = self.made("swriter", "word.docx", lambda d: d.getText().setString("七"),
                             "MS Word 2007 XML")
        # The add-ins' own bars, as they built them.
        self.assertEqual([entry and entry[0] for entry in self.office.mirrored_tools(WRITER)],
                         [None, "構字式轉成字形☆(預覽)", "構字式轉成圖片★(預覽)", "圖片轉成構字式",
                          "Tesvani...", "Tesvani說明..."])
        self.assertLessEqual({"構字符號", "八卦符號"}, set(self.office.toolbars(WRITER)))
        # 七, the operator from its button, 刀: then the conversion.
        cursor = document.getCurrentController().getViewCursor()
        cursor.gotoEnd(False)
        self.office.dispatch(document, "vnd.murvel.addin:qelOperatorH")
        cursor.getText().insertString(cursor, "刀", False)
        self.assertEqual(document.getText().getString(), FORMULA)
        self.convert(document)
        copy = self.copy_opened("word☆.docx")
        self.assertIn(GLYPH, copy.getText().getString())

    def test_calc(self):
        document = self.made(
            "scalc", "book.xlsx",
            lambda d: d.getSheets().getByIndex(0).getCellRangeByName("A1").setString(FORMULA),
            "Calc MS Excel 2007 XML")
        self.convert(document)
        copy = self.copy_opened("book☆.xlsx")
        self.assertIn(GLYPH, copy.getSheets().getByIndex(0).getCellRangeByName("A1").getString())

    def test_impress(self):
        document = self.made(
            "simpress", "slides.pptx",
            lambda d: d.getDrawPages().getByIndex(0).getByIndex(0).setString(FORMULA),
            "Impress MS PowerPoint 2007 XML")
        self.convert(document)
        copy = self.copy_opened("slides☆.pptx")
        self.assertIn(GLYPH, copy.getDrawPages().getByIndex(0).getByIndex(0).getString())

    def test_page(self):
        path = self.office.path("page.html")
        with open(path, "w", encoding="utf-8") as out:
            out.write("<html><head><title>頁</title></head><body><p>%s</p></body></html>"
                      % FORMULA)
        document = self.office.load(path, hidden=False)
        frame = document.getCurrentController().getFrame()
        # A page is converted in place (a glyph the font has stays text), then reloaded.
        self.convert(document, "qelToolExpToImg")
        with open(path, encoding="utf-8") as page:
            self.assertIn(GLYPH, page.read())
        self.assertIn(GLYPH, frame.getController().getModel().getText().getString())

    def convert_to_message(self, document, shot):
        """Clicks the conversion, which waits for the message our process shows; the
        message is photographed and closed as the user would close it."""
        click = threading.Thread(target=self.convert, args=(document,))
        click.start()
        try:
            windows = xdotool(self.display, "search", "--sync", "--onlyvisible", "--class",
                              "officehost").split()
            self.assertTrue(windows)
            subprocess.run(["import", "-window", "root", self.office.path(shot)], check=True,
                           env=dict(os.environ, DISPLAY=self.display))
            xdotool(self.display, "windowactivate", "--sync", windows[-1], "key", "Return")
        finally:
            click.join(30)
        self.assertFalse(click.is_alive(), "the click did not end with the message")

    def test_unreadable_documents_get_the_message_and_stay_as_they_were(self):
        unsaved = self.office.new("swriter", hidden=False)
        unsaved.getText().setString(FORMULA)
        self.convert_to_message(unsaved, "unsaved.png")
        self.assertEqual(unsaved.getText().getString(), FORMULA)
        self.assertTrue(unsaved.isModified())

        document = self.made("swriter", "old.odt",
                             lambda d: d.getText().setString(FORMULA), "writer8")
        before = os.path.getmtime(self.office.path("old.odt"))
        self.convert_to_message(document, "odt.png")
        self.assertEqual(document.getText().getString(), FORMULA)
        self.assertEqual(os.path.getmtime(self.office.path("old.odt")), before)
        self.assertFalse(any(name.startswith("old☆") for name in os.listdir(self.office.dir)))



class ARunOwnsItsDocumentTest(OfficeWithOurProcess):
    """The office in windows, as a user sees it while a conversion asks and after it."""
    windowed = True

    def status_bar_strip(self, window):
        """The pixels of the status bar's first fields (save state, page) at the bottom left
        of an office window; a status text shows there instead while it stays."""
        shot = subprocess.run(["import", "-window", window, "png:-"], check=True,
                              capture_output=True, env=dict(os.environ, DISPLAY=self.display))
        return subprocess.run(["convert", "png:-", "-gravity", "SouthWest", "-crop", "200x22+0+0",
                               "+repage", "rgb:-"], input=shot.stdout, check=True,
                              capture_output=True).stdout

    def window_property(self, window, name):
        return subprocess.run(["xprop", "-id", window, name], capture_output=True, text=True,
                              env=dict(os.environ, DISPLAY=self.display)).stdout

    def test_a_conversion_owns_its_document_and_leaves_the_windows_parts(self):
        document = self.made("swriter", "asks.docx",
                             lambda d: d.getText().setString(ASKING_FORMULA), "MS Word 2007 XML")
        frame = document.getCurrentController().getFrame()
        window = frame.getContainerWindow()
        layout = self.office.layout(document)
        toolbar = self.office.toolbars(WRITER)["構字符號"]
        layout.showElement(toolbar)
        self.assertTrue(wait_until(lambda: layout.isElementVisible(toolbar)))
        office_window = xdotool(self.display, "search", "--sync", "--onlyvisible", "--name",
                                "asks.docx").split()[0]
        xdotool(self.display, "windowactivate", "--sync", office_window)
        status_bar = self.status_bar_strip(office_window)

        click = threading.Thread(target=self.convert, args=(document,))
        click.start()
        try:
            # The chooser, owned by the office window, over it and with its title.
            chooser = xdotool(self.display, "search", "--sync", "--onlyvisible", "--name",
                              "選擇字形").split()[0]
            self.assertIn(hex(int(office_window)), self.window_property(chooser,
                                                                        "WM_TRANSIENT_FOR"))
            self.assertFalse(window.isEnabled(), "the document takes edits during the run")
            # A click into the document and a key typed change nothing.
            place = window.getPosSize()
            xdotool(self.display, "mousemove", "--window", office_window,
                    str(place.Width // 2), str(place.Height // 2), "click", "1")
            xdotool(self.display, "type", "--delay", "50", "x")
            self.assertEqual(document.getText().getString(), ASKING_FORMULA)
            self.assertIn(chooser, xdotool(self.display, "search", "--onlyvisible", "--name",
                                           "選擇字形").split())
            subprocess.run(["import", "-window", "root", self.office.path("chooser.png")],
                           check=True, env=dict(os.environ, DISPLAY=self.display))
            xdotool(self.display, "windowactivate", "--sync", chooser, "key", "Escape")
        finally:
            click.join(60)
        self.assertFalse(click.is_alive(), "the click did not end with the chooser")
        self.assertTrue(window.isEnabled(), "the document stays locked after the run")

        # The copy opens read-only, as the office shows a protected document.
        copy = self.copy_opened("asks☆.docx")
        self.assertTrue(copy.isReadonly())
        # The toolbar the user showed stays shown, in the reloaded source and in the copy.
        source = frame.getController().getModel()
        self.assertTrue(wait_until(lambda: self.office.layout(source).isElementVisible(toolbar)))
        self.assertTrue(wait_until(lambda: self.office.layout(copy).isElementVisible(toolbar)))
        subprocess.run(["import", "-window", "root", self.office.path("after.png")],
                       check=True, env=dict(os.environ, DISPLAY=self.display))
        # The status text goes after a few seconds, and the status bar's fields are back.
        xdotool(self.display, "windowactivate", "--sync", office_window)
        self.assertTrue(wait_until(lambda: self.status_bar_strip(office_window) == status_bar, 15),
                        "the status bar's fields did not come back")
        print("screenshots:", self.office.path("chooser.png"), self.office.path("after.png"))

        # A picture conversion next, the chooser closed again: the toolbar stays shown in the
        # reloaded source and in the new copy's window.
        click = threading.Thread(target=self.convert, args=(source, "qelToolExpToImg"))
        click.start()
        try:
            chooser = xdotool(self.display, "search", "--sync", "--onlyvisible", "--name",
                              "選擇字形").split()[0]
            xdotool(self.display, "windowactivate", "--sync", chooser, "key", "Escape")
        finally:
            click.join(60)
        self.assertFalse(click.is_alive(), "the click did not end with the chooser")
        pictures = self.copy_opened("asks★.docx")
        self.assertTrue(wait_until(lambda: self.office.layout(source).isElementVisible(toolbar)))
        self.assertTrue(wait_until(lambda: self.office.layout(pictures).isElementVisible(toolbar)))


if __name__ == "__main__":
    if missing_display_tools():
        print("SKIP: the test needs " + ", ".join(missing_display_tools()))
        sys.exit(SKIPPED)
    if not serves_the_relay():
        print("SKIP: %s does not serve the relay (--serve)" % officehost())
        sys.exit(SKIPPED)
    sys.exit(0 if unittest.main(exit=False).result.wasSuccessful() else 1)
