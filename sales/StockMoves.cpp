#include "sales/StockMoves.h"

#include "data/Database.h"

namespace StockMoves {

namespace {

QString blankPartNumber(const QString &column)
{
    return QStringLiteral("coalesce(rtrim(%1), '') = ''").arg(column);
}

// Each product's share of the ticket's lines (binds the ticket twice): a
// line with a part number counts for every product of that part, a line
// without one for the first product with its bar code, as adding by bar
// code picks it. Products whose lines add up to nothing are left out.
QString productQuantities()
{
    const Dialect d = Database::CurrentDialect();
    const QString blank = blankPartNumber(QStringLiteral("si.partnumber"));
    const QString lineBarcode = d.textKey(QStringLiteral("si.barcode"));
    return QStringLiteral("SELECT m.productid, sum(m.quantity) AS quantity FROM ("
                          "SELECT p.id AS productid, coalesce(si.quantity, 0) AS quantity "
                          "FROM salesitem si JOIN product p ON %1 = %2 WHERE si.salesid = ? AND NOT (%3) "
                          "UNION ALL "
                          "SELECT (SELECT min(px.id) FROM product px WHERE %4 = %5 AND %5 <> '') AS productid, "
                          "coalesce(si.quantity, 0) AS quantity FROM salesitem si WHERE si.salesid = ? AND %3) m "
                          "WHERE m.productid IS NOT NULL GROUP BY m.productid HAVING sum(m.quantity) <> 0")
        .arg(d.textKey(QStringLiteral("p.partnumber")), d.textKey(QStringLiteral("si.partnumber")), blank,
             d.textKey(QStringLiteral("px.barcode")), lineBarcode);
}

} // namespace

QString MoveStatement()
{
    return QStringLiteral("UPDATE product SET qoh = coalesce(qoh, 0) + ? * d.quantity "
                          "FROM (%1) d WHERE product.id = d.productid")
        .arg(productQuantities());
}

bool MoveTicketStock(int salesId, int sign)
{
    return Database::Execute(MoveStatement(), {sign, salesId, salesId}) >= 0;
}

std::optional<QStringList> UnmatchedLines(int salesId)
{
    const Dialect d = Database::CurrentDialect();
    const auto lines = Database::GetRS(
        QStringLiteral("SELECT si.partnumber, si.description, CASE WHEN %1 THEN 0 WHEN EXISTS (SELECT 1 FROM product "
                       "p WHERE %2 = %3) THEN 0 ELSE 1 END AS unmatched FROM salesitem si WHERE si.salesid = ? "
                       "ORDER BY si.id")
            .arg(blankPartNumber(QStringLiteral("si.partnumber")), d.textKey(QStringLiteral("p.partnumber")),
                 d.textKey(QStringLiteral("si.partnumber"))),
        {salesId});
    if (!lines)
        return std::nullopt;
    QStringList unmatched;
    for (int r = 0; r < lines->rowCount(); ++r) {
        if (lines->value(r, 2).toInt() == 1)
            unmatched << QStringLiteral("line %1 (%2, %3)")
                             .arg(r + 1)
                             .arg(lines->text(r, QStringLiteral("partnumber")),
                                  lines->text(r, QStringLiteral("description")));
    }
    return unmatched;
}

} // namespace StockMoves
