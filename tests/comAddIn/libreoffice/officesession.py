"""LibreOffice with the extension installed, on a profile of its own, driven over UNO.

The extension comes from $MURVEL_OXT. Our process is the one $MURVEL_OFFICEHOST names
(the fake server unless a test names the real officehost); the extension starts it.
"""
import ctypes
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

import uno
import unohelper
from com.sun.star.beans import PropertyValue
from com.sun.star.frame import XStatusListener
from com.sun.star.ucb import XCommandEnvironment

TOOLBAR = 3  # com.sun.star.ui.UIElementType.TOOLBAR
MENUBAR = "private:resource/menubar/menubar"
WRITER = "com.sun.star.text.TextDocument"
WEB = "com.sun.star.text.WebDocument"
CALC = "com.sun.star.sheet.SpreadsheetDocument"
IMPRESS = "com.sun.star.presentation.PresentationDocument"
FAKE_SERVER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fakeserver.py")
PR_SET_PDEATHSIG = 1

# Waits, in a session of its own, until the test's end of its standard input closes (the
# test ended, however: also killed at its time limit), then kills the office's process
# group and the server that the extension started on the session's socket, by their ids.
REAPER = """
import os, signal, sys
office, socket = int(sys.argv[1]), sys.argv[2]
sys.stdin.buffer.read()
try:
    os.killpg(office, signal.SIGKILL)
except OSError:
    pass
serving = b"\\0--serve\\0" + os.fsencode(socket) + b"\\0"
for pid in filter(str.isdigit, os.listdir("/proc")):
    try:
        with open("/proc/%s/cmdline" % pid, "rb") as cmdline:
            arguments = b"\\0" + cmdline.read()
    except OSError:
        continue
    if serving in arguments:
        try:
            os.kill(int(pid), signal.SIGKILL)
        except OSError:
            pass
"""


def end_with_test():
    """For Popen's preexec_fn: the child is killed when the test process ends."""
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGKILL)


def prop(name, value):
    p = PropertyValue()
    p.Name = name
    p.Value = value
    return p


def portions(text):
    """(string, Western, Asian, Complex font) of each portion of a text's paragraphs."""
    found = []
    paragraphs = text.createEnumeration()
    while paragraphs.hasMoreElements():
        runs = paragraphs.nextElement().createEnumeration()
        while runs.hasMoreElements():
            run = runs.nextElement()
            found.append((run.getString(), run.CharFontName, run.CharFontNameAsian,
                          run.CharFontNameComplex))
    return found


def file_url(path):
    return uno.systemPathToFileUrl(path)


class CommandEnvironment(unohelper.Base, XCommandEnvironment):
    """The extension manager needs one to remove an extension (the office aborts without)."""

    def getInteractionHandler(self):
        return None

    def getProgressHandler(self):
        return None


class CommandState(unohelper.Base, XStatusListener):
    """Whether a command is enabled: the dispatch tells a new listener at once."""

    def __init__(self):
        self.enabled = False

    def statusChanged(self, event):
        self.enabled = event.IsEnabled

    def disposing(self, source):
        pass


class OfficeSession:
    def __init__(self, officehost=FAKE_SERVER, display=None):
        self.dir = tempfile.mkdtemp(prefix="murvel-lo-")
        self.socket = os.path.join(self.dir, "relay.socket")
        self.log = os.path.join(self.dir, "requests.log")
        self.env_args = [
            "-env:UserInstallation=" + file_url(os.path.join(self.dir, "profile")),
            "-env:UNO_SHARED_PACKAGES=" + file_url(os.path.join(self.dir, "shared")),
            "-env:UNO_SHARED_PACKAGES_CACHE=" + file_url(os.path.join(self.dir, "shared", "cache")),
        ]
        self.environment = dict(os.environ, MURVEL_ADDIN_SOCKET=self.socket,
                                MURVEL_OFFICEHOST=officehost, MURVEL_FAKE_LOG=self.log)
        self.environment.pop("SAL_USE_VCLPLUGIN", None)
        if display:
            self.environment["DISPLAY"] = display
        self.pipe = "murvel" + os.path.basename(self.dir).replace("-", "")
        self.process = None
        self.reaper = None
        self.display = display

    # --- start and stop -------------------------------------------------------------
    def install(self):
        # As root, unopkg installs only into a shared repository: a temporary one here.
        subprocess.run(["unopkg", "add", "--shared", *self.env_args, os.environ["MURVEL_OXT"]],
                       check=True, env=self.environment, capture_output=True, timeout=120)

    def start(self):
        self.install()
        mode = [] if self.display else ["--headless"]
        with open(self.path("office.log"), "w") as log:
            self.process = subprocess.Popen(
                ["soffice", *mode, "--norestore", "--nologo", "--nodefault", "--nolockcheck",
                 *self.env_args,
                 "--accept=pipe,name=%s;urp;StarOffice.ComponentContext" % self.pipe],
                env=self.environment, start_new_session=True, stdout=log,
                stderr=subprocess.STDOUT)
        self.reaper = subprocess.Popen([sys.executable, "-c", REAPER, str(self.process.pid),
                                        self.socket], stdin=subprocess.PIPE,
                                       start_new_session=True)
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext(
            "com.sun.star.bridge.UnoUrlResolver", local)
        deadline = time.time() + 90
        while True:
            try:
                self.context = resolver.resolve(
                    "uno:pipe,name=%s;urp;StarOffice.ComponentContext" % self.pipe)
                break
            except Exception:
                if time.time() > deadline:
                    raise
                time.sleep(0.5)
        self.desktop = self.service("com.sun.star.frame.Desktop")
        return self

    def stop(self):
        if self.process:
            try:
                # Changes are dropped, so that no window asks whether to keep them.
                components = self.desktop.Components.createEnumeration()
                while components.hasMoreElements():
                    component = components.nextElement()
                    if hasattr(component, "setModified"):
                        component.setModified(False)
                self.desktop.terminate()
            except Exception:
                pass
            try:
                self.process.wait(timeout=30)
            except subprocess.TimeoutExpired:
                os.killpg(self.process.pid, signal.SIGKILL)
                self.process.wait()
        self.stop_server()
        if self.reaper:
            self.reaper.stdin.close()
            self.reaper.wait()
        if os.environ.get("MURVEL_KEEP_OFFICE_DIR"):
            print("kept", self.dir)
        else:
            shutil.rmtree(self.dir, ignore_errors=True)

    def stop_server(self):
        try:
            with open(self.socket + ".pid") as pid:
                os.kill(int(pid.read()), signal.SIGTERM)
        except (OSError, ValueError):
            pass

    def service(self, name):
        return self.context.ServiceManager.createInstanceWithContext(name, self.context)

    # --- documents ------------------------------------------------------------------
    def path(self, name):
        return os.path.join(self.dir, name)

    def new(self, factory, hidden=True):
        return self.desktop.loadComponentFromURL("private:factory/" + factory, "_blank", 0,
                                                 (prop("Hidden", hidden),))

    def load(self, path, hidden=True):
        return self.desktop.loadComponentFromURL(file_url(path), "_blank", 0,
                                                 (prop("Hidden", hidden),))

    def make(self, factory, name, fill, filter_name):
        """A document LibreOffice itself writes: filled by fill(document), stored as name."""
        document = self.new(factory)
        fill(document)
        path = self.path(name)
        document.storeToURL(file_url(path), (prop("FilterName", filter_name),))
        document.close(True)
        return path

    def open_components(self):
        found = []
        components = self.desktop.Components.createEnumeration()
        while components.hasMoreElements():
            component = components.nextElement()
            if hasattr(component, "getURL"):
                found.append(uno.fileUrlToSystemPath(component.getURL())
                             if component.getURL().startswith("file:") else component.getURL())
        return found

    # --- the extension's commands ---------------------------------------------------
    def dispatch(self, document, command):
        frame = document.getCurrentController().getFrame()
        helper = self.service("com.sun.star.frame.DispatchHelper")
        return helper.executeDispatch(frame, command, "", 0, ())

    def is_enabled(self, document, command):
        transformer = self.service("com.sun.star.util.URLTransformer")
        _, url = transformer.parseStrict(uno.createUnoStruct("com.sun.star.util.URL",
                                                             Complete=command))
        dispatcher = document.getCurrentController().getFrame().queryDispatch(url, "", 0)
        state = CommandState()
        if dispatcher is not None:
            dispatcher.addStatusListener(state, url)
            dispatcher.removeStatusListener(state, url)
        return state.enabled

    def has_handler(self, document, command):
        transformer = self.service("com.sun.star.util.URLTransformer")
        _, url = transformer.parseStrict(uno.createUnoStruct("com.sun.star.util.URL",
                                                             Complete=command))
        frame = document.getCurrentController().getFrame()
        return frame.queryDispatch(url, "", 0) is not None

    def extension_manager(self):
        return self.context.getValueByName("/singletons/com.sun.star.deployment.ExtensionManager")

    def extension(self):
        return self.extension_manager().getDeployedExtension(
            "shared", "org.murvel.addins", os.path.basename(os.environ["MURVEL_OXT"]),
            CommandEnvironment())

    def remove_extension(self):
        manager = self.extension_manager()
        manager.removeExtension("org.murvel.addins", os.path.basename(os.environ["MURVEL_OXT"]),
                                "shared", manager.createAbortChannel(), CommandEnvironment())

    def requests(self):
        if not os.path.exists(self.log):
            return []
        with open(self.log, encoding="utf-8") as log:
            return [json.loads(line) for line in log]

    # --- what the office shows ------------------------------------------------------
    def configuration(self, module):
        supplier = self.service("com.sun.star.ui.ModuleUIConfigurationManagerSupplier")
        return supplier.getUIConfigurationManager(module)

    def tools_menu(self, module):
        """The entries of the module's Tools menu: dicts of their properties."""
        menubar = self.configuration(module).getSettings(MENUBAR, False)
        for i in range(menubar.getCount()):
            item = {p.Name: p.Value for p in menubar.getByIndex(i)}
            if item.get("CommandURL") == ".uno:ToolsMenu":
                tools = item["ItemDescriptorContainer"]
                return [{p.Name: p.Value for p in tools.getByIndex(k)}
                        for k in range(tools.getCount())]
        raise AssertionError("no Tools menu in " + module)

    def mirrored_tools(self, module):
        """The extension's Tools entries: (caption, command, visible), with None for a
        separator right before them."""
        entries = self.tools_menu(module)
        ours = [i for i, e in enumerate(entries)
                if e.get("CommandURL", "").startswith("vnd.murvel.addin:")]
        if not ours:
            return []
        start = ours[0] - 1 if entries[ours[0] - 1].get("Type", 0) != 0 else ours[0]
        return [None if e.get("Type", 0) != 0 else
                (e.get("Label"), e.get("CommandURL"), e.get("IsVisible", True))
                for e in entries[start:ours[-1] + 1]]

    def toolbars(self, module):
        """UI name -> resource URL of every toolbar the module lists under View > Toolbars."""
        infos = self.configuration(module).getUIElementsInfo(TOOLBAR)
        named = [{p.Name: p.Value for p in info} for info in infos]
        return {info.get("UIName", ""): info["ResourceURL"] for info in named}

    def toolbar_buttons(self, module, name):
        settings = self.configuration(module).getSettings(self.toolbars(module)[name], False)
        items = [{p.Name: p.Value for p in settings.getByIndex(i)}
                 for i in range(settings.getCount())]
        return [(i["Label"], i["CommandURL"]) for i in items if i.get("Type", 0) == 0]

    def button_images(self, module, size):
        """The mirrored commands that have a picture in the module, small (0) or large (1)."""
        names = self.configuration(module).getImageManager().getAllImageNames(size)
        return sorted(name for name in names if name.startswith("vnd.murvel.addin:"))

    def window_states(self, module):
        return self.service("com.sun.star.ui.WindowStateConfiguration").getByName(module)

    def window_state(self, module, url):
        return {p.Name: p.Value for p in self.window_states(module).getByName(url)}

    def own_window_states(self, module):
        """The names of the module's window states that belong to our toolbars."""
        return [name for name in self.window_states(module).getElementNames()
                if name.startswith("private:resource/toolbar/custom_murvel_")]

    def layout(self, document):
        return document.getCurrentController().getFrame().LayoutManager


def missing_display_tools():
    return [tool for tool in ("Xvfb", "openbox", "xdotool", "import") if not shutil.which(tool)]


def start_display():
    """Xvfb with openbox on a free display: the display and the processes to stop. The
    server picks the display itself, so that tests started at the same time never share one."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp",
                               "-screen", "0", "1600x1000x24"], pass_fds=(write_end,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              preexec_fn=end_with_test)
    os.close(write_end)
    with os.fdopen(read_end) as announced:
        number = announced.readline().strip()
    if not number:
        server.kill()
        raise RuntimeError("Xvfb did not start")
    display = ":" + number
    manager = subprocess.Popen(["openbox"], env=dict(os.environ, DISPLAY=display),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               preexec_fn=end_with_test)
    return display, [manager, server]


def stop_display(processes):
    for process in processes:
        process.terminate()
        process.wait()


def xdotool(display, *arguments):
    return subprocess.run(["xdotool", *arguments], check=True, capture_output=True, text=True,
                          env=dict(os.environ, DISPLAY=display)).stdout


def wait_until(condition, timeout=20):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if condition():
            return True
        time.sleep(0.2)
    return condition()


class OfficeTestCase(unittest.TestCase):
    """One office for the tests of a class."""
    officehost = FAKE_SERVER

    @classmethod
    def setUpClass(cls):
        cls.office = OfficeSession(cls.officehost)
        try:
            cls.office.start()
        except Exception:
            cls.office.stop()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.office.stop()

    def setUp(self):
        self.documents = []

    def tearDown(self):
        for document in self.documents:
            try:
                document.close(True)
            except Exception:
                pass

    def keep(self, document):
        self.documents.append(document)
        return document
