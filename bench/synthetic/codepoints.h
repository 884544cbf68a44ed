#pragma once

#include "vbprog/murvel/core/formula.h"

#include <QChar>
#include <QList>

// The characters a synthetic database draws its glyphs from.

constexpr char16_t TrigramFirst = 0xEDC0; // the eight trigrams, 坤 to 乾
constexpr char16_t TrigramLast = 0xEDC7;
// The records of 檢字表 that are symbols: the operators and the trigrams.
constexpr int SymbolCount = OperatorNumbers::Count + (TrigramLast - TrigramFirst + 1);

bool IsPrivateUse(QChar c);
// A character of the first Big5 level (A440..C67E), which 常用字 marks.
bool IsFrequentBig5(QChar c);

// CJK Extension A and the unified ideographs of the BMP, in code order.
QList<QChar> CjkPool();

// The private-use characters from the code, in code order, without the operators and
// trigrams, which are symbols of their own.
QList<QChar> PrivateUsePool(char16_t first = 0xE000);
