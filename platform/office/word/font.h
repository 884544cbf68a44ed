#pragma once

#include <QString>
#include <optional>

namespace word
{

// The character formatting of a range, as a value: reading a range's font gives a
// duplicate that stays as it was while the range changes, and setting it applies every
// property that holds a value (an empty name or a size of 0 keeps the range's own). A
// property is empty when the range mixes several values.
struct Font {
    // The colour Word calls automatic; other colours are 0x00BBGGRR.
    static constexpr int automaticColor = -16777216;
    // Underline styles: 0 none, 1 single; the others keep the document's own style.
    static constexpr int underlineNone = 0;
    static constexpr int underlineSingle = 1;

    std::optional<QString> name;
    std::optional<double> size; // points
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<int> underline;
    std::optional<bool> strikeThrough;
    std::optional<int> color;
    std::optional<bool> hidden;

    Font duplicate() const { return *this; }
    bool operator==(const Font &) const = default;
};

} // namespace word
