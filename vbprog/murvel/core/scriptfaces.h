#pragma once

#include <QString>

// The typeface names the program gives meaning to: the two base typefaces, and the faces of
// the ancient scripts, which double as the script of a glyph triple.
namespace Faces
{
inline const QString Kai = QStringLiteral("標楷體"); // the default face, FaceCode 0
inline const QString Ming = QStringLiteral("細明體");
inline const QString Seal = QStringLiteral("北師大說文小篆");
inline const QString SealVariant = QStringLiteral("北師大說文重文"); // 重文 of the small seal
inline const QString Bronze = QStringLiteral("Ombrel金文");
inline const QString OracleBone = QStringLiteral("Ombrel甲骨文");
inline const QString Chu = QStringLiteral("Ombrel楚系文字");
// Bronze glyphs shown in the views of the other scripts: no script face, so a receiver of
// their broadcast takes them as regular glyphs.
inline const QString BronzeInOtherViews = QStringLiteral("zodi");
} // namespace Faces
