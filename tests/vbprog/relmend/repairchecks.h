#pragma once

#include <QString>

namespace relmendtest
{

// The private-use characters U+E000..U+F848 of a .docx's stories (the main text, notes,
// comments, headers and footers, text boxes; fallback copies of shapes left out) that are
// marked as typed East Asian text, and those that are not.
struct PrivateUseMarks {
    int marked = 0;
    int unmarked = 0;
};
PrivateUseMarks privateUseMarks(const QString &docxPath);

} // namespace relmendtest
