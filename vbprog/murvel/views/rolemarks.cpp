#include "vbprog/murvel/views/rolemarks.h"

#include "vbprog/murvel/core/formula.h"

namespace
{

// The character at a position, upper-cased; nothing past the end.
QChar letterAt(const QString &text, int position)
{
    return position < text.size() ? text.at(position).toUpper() : QChar();
}

} // namespace

ComponentRole MarkComponentRole(const QString &analysis, int position, int operatorIndex)
{
    const QChar c1 = letterAt(analysis, position + 1);
    const QChar c2 = letterAt(analysis, position + 2);
    switch (c1.unicode()) {
    case u'G':
    case u'M':
        return c2 == u'V' ? ComponentRole{RoleMarks::AlsoPhonetic, 2} : ComponentRole{0, 1};
    case u'V':
        return {RoleMarks::Phonetic, 1};
    case u'T':
    case u'U':
        return {RoleMarks::None, 1};
    case u'-':
        if (c2 == u'+')
            return {RoleMarks::AbbreviatedAlsoPhonetic, 3};
        if (c2 == u'V')
            return {RoleMarks::AbbreviatedPhonetic, 2};
        if (c2 == u'G' || c2 == u'M')
            return {RoleMarks::Abbreviated, 2};
        return {RoleMarks::Abbreviated, 1};
    case u'+':
        return {RoleMarks::AlsoPhonetic, 2};
    case u'R':
        return {RoleMarks::Reversed, 1};
    case u'I':
        return {RoleMarks::Inverted, 1};
    case u'H':
        return {RoleMarks::Half, 1};
    default:
        break;
    }
    const int repeats = PrefixRepeatCount(operatorIndex);
    return {repeats > 0 ? RoleMarks::Twice + repeats - 2 : RoleMarks::None, 0};
}
