#!/usr/bin/env python3
"""Makes the seed corpora of the fuzz harnesses from the sample data.

make-seeds.py <data-dir> <committed-seeds-dir> <output-dir>

Writes <output-dir>/<harness>/ for every harness: inputs made from the formulas and glyphs of
data/sources/murvel/檢字表.tsv, plus the samples committed under <committed-seeds-dir>/<harness>/.
Texts go in the harnesses' text form: a 0 byte, then UTF-8. The document harnesses start
from the sample packages in packages/ beside this script: whole, and as the parts that
their harnesses fill, joined by 0 bytes.
"""
import hashlib
import html
import io
import pathlib
import re
import shutil
import sys
import zipfile

HARNESSES = ["formula", "formulasearch", "glyphrtf", "profile", "derivationsql",
             "likepattern", "cp950", "databasewalk", "indexedlike",
             "docxpackage", "docxpart", "xlsxpart", "pptxpart", "htmlpage"]
PACKAGES = pathlib.Path(__file__).resolve().parent / "packages"
# The parts each part harness fills, in the order of the input's pieces.
FILLED_PARTS = {
    "docxpart": ("sample.docx", ["word/document.xml", "word/footnotes.xml", "word/header1.xml"]),
    "xlsxpart": ("sample.xlsx", ["xl/worksheets/sheet1.xml", "xl/sharedStrings.xml"]),
    "pptxpart": ("sample.pptx", ["ppt/slides/slide1.xml"]),
}
WORD_MAIN = ('<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">'
             '<w:body>{}</w:body></w:document>')
PER_KIND = 200


def unescape(cell):
    return re.sub(r"\\u([0-9A-Fa-f]{4})", lambda m: chr(int(m.group(1), 16)), cell)


def regular_glyphs(data_dir):
    """The (glyph, formula) pairs of the regular-script sources, in file order."""
    rows = []
    header = None
    path = data_dir / "sources" / "murvel" / "檢字表.tsv"
    for line in path.read_text(encoding="utf-8").splitlines():
        if not line or line.startswith("#"):
            continue
        cells = [unescape(c) for c in line.split("\t")]
        if header is None:
            header = cells
            continue
        record = dict(zip(header, cells))
        rows.append((record.get("字形", "") or record.get("字碼", ""), record.get("@構字式", "")))
    return rows


def text(value):
    return b"\0" + value.encode("utf-8")


def write(folder, seeds):
    folder.mkdir(parents=True, exist_ok=True)
    for seed in seeds:
        (folder / hashlib.sha1(seed).hexdigest()).write_bytes(seed)


def stored(package):
    """The package with its entries stored, so that mutations meet the XML itself."""
    out = io.BytesIO()
    with zipfile.ZipFile(package) as source, zipfile.ZipFile(out, "w", zipfile.ZIP_STORED) as copy:
        for entry in source.infolist():
            copy.writestr(entry.filename, source.read(entry))
    return out.getvalue()


def document_seeds(formulas):
    """Seeds of the document harnesses."""
    seeds = {"docxpackage": [], "htmlpage": []}
    for package in sorted(PACKAGES.glob("*.*x")):
        seeds["docxpackage"] += [package.read_bytes(), stored(package)]
    for harness, (package, parts) in FILLED_PARTS.items():
        with zipfile.ZipFile(PACKAGES / package) as archive:
            pieces = [archive.read(part) for part in parts]
        seeds[harness] = [b"\0".join(pieces[:count]) for count in range(1, len(pieces) + 1)]
    paragraphs = "".join(f"<w:p><w:r><w:t>{html.escape(f)}</w:t></w:r></w:p>" for f in formulas[:20])
    seeds["docxpart"].append(WORD_MAIN.format(paragraphs).encode("utf-8"))
    for i in range(0, 20, 5):
        body = "".join(f"<p>{html.escape(f)}<br>{html.escape(f)}</p>" for f in formulas[i:i + 5])
        page = f"<html><head><meta charset=\"{{}}\"></head><body>{body}</body></html>"
        seeds["htmlpage"].append(page.format("utf-8").encode("utf-8"))
        seeds["htmlpage"].append(page.format("big5").encode("cp950", errors="ignore"))
    return seeds


def main():
    data_dir, committed, output = (pathlib.Path(a) for a in sys.argv[1:4])
    rows = regular_glyphs(data_dir)
    formulas = [f for _, f in rows if f][:PER_KIND]
    glyphs = [g for g, _ in rows if g][:PER_KIND]
    texts = [text(f) for f in formulas] + [text(g) for g in glyphs[:20]]

    seeds = {name: [] for name in HARNESSES}
    seeds.update(document_seeds(formulas))
    seeds["formula"] = texts
    seeds["formulasearch"] = texts
    seeds["glyphrtf"] = texts[:50]
    # One byte of marks, one of script and set, then the text: each mark alone and a few
    # mixes, over glyphs and two-component texts.
    for i, glyph in enumerate(glyphs[:40]):
        marks = [0, 1, 2, 4, 8, 5, 9][i % 7]
        seeds["derivationsql"].append(bytes([marks, i % 25]) + text(glyph + glyphs[-1 - i]))
    # Searches of the kinds the derivation view runs, and others the index can serve.
    statements = [
        "SELECT * From 檢字表 Where 編號>0 and  (  編號 > 0 )  and 字根序 Like '*{0}*'"
        "  ORDER BY 部首筆畫排序,組字字數 DESC ",
        "SELECT * From 檢字表 Where (字形='{0}') or (  (  編號 > 0 and 編號 <= 13053 )  And"
        " 部件序 Like '*{0}*')  ORDER BY 編號,組字字數 DESC ",
        "SELECT 字形, 編號 FROM 檢字表 WHERE 部件序二 LIKE '{0}?*' OR 字根組 LIKE '*{0}*{1}*'",
        "SELECT * FROM 檢字表 WHERE 字根序二 LIKE '[{0}]*' AND NOT 編號 < 5 ORDER BY 字形 DESC;",
    ]
    for i, glyph in enumerate(glyphs[:40]):
        statement = statements[i % len(statements)]
        seeds["indexedlike"].append(text(statement.format(glyph, glyphs[-1 - i])))
    # The pattern, a terminating backslash pair, the text.
    for glyph, formula in rows[:PER_KIND // 4]:
        if glyph and formula:
            seeds["likepattern"].append(f"*{glyph}*\\-{formula}{glyph}".encode("utf-8"))
    for glyph, formula in rows[:PER_KIND // 2]:
        line = f"{glyph}\t{formula}"
        seeds["cp950"].append(line.encode("cp950", errors="ignore"))
        seeds["cp950"].append(line.encode("utf-8"))
    # Records of the walk: glyph, kind, components, each text ended by a backslash pair.
    for i in range(0, min(len(rows), 80), 4):
        records = b"".join(g.encode("utf-8") + b"\\-" + bytes([i % 10]) + f.encode("utf-8")
                           + b"\\-" for g, f in rows[i:i + 4])
        seeds["databasewalk"].append(records + bytes([4]))

    if output.exists():
        shutil.rmtree(output)
    for name in HARNESSES:
        folder = output / name
        write(folder, seeds[name])
        for sample in sorted((committed / name).glob("*")) if (committed / name).is_dir() else []:
            shutil.copy(sample, folder / sample.name)
    # The profile samples also in cp950, as older tools write them.
    for sample in sorted((committed / "profile").glob("*.ini")):
        write(output / "profile",
              [sample.read_text(encoding="utf-8").encode("cp950", errors="ignore")])
    (output / ".made").touch()


if __name__ == "__main__":
    main()
