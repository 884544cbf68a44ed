#pragma once

#include <QList>
#include <QString>
#include <functional>

class ChildWindows;

// Sends a glyph to the open analysis views, in the order structure, variant characters,
// evolution, index, variant components; a view is told only while its open flag is set,
// and never when its kind is in skippedKinds. The glyph text is asked for afresh before
// each call, since a view may change what the caller shows.
void BroadcastGlyph(const ChildWindows &childWindows, const QString &face,
                    const std::function<QString()> &glyph, qint32 number,
                    const QList<int> &skippedKinds = {});
