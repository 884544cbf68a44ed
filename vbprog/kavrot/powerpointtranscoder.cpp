#include "vbprog/kavrot/powerpointtranscoder.h"

#include "platform/codepage/cp950.h"
#include "platform/office/powerpoint/powerpoint.h"
#include "vbprog/kavrot/shapewalk.h"
#include "vbprog/kavrot/stagedoutput.h"

#include <vector>

namespace kavrot
{

namespace ppt = office::powerpoint;

namespace
{

bool isCandidate(QChar ch)
{
    const std::optional<quint16> code = codepage::big5Code(ch);
    return code && codepage::isEudcCode(*code);
}

void convertFrame(ppt::TextFrame *frame, const ReferenceTable &reference)
{
    if (frame && frame->hasText())
        ConvertPptTextRange(*frame->textRange(), reference);
}

void convertShape(ppt::Shape &shape, const ReferenceTable &reference)
{
    if (shape.hasTextFrame()) {
        convertFrame(shape.textFrame(), reference);
    } else if (shape.hasTable()) {
        ppt::Table &table = *shape.table();
        for (int row = 1; row <= table.rowCount(); ++row) {
            for (int column = 1; column <= table.columnCount(); ++column) {
                if (ppt::Cell *cell = table.cell(row, column))
                    convertFrame(cell->shape().textFrame(), reference);
            }
        }
    }
}

// The shapes below a top-level shape, groups opened.
std::vector<ppt::Shape *> listShapes(ppt::Shape &topLevel)
{
    const auto isGroup = [](ppt::Shape *shape) { return shape->type() == ppt::Shape::Type::Group; };
    const auto forEachItem = [](ppt::Shape *group, const auto &visit) {
        for (int k = 1; k <= group->groupItemCount(); ++k)
            visit(group->groupItem(k));
    };
    return shapesOpeningGroups(std::vector<ppt::Shape *>{&topLevel}, isGroup, forEachItem);
}

} // namespace

void ConvertPptTextRange(ppt::TextRange &range, const ReferenceTable &reference)
{
    for (int i = 1; i <= range.length(); ++i) {
        const std::unique_ptr<ppt::TextRange> character = range.characters(i, 1);
        const QString text = character->text();
        if (text.size() != 1 || !isCandidate(text.at(0)))
            continue;
        if (const std::optional<QString> formula = reference.formulaFor(text.at(0))) {
            character->setText(*formula);
            i += int(formula->size()) - 1;
        }
    }
}

platform::Result<FileOutcome> ConvertPowerPointFile(const QString &source,
                                                    const QString &destination, TranscodeRun &run)
{
    // As with Word: the source is only read, and the save writes the whole converted
    // presentation into the new file.
    StagedOutput output(destination);
    if (const platform::Result<bool> reserved = output.reserve(); !reserved)
        return platform::Result<FileOutcome>::failure(reserved.errorString());
    const platform::Result<ppt::Presentation *> opened =
        run.powerPointApplication().presentations().open(source, true, false, true);
    if (!opened)
        return platform::Result<FileOutcome>::failure(opened.errorString());
    ppt::Presentation &presentation = *opened.value();

    for (int i = 1; i <= presentation.slideCount(); ++i) {
        ppt::Slide &slide = *presentation.slide(i);
        for (int j = 1; j <= slide.shapeCount(); ++j) {
            for (ppt::Shape *shape : listShapes(*slide.shape(j))) {
                convertShape(*shape, run.reference());
                if (run.stopRequested()) {
                    presentation.close();
                    return FileOutcome::Stopped;
                }
            }
        }
    }
    const platform::Result<bool> saved = presentation.saveAs(output.path());
    presentation.close();
    if (!saved)
        return platform::Result<FileOutcome>::failure(
            output.naming(destination, saved.errorString()));
    if (const platform::Result<bool> committed = output.commit(); !committed)
        return platform::Result<FileOutcome>::failure(committed.errorString());
    return FileOutcome::Converted;
}

} // namespace kavrot
