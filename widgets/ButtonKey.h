#pragma once

#include <QKeySequence>

class QAbstractButton;

// Gives a button a key of its own that presses it as a click would, whatever
// caption the button shows later. A button's own shortcut is replaced by its
// caption's mnemonic each time the caption is set (a button without "&" in
// its new caption loses its key), so a button whose caption changes, such as
// "Finalize Ticket" / "Re-Open Ticket", keeps its key only this way.
//
// The key works while the button is visible and enabled in the active
// window, as a button's own shortcut does.
void BindButtonKey(QAbstractButton *button, const QKeySequence &key);
