#include "comAddIn/porvex/lookuprules.h"

#include "platform/fonts/eudcfacenames.h"
#include "vbprog/murvel/core/scriptfaces.h"

namespace porvex
{

const QString *ScriptTexts::forFace(const QString &face) const
{
    if (face == Faces::Seal || face == Faces::SealVariant)
        return &seal;
    if (face == Faces::Bronze)
        return &bronze;
    if (face == Faces::OracleBone)
        return &oracleBone;
    if (face == Faces::Chu)
        return &chu;
    return nullptr;
}

FormulaKey KeyOfFoundFormula(const QString &formula)
{
    const QChar open(OperatorCodes::OpenBracket);
    if (!formula.startsWith(open) || formula.endsWith(QChar(OperatorCodes::CloseBracket)))
        return FormulaKeyOf(formula);
    FormulaKey key = FormulaKeyOf(formula.mid(1));
    key.components.prepend(open);
    return key;
}

QString ComposeResultText(const QString &glyph, int kind, const QString &components)
{
    if (!glyph.isEmpty())
        return glyph;
    if (kind >= 1 && kind <= 3) {
        QString text;
        for (qsizetype i = 0; i < components.size(); ++i) {
            if (i > 0)
                text += QChar(StandardOperatorCode(kind));
            text += components[i];
            if (IsPrefixOperator(components[i]) && i + 1 < components.size())
                text += components[++i];
        }
        return text;
    }
    if (kind == FormulaKinds::Other)
        return components;
    return QChar(OperatorCodes::OpenBracket) + components + QChar(OperatorCodes::CloseBracket);
}

QString EudcFaceName(const QString &style, int set)
{
    return fonts::eudcFaceName(style.contains(QStringLiteral("楷")) ? Faces::Kai : Faces::Ming,
                               set);
}

GlyphWrite WriteFor(const ChosenCandidate &chosen, const ScriptTexts &scripts,
                    const QString &textFace)
{
    if (chosen.code.isEmpty())
        return {};
    if (const QString *script = scripts.forFace(textFace); script && !script->isEmpty())
        return {*script, std::nullopt};
    GlyphWrite write{chosen.code, std::nullopt};
    const QString face = chosen.faceCode > 0   ? EudcFaceName(textFace, chosen.faceCode)
                         : chosen.faceCode < 0 ? chosen.faceName
                                               : QString();
    if (!face.isEmpty())
        write.face = face;
    return write;
}

} // namespace porvex
