// The Word engine on a valid .docx whose main text, footnotes and first header are the
// input (split at 0 bytes): a part that is not well-formed is refused with a message; any
// other document opens, the add-in's walk of its stories completes, and an edit of every
// story saves and reads back.
#include "documentroundtrip.h"
#include "fuzzsupport.h"
#include "packagetemplate.h"
#include "wordengine.h"

#include <QTemporaryDir>

namespace
{
QString g_path;
fuzz::PackageTemplate *g_template = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::EnsureApplication();
    static QTemporaryDir folder(fuzz::ScratchTemplate());
    g_path = folder.filePath(QStringLiteral("fuzz.docx"));
    static fuzz::PackageTemplate sample(QStringLiteral(MURVEL_FUZZ_PACKAGES "/sample.docx"),
                                        {QStringLiteral("word/document.xml"),
                                         QStringLiteral("word/footnotes.xml"),
                                         QStringLiteral("word/header1.xml")});
    g_template = &sample;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view input = fuzz::BytesOf(data, size);
    // The story walk recurses into nested elements; deeper documents wait for its mend.
    if (fuzz::MarkupDepth(input) > fuzz::kMaxMarkupDepth)
        return 0;
    g_template->write(input, g_path);
    fuzz::CheckRoundTrip(g_path, fuzz::OpenWordDocument);
    return 0;
}
