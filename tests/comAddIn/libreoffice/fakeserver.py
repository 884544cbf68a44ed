#!/usr/bin/python3
"""A stand-in for `officehost --serve SOCKET` in the extension's tests.

It speaks the relay's protocol with the add-ins' bars as the add-ins build them (with a
picture for each symbol button, as our process draws their captions), types
the symbols of the operator and trigram buttons, and runs a conversion that copies the
document instead of converting it. Every request it receives is appended, one JSON object
a line, to the file named by $MURVEL_FAKE_LOG. It ends when its last client has gone.
"""
import json
import os
import shutil
import socket
import struct
import sys
import zlib

TOOLS = [
    ("qelToolExpToGlyph", "構字式轉成字形☆(預覽)"),
    ("qelToolExpToImg", "構字式轉成圖片★(預覽)"),
    ("qelToolImgToExp", "圖片轉成構字式"),
    ("qelToolHanziInteface", "Tesvani..."),
    ("qelToolHanziHelp", "Tesvani說明..."),
]
OPERATORS = [
    ("qelOperatorH", "\uf6a4"), ("qelOperatorV", "\uf6a3"), ("qelOperatorC", "\uf6a5"),
    ("qelOperatorS", "\uf6ae"), ("qelOperatorE", "\uf6af"), ("qelOperator2H", "\uf6a7"),
    ("qelOperator2V", "\uf6a6"), ("qelOperator3D", "\uf6a8"), ("qelOperator4D", "\uf6ab"),
]
TRIGRAMS = [(chr(0xEDC0 + i), chr(0xEDC0 + i)) for i in range(8)]
HIDDEN_TOOLS = {
    "Microsoft Excel": {"qelToolExpToImg", "qelToolImgToExp"},
    "Microsoft PowerPoint": {"qelToolExpToImg", "qelToolImgToExp"},
    "Microsoft FrontPage": {"qelToolExpToGlyph"},
}
READABLE = {
    "Microsoft Word": (".docx",),
    "Microsoft Excel": (".xlsx",),
    "Microsoft PowerPoint": (".pptx",),
    "Microsoft FrontPage": (".html", ".htm"),
}
# A tag whose click takes the Tools items away, as removing one add-in would.
REMOVE_TOOLS_TAG = "fakeRemoveTools"


def write_png(path, size):
    """A dark square on a transparent one, as an RGBA PNG file."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    rows = b"".join(
        b"\0" + b"".join(b"\x20\x20\x20\xff" if 2 <= x < size - 2 and 2 <= y < size - 2
                         else b"\0\0\0\0" for x in range(size))
        for y in range(size))
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" +
                  chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
                  chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


class Session:
    def __init__(self, icons):
        self.tools_removed = False
        self.icons = icons

    def pictures(self, caption):
        """The "image" and "largeImage" members of a symbol button."""
        os.makedirs(self.icons, exist_ok=True)
        members = {}
        for member, size in (("image", 16), ("largeImage", 24)):
            path = os.path.join(self.icons, "%04x-%d.png" % (ord(caption), size))
            write_png(path, size)
            members[member] = path
        return members

    def bars(self, host):
        hidden = HIDDEN_TOOLS.get(host, set())
        caption = {"qelToolExpToImg": "構字式轉成圖片"} if host == "Microsoft FrontPage" else {}
        tools = [] if self.tools_removed else [
            {"tag": tag, "caption": caption.get(tag, text), "visible": tag not in hidden,
             "beginGroup": i == 0} for i, (tag, text) in enumerate(TOOLS)]
        toolbar = lambda name, buttons: {
            "name": name, "kind": "toolbar", "visible": False,
            "controls": [dict({"tag": tag, "caption": text, "visible": True,
                               "beginGroup": i == 0}, **self.pictures(text))
                         for i, (tag, text) in enumerate(buttons)]}
        return [{"name": "Tools", "kind": "menu", "visible": True, "controls": tools},
                toolbar("構字符號", OPERATORS), toolbar("八卦符號", TRIGRAMS)]


def log(request):
    with open(os.environ["MURVEL_FAKE_LOG"], "a", encoding="utf-8") as out:
        out.write(json.dumps(request, ensure_ascii=False) + "\n")


def send(connection, message):
    connection.sendall((json.dumps(message, ensure_ascii=False) + "\n").encode("utf-8"))


def convert(connection, lines, request):
    """Copies the document to its ☆ copy, as a conversion would write it, and opens it."""
    document = request["document"]
    path = document["path"]
    if not path.lower().endswith(READABLE[request["host"]]):
        return {"ok": False, "message": "請先將文件存成 .docx、.xlsx、.pptx 或 .html"}
    send(connection, {"action": "status", "text": "構字式轉換中..."})
    if document["modified"]:
        send(connection, {"action": "store"})
        stored = json.loads(next(lines))
        log({"reply": stored})
        if not stored.get("stored"):
            return {"ok": False, "message": stored.get("message", "")}
    stem, extension = os.path.splitext(path)
    shutil.copyfile(path, stem + "☆" + extension)
    if extension.lower() in (".html", ".htm"):
        # A page is changed on disk as a conversion changes it; the office reloads it.
        with open(path, encoding="utf-8") as page:
            text = page.read()
        with open(path, "w", encoding="utf-8") as page:
            page.write(text.replace("</body>", "<p>已轉換</p></body>"))
        send(connection, {"action": "reload"})
    send(connection, {"action": "open", "path": stem + "☆" + extension})
    send(connection, {"action": "status", "text": "構字式轉換完畢"})
    return {"ok": True, "message": ""}


def click(session, connection, lines, request):
    tag = request["tag"]
    symbols = dict(OPERATORS + TRIGRAMS)
    done = {"ok": True, "message": "", "barsChanged": False}
    if tag in symbols:
        send(connection, {"action": "type", "text": symbols[tag], "font": "Qeleudc"})
    elif tag == "qelToolExpToGlyph":
        done.update(convert(connection, lines, request))
    elif tag == REMOVE_TOOLS_TAG:
        session.tools_removed = True
        done["barsChanged"] = True
    send(connection, dict(done, done=True))


def serve(session, connection):
    with connection, connection.makefile("r", encoding="utf-8") as reader:
        lines = iter(reader)
        for line in lines:
            request = json.loads(line)
            log(request)
            if request["op"] == "bars":
                send(connection, {"bars": session.bars(request["host"])})
            elif request["op"] == "click":
                click(session, connection, lines, request)
            else:
                send(connection, {"done": True, "ok": True, "message": "", "barsChanged": False})


def main():
    if len(sys.argv) != 3 or sys.argv[1] != "--serve":
        sys.exit("usage: fakeserver.py --serve SOCKET")
    path = sys.argv[2]
    if os.path.exists(path):
        os.unlink(path)
    server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    server.bind(path)
    server.listen()
    server.settimeout(30)
    session = Session(path + ".icons")
    with open(path + ".pid", "w") as pid:
        pid.write(str(os.getpid()))
    try:
        while True:
            try:
                connection, _ = server.accept()
            except socket.timeout:
                break
            serve(session, connection)
            server.settimeout(5)
    finally:
        os.unlink(path)
        shutil.rmtree(path + ".icons", ignore_errors=True)


if __name__ == "__main__":
    main()
