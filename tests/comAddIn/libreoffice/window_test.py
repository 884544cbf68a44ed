"""LibreOffice Writer with the extension on a display of its own (Xvfb and openbox), used
as a person would: the toolbar 構字符號 shown, 日 typed, ⿰ clicked with the mouse.

Exits with 77 (skipped) when Xvfb, openbox or xdotool is missing.
"""
import os
import shutil
import subprocess
import sys
import time

from officesession import WRITER, OfficeSession, wait_until

OPERATOR_H = "\uf6a4"
SKIPPED = 77


def free_display():
    for number in range(90, 200):
        if not os.path.exists("/tmp/.X11-unix/X%d" % number) and \
                not os.path.exists("/tmp/.X%d-lock" % number):
            return ":%d" % number
    raise RuntimeError("no free display number")


def start_display():
    display = free_display()
    server = subprocess.Popen(["Xvfb", display, "-screen", "0", "1600x1000x24"],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if not wait_until(lambda: os.path.exists("/tmp/.X11-unix/X" + display[1:]), 10):
        server.kill()
        raise RuntimeError("Xvfb did not start on " + display)
    manager = subprocess.Popen(["openbox"], env=dict(os.environ, DISPLAY=display),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return display, [manager, server]


def button_centre(toolbar_window, caption):
    """Where the toolbar's button of that caption is on the screen, by its accessible name."""
    context = toolbar_window.getAccessibleContext()
    for i in range(context.getAccessibleChildCount()):
        button = context.getAccessibleChild(i).getAccessibleContext()
        if button.getAccessibleName() == caption:
            place = button.getLocationOnScreen()
            size = button.getSize()
            return place.X + size.Width // 2, place.Y + size.Height // 2
    raise AssertionError("no button " + repr(caption))


def xdotool(display, *arguments):
    subprocess.run(["xdotool", *arguments], check=True, env=dict(os.environ, DISPLAY=display))


def run(display, shot):
    office = OfficeSession(display=display).start()
    try:
        document = office.new("swriter", hidden=False)
        assert wait_until(lambda: "構字符號" in office.toolbars(WRITER)), "no toolbar 構字符號"
        url = office.toolbars(WRITER)["構字符號"]
        layout = office.layout(document)
        assert not layout.isElementVisible(url), "構字符號 is shown before the user asks"
        layout.showElement(url)
        assert wait_until(lambda: layout.isElementVisible(url)), "構字符號 is not shown"
        frame = document.getCurrentController().getFrame()
        frame.getContainerWindow().setFocus()
        frame.activate()
        text = document.getText()
        # The first non-ASCII key can be lost while the office learns the key map.
        for _ in range(5):
            xdotool(display, "type", "--delay", "50", "日")
            if wait_until(lambda: "日" in text.getString(), 3):
                break
        assert text.getString() == "日", repr(text.getString())
        x, y = button_centre(layout.getElement(url).getRealInterface(), OPERATOR_H)
        xdotool(display, "mousemove", str(x), str(y), "click", "1")
        assert wait_until(lambda: text.getString() == "日" + OPERATOR_H), \
            repr(text.getString())
        subprocess.run(["import", "-window", "root", shot], check=True,
                       env=dict(os.environ, DISPLAY=display))
        # The caret stands after the symbol: what is typed next follows it.
        xdotool(display, "type", "--delay", "50", "a")
        assert wait_until(lambda: text.getString() == "日" + OPERATOR_H + "a"), \
            repr(text.getString())
        print("the symbol stands after 日; screenshot:", shot)
    finally:
        office.stop()


def main():
    missing = [tool for tool in ("Xvfb", "openbox", "xdotool", "import") if not shutil.which(tool)]
    if missing:
        print("SKIP: the window test needs " + ", ".join(missing))
        return SKIPPED
    display, processes = start_display()
    try:
        run(display, sys.argv[1] if len(sys.argv) > 1 else "/tmp/murvel-lo-window.png")
    finally:
        for process in processes:
            process.terminate()
            process.wait()
    return 0


if __name__ == "__main__":
    sys.exit(main())
