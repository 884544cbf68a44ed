#include "vbprog/murvel/core/typefacenames.h"

#include "vbprog/murvel/core/scriptfaces.h"
#include "vbprog/murvel/core/公用變數.h"

namespace
{

const QString &Kai = Faces::Kai;
const QString &Ming = Faces::Ming;

QString replaceFirst(QString name, const QString &from, const QString &to)
{
    const qsizetype at = name.indexOf(from);
    if (at >= 0)
        name.replace(at, from.size(), to);
    return name;
}

} // namespace

QString CanonicalFontName(const QString &name)
{
    return gBaseFontName == Ming && name == Ming ? Kai : name;
}

QString DisplayFontName(const QString &name)
{
    return gBaseFontName == Ming ? replaceFirst(name, Kai, Ming) : name;
}

QString SwapBaseFontName(const QString &name)
{
    return gBaseFontName == Ming ? replaceFirst(name, Kai, Ming) : replaceFirst(name, Ming, Kai);
}
