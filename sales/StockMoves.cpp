#include "sales/StockMoves.h"

#include "data/Database.h"
#include "sales/Money.h"

#include <QMap>

namespace StockMoves {

namespace {

struct PartTotal
{
    QString partNumber; // as stored on the first line of that part
    Money quantity;
};

QString partKey(const QString &partNumber)
{
    QString key = partNumber.toUpper();
    while (key.endsWith(QLatin1Char(' ')))
        key.chop(1);
    return key;
}

} // namespace

bool MoveTicketStock(int salesId, int sign)
{
    const auto lines =
        Database::GetRS(QStringLiteral("select partnumber, quantity from salesitem where salesid = ?"), {salesId});
    if (!lines)
        return false;
    QMap<QString, PartTotal> byPart;
    for (int r = 0; r < lines->rowCount(); ++r) {
        const QVariant part = lines->value(r, 0);
        if (part.isNull())
            continue;
        PartTotal &total = byPart[partKey(part.toString())];
        if (total.partNumber.isNull())
            total.partNumber = part.toString();
        total.quantity += Money::fromVariant(lines->value(r, 1));
    }
    const QString match = Database::CurrentDialect().textEquals(QStringLiteral("partnumber"));
    for (const PartTotal &total : byPart) {
        if (total.quantity.isZero())
            continue;
        const double delta = sign * total.quantity.toDouble();
        if (Database::Execute(QStringLiteral("update product set qoh = coalesce(qoh, 0) + ? where %1").arg(match),
                              {delta, total.partNumber})
            < 0)
            return false;
    }
    return true;
}

} // namespace StockMoves
