#pragma once

#include <QString>

// A ticket is open or closed; the stored status is compared trimmed and
// upper-cased ("open" counts as open). Anything else is neither: it shows as
// not open, can't be finalized and can't be re-opened.
enum class TicketState { Open, Closed, Other };

TicketState TicketStateOf(const QString &status);

// The stored spellings.
inline QString OpenStatus()
{
    return QStringLiteral("Open");
}
inline QString CloseStatus()
{
    return QStringLiteral("Close");
}

// The ticket number as it is shown: at least four digits (7 → 0007).
QString FormatTicketNumber(qint64 id);
