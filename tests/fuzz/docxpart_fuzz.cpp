// The Word engine on a valid .docx whose main text, footnotes and first header are the
// input (split at 0 bytes): a part that is not well-formed is refused with a message; any
// other document opens, the add-in's walk of its stories completes, and an edit of every
// story saves and reads back.
#include "documentroundtrip.h"
#include "fuzzsupport.h"
#include "packagetemplate.h"
#include "wordengine.h"

namespace
{
fuzz::PackageTemplate *g_template = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::EnsureApplication();
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
    // The story walk recurses into nested elements: inputs stay below the depth it survives.
    if (fuzz::MarkupDepth(input) > fuzz::kMaxMarkupDepth)
        return 0;
    fuzz::CheckRoundTrip(g_template->write(input), fuzz::OpenWordDocument);
    return 0;
}
