// The package reader and the Word engine on any file as a .docx: a file that is not a
// readable document is refused with a message; any other opens, the add-in's walk of its
// stories completes, and an edit of every story saves and reads back.
#include "documentroundtrip.h"
#include "fuzzsupport.h"
#include "wordengine.h"

#include <QTemporaryDir>

namespace
{
QString g_path;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::EnsureApplication();
    static QTemporaryDir folder(fuzz::ScratchTemplate());
    g_path = folder.filePath(QStringLiteral("fuzz.docx"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::WriteFile(g_path, fuzz::BytesOf(data, size));
    fuzz::CheckRoundTrip(g_path, fuzz::OpenWordDocument);
    return 0;
}
