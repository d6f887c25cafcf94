#pragma once

#include <QCursor>
#include <QGuiApplication>

// Shows the wait pointer for as long as it lives, over every window of the
// program. It needs Qt Gui alone, so the report run, which opens no window of
// its own, shows it too; without a Gui application (a command-line run) it
// does nothing.
class WaitPointer
{
public:
    WaitPointer() : m_shown(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
    {
        if (m_shown)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~WaitPointer()
    {
        if (m_shown)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitPointer(const WaitPointer &) = delete;
    WaitPointer &operator=(const WaitPointer &) = delete;

private:
    bool m_shown;
};
