#pragma once

#include <QString>

namespace porvex
{

// A message box's two texts, named so that a title and a text cannot change places.
struct Message {
    QString title;
    QString text;
};

} // namespace porvex
