#include "widgets/ButtonKey.h"

#include <QAbstractButton>
#include <QShortcut>

void BindButtonKey(QAbstractButton *button, const QKeySequence &key)
{
    // Owned by the button: the key follows the button's visibility and
    // enabled state, and lives as long as it does.
    auto *shortcut = new QShortcut(key, button);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        if (button->isVisible() && button->isEnabled())
            button->animateClick(); // pressed, then released a moment later, as by its own key
    });
}
