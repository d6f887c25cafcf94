#pragma once

#include <QPointer>
#include <QWidget>

// A window that exists at most once: choosing its command again brings the
// same window forward. The window is made by `make` the first time (and
// again after it was closed, which deletes it).
template <typename Window, typename Make> Window *ShowSingleWindow(QPointer<Window> &slot, Make make)
{
    if (!slot) {
        slot = make();
        slot->setAttribute(Qt::WA_DeleteOnClose);
    }
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot.data();
}
