"""LibreOffice Writer with the extension on a display of its own (Xvfb and openbox), used
as a person would: the toolbar 構字符號 shown, 日 typed, ⿰ clicked with the mouse.

Exits with 77 (skipped) when Xvfb, openbox or xdotool is missing.
"""
import os
import subprocess
import sys

from officesession import (WRITER, OfficeSession, missing_display_tools, portions,
                           start_display, stop_display, wait_until, xdotool)

OPERATOR_H = "\uf6a4"
SKIPPED = 77


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
        # The symbol asks for the face our process named; the text around it keeps its own.
        runs = portions(text)
        assert [run[0] for run in runs] == ["日", OPERATOR_H, "a"], runs
        assert runs[1][1:] == ("Qeleudc",) * 3 and runs[0][1:] == runs[2][1:], runs
        print("the symbol stands after 日; screenshot:", shot)
    finally:
        office.stop()


def main():
    missing = missing_display_tools()
    if missing:
        print("SKIP: the window test needs " + ", ".join(missing))
        return SKIPPED
    display, processes = start_display()
    try:
        run(display, sys.argv[1] if len(sys.argv) > 1 else "/tmp/murvel-lo-window.png")
    finally:
        stop_display(processes)
    return 0


if __name__ == "__main__":
    sys.exit(main())
