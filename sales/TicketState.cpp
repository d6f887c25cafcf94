#include "sales/TicketState.h"

TicketState TicketStateOf(const QString &status)
{
    const QString s = status.trimmed().toUpper();
    if (s == QLatin1String("OPEN"))
        return TicketState::Open;
    if (s == QLatin1String("CLOSE"))
        return TicketState::Closed;
    return TicketState::Other;
}

QString FormatTicketNumber(qint64 id)
{
    return QStringLiteral("%1").arg(id, 4, 10, QLatin1Char('0'));
}
