#include "sales/TicketNumber.h"

#include <limits>

namespace TicketNumber {

std::optional<int> Parse(const QString &typed)
{
    QStringView t = QStringView(typed).trimmed();
    // The invoice prints ticket 9 as "#A0009": the marks in front of the
    // digits are read as part of the number.
    if (t.startsWith(QLatin1Char('#')))
        t = t.mid(1);
    if (t.startsWith(QLatin1Char('A'), Qt::CaseInsensitive))
        t = t.mid(1);
    if (t.isEmpty())
        return std::nullopt;
    // Only ASCII digits: QChar::isDigit would also take other scripts' digits,
    // which toInt does not read.
    qsizetype first = -1;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        if (first < 0 && c != QLatin1Char('0'))
            first = i;
    }
    if (first < 0)
        return std::nullopt; // all zeros
    // Ten digits are the most an int holds; more is no ticket, however typed.
    const QStringView digits = t.mid(first);
    if (digits.size() > 10)
        return std::nullopt;
    bool ok = false;
    const qlonglong value = digits.toLongLong(&ok);
    if (!ok || value <= 0 || value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

} // namespace TicketNumber
