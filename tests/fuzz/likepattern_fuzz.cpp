// Jet's LIKE matcher on any pattern and text: it ends quickly, and patterns without wildcards
// match as plain text does.
#include "fuzzsupport.h"
#include "platform/jet/likepattern.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace
{

bool holdsWildcards(std::u32string_view text)
{
    return text.find_first_of(U"*?#[") != std::u32string_view::npos;
}

QString shown(std::u32string_view text)
{
    return QString::fromUcs4(text.data(), qsizetype(text.size()));
}

} // namespace

// Input: the pattern, then the text, both UTF-8.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::u32string pattern = jet::decodeUtf8(input.ConsumeRandomLengthString());
    const std::u32string text = jet::decodeUtf8(input.ConsumeRemainingBytesAsString());

    const jet::LikePattern like(pattern);
    const bool matched = like.matches(text);
    fuzz::Check(like.isValid() || !matched, "an invalid pattern matches nothing", shown(pattern));
    if (holdsWildcards(pattern))
        return 0;
    fuzz::Check(like.isValid(), "a text without wildcards is a valid pattern", shown(pattern));
    fuzz::Check(matched == (pattern == text), "plain text matches itself only",
                shown(pattern) + u'\n' + shown(text));
    const jet::LikePattern inside(U"*" + pattern + U"*");
    fuzz::Check(inside.matches(text) == (text.find(pattern) != std::u32string::npos),
                "*text* matches where the text occurs", shown(pattern) + u'\n' + shown(text));
    return 0;
}
