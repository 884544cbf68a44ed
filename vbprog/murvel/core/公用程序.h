#pragma once

#include <QString>

// Converters of stored codes into the texts that the glyph attribute panel and the views show.

// 字形 of the radical with this 編號 in 康熙部首 (through gRs康熙部首, whose index becomes
// 編號); the empty text when there is none. Numbers are 32-bit: none is narrowed onto another.
QString KangxiRadicalGlyph(qint32 number);

// The same in 說文部首, through gRs說文部首.
QString ShuowenRadicalGlyph(qint32 number);

// A 注音 reading written with its tone: the last character, the tone digit, is taken off;
// "2", "3" and "4" put "ˊ", "ˇ" and "ˋ" after the reading, "5" puts "˙" before it, "1" and
// any other character add no mark. The empty text gives the empty text.
QString ZhuyinToneMarks(const QString &reading);

// The Cangjie radicals of a code, one per letter (A 日, B 月, ... Z 重), without separators.
// Lower-case letters count as their capitals; any other character has no radical and is
// left out.
QString CangjieCodeToRadicals(const QString &code);
