#include "reports/InventoryData.h"

#include "data/Database.h"
#include "reports/ReportRun.h"

InventoryData InventoryData::read()
{
    const Dialect d = Database::CurrentDialect();
    std::optional<Recordset> rows = Database::GetRS(
        QStringLiteral("SELECT category, modelnumber, description, qoh, msrp, price, cost, gm, reserve, available "
                       "FROM vw_product_available ORDER BY %1, %2, id")
            .arg(d.orderText(QStringLiteral("coalesce(category, '')")),
                 d.orderText(QStringLiteral("coalesce(modelnumber, '')"))));
    if (!rows)
        throw ReportFailure(Database::LastReason());
    return {std::move(*rows)};
}
