#include "bench/synthetic/codepoints.h"

#include "platform/codepage/cp950.h"
#include "vbprog/murvel/core/formula.h"

bool IsPrivateUse(QChar c)
{
    return c.unicode() >= 0xE000 && c.unicode() <= 0xF8FF;
}

bool IsFrequentBig5(QChar c)
{
    const auto code = codepage::big5Code(c);
    return code && *code >= 0xA440 && *code <= 0xC67E;
}

QList<QChar> CjkPool()
{
    QList<QChar> pool;
    for (char16_t c = 0x3400; c <= 0x4DBF; ++c)
        pool.append(QChar(c));
    for (char16_t c = 0x4E00; c <= 0x9FFF; ++c)
        pool.append(QChar(c));
    return pool;
}

QList<QChar> PrivateUsePool(char16_t first)
{
    QList<QChar> pool;
    for (char16_t c = first; c <= 0xF8FF; ++c) {
        const bool trigram = c >= TrigramFirst && c <= TrigramLast;
        if (!trigram && !IsOperatorSymbol(QChar(c)))
            pool.append(QChar(c));
    }
    return pool;
}
