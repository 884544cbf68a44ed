#include "vbprog/murvel/core/公用程序.h"

#include "vbprog/murvel/core/公用變數.h"
#include "vbprog/murvel/schema/schemanames.h"

namespace
{

QString radicalGlyph(jet::Table &radicals, qint32 number)
{
    if (!radicals.setIndex(Indexes::編號) || !radicals.seek(number))
        return {};
    return radicals.value(Fields::字形).toString();
}

} // namespace

QString KangxiRadicalGlyph(qint32 number)
{
    return radicalGlyph(gRs康熙部首, number);
}

QString ShuowenRadicalGlyph(qint32 number)
{
    return radicalGlyph(gRs說文部首, number);
}

QString ZhuyinToneMarks(const QString &reading)
{
    if (reading.isEmpty())
        return {};
    const QString rest = reading.chopped(1);
    switch (reading.back().unicode()) {
    case u'2':
        return rest + u'ˊ';
    case u'3':
        return rest + u'ˇ';
    case u'4':
        return rest + u'ˋ';
    case u'5':
        return u'˙' + rest;
    default:
        return rest;
    }
}

QString CangjieCodeToRadicals(const QString &code)
{
    static const QString Radicals =
        QStringLiteral("日月金木水火土竹戈十大中一弓人心手口尸廿山女田難卜重");
    QString radicals;
    for (QChar letter : code) {
        char16_t c = letter.unicode();
        if (c >= u'a' && c <= u'z')
            c -= u'a' - u'A';
        if (c >= u'A' && c <= u'Z')
            radicals += Radicals[c - u'A'];
    }
    return radicals;
}
