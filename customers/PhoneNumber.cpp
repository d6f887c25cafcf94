#include "customers/PhoneNumber.h"

namespace PhoneNumber {

std::array<QString, 3> Split(const QString &stored)
{
    return {stored.left(3).trimmed(), stored.mid(3, 3).trimmed(), stored.mid(6, 4).trimmed()};
}

QString Join(const QString &area, const QString &exchange, const QString &line)
{
    return area.trimmed() + exchange.trimmed() + line.trimmed();
}

} // namespace PhoneNumber
