#include "documentroundtrip.h"

#include "fuzzsupport.h"

#include <QFile>
#include <algorithm>
#include <string>
#include <vector>

namespace fuzz
{

namespace
{

// A text as the report shows it: control characters as their code.
QString shown(const QString &text)
{
    QString out;
    for (QChar unit : text)
        out += unit.unicode() < 0x20
                   ? QStringLiteral("\\x%1").arg(unit.unicode(), 2, 16, QChar(u'0'))
                   : QString(unit);
    return out;
}

// The first text that differs, for the report of a broken rule.
QString firstDifference(const QStringList &expected, const QStringList &found)
{
    for (qsizetype i = 0; i < std::max(expected.size(), found.size()); ++i) {
        const QString want = expected.value(i, QStringLiteral("(none)"));
        const QString got = found.value(i, QStringLiteral("(none)"));
        if (want != got)
            return QStringLiteral("text %1 of %2: expected \"%3\", read \"%4\"")
                .arg(i)
                .arg(expected.size())
                .arg(shown(want), shown(got));
    }
    return {};
}

} // namespace

void CheckRoundTrip(const QString &path, const EngineOpener &open)
{
    OpenedDocument opened = open(path);
    if (!opened) {
        Check(!opened.errorString().isEmpty(), "a document that does not open says why");
        return;
    }
    EngineDocument &document = *opened.value();
    if (!document.texts())
        return;
    document.edit();
    const std::optional<QStringList> edited = document.texts();
    const platform::Result<bool> saved = document.save();
    Check(saved.ok(), "an opened document saves", saved.errorString());

    OpenedDocument again = open(path);
    Check(again.ok(), "what the engine saved opens again", again.errorString());
    const std::optional<QStringList> reread = again.value()->texts();
    Check(reread == edited, "the saved texts read back",
          firstDifference(edited.value_or(QStringList()), reread.value_or(QStringList())));
}

EditedStretch StretchToEdit(int length)
{
    const int start = length / 3;
    return {start, length / 2 - start};
}

QString EditText()
{
    return QStringLiteral(u"字\uF6A4");
}

int MarkupDepth(std::string_view markup)
{
    // The names of the open elements; a closing tag closes the innermost of its name and
    // those within it, one that matches none is ignored (as an HTML parser ignores it).
    std::vector<std::string> open;
    size_t deepest = 0;
    for (size_t tag = markup.find('<'); tag != std::string_view::npos;
         tag = markup.find('<', tag + 1)) {
        const bool closing = tag + 1 < markup.size() && markup[tag + 1] == '/';
        const size_t nameStart = tag + (closing ? 2 : 1);
        const size_t nameEnd =
            std::min(markup.find_first_of(" \t\r\n/>", nameStart), markup.size());
        std::string name(markup.substr(nameStart, nameEnd - nameStart));
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return char(std::tolower(c)); });
        if (name.empty() || name.front() == '!' || name.front() == '?')
            continue;
        if (closing) {
            const auto match = std::find(open.rbegin(), open.rend(), name);
            if (match != open.rend())
                open.erase(std::prev(match.base()), open.end());
            continue;
        }
        const size_t end = markup.find('>', nameEnd);
        if (end != std::string_view::npos && markup[end - 1] == '/')
            continue;
        open.push_back(std::move(name));
        deepest = std::max(deepest, open.size());
    }
    // Elements HTML leaves open (<br>, <p>) count as nested: the depth may be overstated.
    return int(deepest);
}

void WriteFile(const QString &path, std::string_view bytes)
{
    QFile out(path);
    Check(out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
              out.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()),
          "the input file is written", path);
}

} // namespace fuzz
