#pragma once

#include "platform/common/result.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

// What the harnesses of the document engines share: a document opened by one engine, walked
// and edited as the add-in walks and edits it, saved, and opened again.
namespace fuzz
{

// One document open in its engine.
class EngineDocument
{
public:
    virtual ~EngineDocument() = default;
    // The texts the add-in walks, in its order; nullopt for a document the harness leaves
    // alone.
    virtual std::optional<QStringList> texts() = 0;
    // Replaces a stretch of every text, as a conversion replaces a formula by its glyph.
    virtual void edit() = 0;
    // Writes the document over the file it came from.
    virtual platform::Result<bool> save() = 0;
};

using OpenedDocument = platform::Result<std::unique_ptr<EngineDocument>>;
using EngineOpener = std::function<OpenedDocument(const QString &path)>;

// What an engine opened, as the harness's Document over it, or the engine's refusal.
template<typename Document, typename Model>
OpenedDocument OpenedAs(platform::Result<std::unique_ptr<Model>> opened)
{
    if (!opened)
        return OpenedDocument::failure(opened.errorString());
    return OpenedDocument(std::make_unique<Document>(std::move(opened.value())));
}

// Opens the file: a refusal says why; else the walk completes, the edit is made and saved,
// and the saved file opens again with the texts as they were after the edit.
void CheckRoundTrip(const QString &path, const EngineOpener &open);

// The stretch of a text of length units that edit() replaces: [start, start + count).
struct EditedStretch {
    int start;
    int count;
};
EditedStretch StretchToEdit(int length);
// What edit() writes in its place: a glyph and a formula operator.
QString EditText();

// The deepest nesting of elements in markup, counted roughly from its tags. The harnesses
// keep their inputs below the depths whose recursion the engines do not survive yet.
int MarkupDepth(std::string_view markup);
constexpr int kMaxMarkupDepth = 200;

// Writes bytes to path; aborts when it cannot.
void WriteFile(const QString &path, std::string_view bytes);

} // namespace fuzz
