#include "maintenance/DatabaseCleanup.h"

#include "data/Database.h"

namespace DatabaseCleanup {

namespace {
const QString kWithoutTickets =
    QStringLiteral("not exists (select 1 from sales where sales.customerid = customer.id)");
}

std::optional<int> CountCustomersWithoutTickets()
{
    const auto rs = Database::GetRS(QStringLiteral("select count(*) from customer where ") + kWithoutTickets);
    if (!rs)
        return std::nullopt;
    return rs->value(0, 0).toInt();
}

std::optional<int> RemoveCustomersWithoutTickets()
{
    int removed = 0;
    const bool committed = Database::Transaction([&] {
        const qint64 n = Database::Execute(QStringLiteral("delete from customer where ") + kWithoutTickets);
        if (n < 0)
            return false;
        removed = int(n);
        return true;
    });
    if (!committed)
        return std::nullopt;
    return removed;
}

} // namespace DatabaseCleanup
