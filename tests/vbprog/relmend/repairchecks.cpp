#include "tests/vbprog/relmend/repairchecks.h"

#include "tests/platform/office/word/sampledocx.h"

#include <cstring>
#include <pugixml.hpp>

namespace relmendtest
{

namespace
{

int privateUseCount(const QString &text)
{
    return int(std::count_if(text.begin(), text.end(), [](QChar c) {
        return c.unicode() >= 0xE000 && c.unicode() <= 0xF848;
    }));
}

bool insideFallback(pugi::xml_node node)
{
    for (; node; node = node.parent()) {
        if (std::strcmp(node.name(), "mc:Fallback") == 0)
            return true;
    }
    return false;
}

} // namespace

PrivateUseMarks privateUseMarks(const QString &docxPath)
{
    PrivateUseMarks marks;
    for (const auto &[name, data] : testsupport::readZip(docxPath)) {
        if (!name.startsWith("word/") || !name.endsWith(".xml"))
            continue;
        pugi::xml_document xml;
        if (!xml.load_buffer(data.constData(), size_t(data.size())))
            continue;
        for (const pugi::xpath_node &found : xml.select_nodes("//w:r/w:t")) {
            const pugi::xml_node text = found.node();
            if (insideFallback(text))
                continue;
            const int count = privateUseCount(QString::fromUtf8(text.child_value()));
            const bool marked =
                std::strcmp(
                    text.parent().child("w:rPr").child("w:rFonts").attribute("w:hint").value(),
                    "eastAsia") == 0;
            (marked ? marks.marked : marks.unmarked) += count;
        }
    }
    return marks;
}

} // namespace relmendtest
