// The formula model: the search's parse of typed text, the FormulaKey rule, JoinFormula and
// the operator lookups, on any text.
#include "fuzzsupport.h"
#include "tests/vbprog/murvel/core/operatortable.h"
#include "vbprog/murvel/core/formula.h"
#include "vbprog/murvel/core/formulasearch.h"

namespace
{

bool holdsAnOperator(const QString &text)
{
    for (QChar c : text) {
        if (c >= QChar(OperatorCodes::First) && c <= QChar(OperatorCodes::Last))
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    LoadStandardOperators();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = fuzz::TextOf(fuzz::BytesOf(data, size));

    const TypedFormula typed = ParseTypedFormula(text);
    fuzz::Check(typed.form == TypedFormula::Form::TooShort || !typed.key.components.isEmpty(),
                "a searched formula has a key", text);

    const FormulaKey key = FormulaKeyOf(text);
    fuzz::Check(key.components.size() <= text.size(), "the key is part of the formula", text);

    // Stored formulas of plain components read back as the same key.
    if (!holdsAnOperator(text)) {
        if (text.size() >= 2) {
            for (int kind = 1; kind <= 3; ++kind) {
                fuzz::Check(FormulaKeyOf(JoinFormula(kind, text)) == FormulaKey{qint16(kind), text},
                            "an infix formula reads back as its key", text);
            }
        }
        fuzz::Check(FormulaKeyOf(JoinFormula(FormulaKinds::Bracketed, text)) ==
                        FormulaKey{FormulaKinds::Bracketed, text},
                    "a bracketed formula reads back as its key", text);
        fuzz::Check(JoinFormula(FormulaKinds::Root, text) == text, "a root stays as it is", text);
    }
    for (int kind : {-1, 4, 5, 9})
        JoinFormula(kind, text);
    JoinFormula(std::nullopt, text);

    HasLikeWildcard(text);
    const int first = text.isEmpty() ? 1 : 1 + text.front().unicode() % 14;
    const int last = text.size() < 2 ? 14 : 1 + text.back().unicode() % 14;
    const int found = FindOperator(text.left(1), first, last);
    fuzz::Check(found == 0 || (found >= first && found <= last), "an operator within the range",
                text);
    return 0;
}
