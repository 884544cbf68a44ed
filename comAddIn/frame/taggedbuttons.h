#pragma once

#include "platform/common/result.h"
#include "platform/office/host/commandbars.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

// A bar of an add-in's buttons that are found again by their tags at the next connection,
// so that the host keeps one of each however often the add-in connects.
namespace addin
{

// One button of an add-in: what it shows and the tag it is found again by.
struct TaggedButton {
    QString caption;
    QString tag;
};

using Control = std::shared_ptr<office::CommandBarControl>;

// The bar of that name among the host's bars. A bar the host lacks is added hidden, to be
// shown when the user turns it on; a failure when the host cannot add it.
platform::Result<std::shared_ptr<office::CommandBar>> takeOrAddHiddenBar(office::CommandBars &bars,
                                                                         const QString &name);

// For each button, the control with its tag that an add-in made (Id 1) on the bar, the
// last such when there are several; nullptr when there is none. Other controls are left.
QList<Control> findOnBar(const office::CommandBar &bar, const QList<TaggedButton> &buttons);
// For each button, the host's first control with its tag on whichever bar; nullptr when
// there is none.
QList<Control> findInHost(const office::CommandBars &bars, const QList<TaggedButton> &buttons);

// Adds a caption-only button at the end of the bar, with the OnAction text when there is
// one; the first button of a bar begins a group.
Control addCaptionButton(office::CommandBar &bar, const TaggedButton &button, bool first,
                         const QString &onAction);

// Hooks button k (from 1) to the control found for it; then add(k) makes and hooks each
// button not found. The first failure of add ends it; what was hooked stays hooked.
platform::Result<bool> hookOrAdd(const QList<Control> &found,
                                 const std::function<platform::Result<bool>(int k)> &add,
                                 const std::function<void(int k, Control control)> &hook);

} // namespace addin
