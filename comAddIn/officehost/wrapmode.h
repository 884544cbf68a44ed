#pragma once

#include <QString>
#include <QTextOption>

namespace officehost
{

// The longest run of text without a line-break opportunity that the window wraps at word
// boundaries; no word of a real language comes near it.
inline constexpr int kLongestWrappedWord = 1000;

// How the window wraps the text: at word boundaries, or anywhere when the text holds a
// run longer than kLongestWrappedWord with no break opportunity (a "word" of a million
// letters). Qt lays such a run out in time that grows with the square of its length when
// it looks for word boundaries, and in linear time when it breaks anywhere.
QTextOption::WrapMode wrapModeFor(const QString &text);

} // namespace officehost
