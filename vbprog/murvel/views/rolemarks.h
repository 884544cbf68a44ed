#pragma once

#include <QString>

// The roles that the letters after a component of an ancient-script analysis (解形) give it,
// as mark numbers: the index of the mark's picture in a list's mark table.
namespace RoleMarks
{
constexpr int None = 0;
constexpr int Phonetic = 7;                 // 聲
constexpr int Abbreviated = 9;              // 省
constexpr int AbbreviatedPhonetic = 12;     // 省聲
constexpr int AlsoPhonetic = 15;            // 亦聲
constexpr int AbbreviatedAlsoPhonetic = 16; // 省亦聲
constexpr int Reversed = 17;                // 反
constexpr int Inverted = 18;                // 倒
constexpr int Half = 19;                    // 半
constexpr int Twice = 20;                   // 二; 三 and 四 follow
constexpr int Count = 23;                   // marks 0..22
} // namespace RoleMarks

// The mark of the component at `position` (0-based) of an analysis and how many characters
// after it the role letters take.
struct ComponentRole {
    int mark = RoleMarks::None;
    int consumed = 0;
};

// Reads the role letters after the component at `position`, without regard to case: V
// phonetic, GV or MV also phonetic, - abbreviated (-V phonetic, -+ also phonetic), + also
// phonetic, R reversed, I inverted, H half; G, M, T and U alone give no mark. Without a role
// letter, a component repeated by operator `operatorIndex` (4..11) gets the mark of its
// repeat count, 二, 三 or 四; any other index gives none. -+ takes three characters and +
// two, one more than their letters.
ComponentRole MarkComponentRole(const QString &analysis, int position, int operatorIndex);
