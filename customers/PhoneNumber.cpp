#include "customers/PhoneNumber.h"

namespace PhoneNumber {

std::array<QString, 3> Split(const QString &stored)
{
    return {stored.left(3).trimmed(), stored.mid(3, 3).trimmed(), stored.mid(6, 4).trimmed()};
}

std::optional<std::array<QString, 3>> SplitWritten(const QString &text)
{
    QString digits;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
        else if (!c.isSpace() && !QStringLiteral("()-.+").contains(c))
            return std::nullopt;
    }
    if (digits.size() == 11 && digits.startsWith(QLatin1Char('1')))
        digits.remove(0, 1);
    if (digits.size() != 10)
        return std::nullopt;
    return Split(digits);
}

QString Join(const QString &area, const QString &exchange, const QString &line)
{
    return area.trimmed() + exchange.trimmed() + line.trimmed();
}

} // namespace PhoneNumber
