#include "data/ExactDecimal.h"

QString ExactDecimal::text() const
{
    const bool negative = units < 0;
    const quint64 magnitude = negative ? 0 - quint64(units) : quint64(units);
    QString t = QString::number(magnitude);
    if (digits > 0) {
        t = t.rightJustified(digits + 1, QLatin1Char('0'));
        t.insert(t.size() - digits, QLatin1Char('.'));
    }
    return negative ? QLatin1Char('-') + t : t;
}
