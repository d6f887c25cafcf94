#include "sales/StockMoves.h"

#include "data/Database.h"
#include "data/Money.h"

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

bool isBlank(const QVariant &partNumber)
{
    return partNumber.isNull() || partNumber.toString().trimmed().isEmpty();
}

// The product a line without a part number was added from: the first one
// with its bar code, as adding by bar code picks it. 0 when none has it;
// -1 when the lookup failed.
int productOfBarcode(const QVariant &barcode)
{
    if (barcode.isNull() || barcode.toString().trimmed().isEmpty())
        return 0;
    const auto rs = Database::GetRS(QStringLiteral("select id from product where %1 order by id")
                                        .arg(Database::CurrentDialect().textEquals(QStringLiteral("barcode"))),
                                    {barcode.toString()});
    if (!rs)
        return -1;
    return rs->isEmpty() ? 0 : rs->value(0, 0).toInt();
}

bool moveStock(const QString &where, const QVariant &key, const Money &quantity, int sign)
{
    if (quantity.isZero())
        return true;
    return Database::Execute(QStringLiteral("update product set qoh = coalesce(qoh, 0) + ? where %1").arg(where),
                             {sign * quantity.toDouble(), key})
        >= 0;
}

} // namespace

bool MoveTicketStock(int salesId, int sign)
{
    const auto lines = Database::GetRS(
        QStringLiteral("select partnumber, quantity, barcode from salesitem where salesid = ? order by id"), {salesId});
    if (!lines)
        return false;
    QMap<QString, PartTotal> byPart;
    QMap<int, Money> byProduct;
    for (int r = 0; r < lines->rowCount(); ++r) {
        const QVariant part = lines->value(r, 0);
        const Money quantity = Money::fromVariant(lines->value(r, 1));
        if (isBlank(part)) {
            const int productId = productOfBarcode(lines->value(r, 2));
            if (productId < 0)
                return false;
            if (productId > 0)
                byProduct[productId] += quantity;
            continue;
        }
        PartTotal &total = byPart[partKey(part.toString())];
        if (total.partNumber.isNull())
            total.partNumber = part.toString();
        total.quantity += quantity;
    }
    const QString match = Database::CurrentDialect().textEquals(QStringLiteral("partnumber"));
    for (const PartTotal &total : byPart) {
        if (!moveStock(match, total.partNumber, total.quantity, sign))
            return false;
    }
    for (auto it = byProduct.cbegin(); it != byProduct.cend(); ++it) {
        if (!moveStock(QStringLiteral("id = ?"), it.key(), it.value(), sign))
            return false;
    }
    return true;
}

std::optional<QStringList> UnmatchedLines(int salesId)
{
    const auto lines = Database::GetRS(
        QStringLiteral("select partnumber, description from salesitem where salesid = ? order by id"), {salesId});
    if (!lines)
        return std::nullopt;
    const QString match = QStringLiteral("select count(*) from product where %1")
                              .arg(Database::CurrentDialect().textEquals(QStringLiteral("partnumber")));
    QStringList unmatched;
    for (int r = 0; r < lines->rowCount(); ++r) {
        const QVariant part = lines->value(r, 0);
        if (isBlank(part))
            continue;
        const auto products = Database::GetRS(match, {part.toString()});
        if (!products)
            return std::nullopt;
        if (products->value(0, 0).toInt() == 0)
            unmatched << QStringLiteral("line %1 (%2, %3)")
                             .arg(r + 1)
                             .arg(part.toString().trimmed(), lines->value(r, 1).toString().trimmed());
    }
    return unmatched;
}

} // namespace StockMoves
