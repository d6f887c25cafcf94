#include "maintenance/DatabaseCleanup.h"

#include "data/AuditLog.h"
#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"

#include <QStringList>
#include <algorithm>

namespace DatabaseCleanup {

namespace {

const QString kRemovable = QStringLiteral("not exists (select 1 from sales where sales.customerid = customer.id) "
                                          "and (customer.created is null or customer.created <= ?)");

// Entered before this moment: a day old at least.
QString dayAgo()
{
    return DateText::toDb(Clock::now().addSecs(-24 * 60 * 60));
}

// Bound ids per statement: far below what every engine takes.
constexpr int kBatch = 500;

} // namespace

std::optional<QList<int>> CustomersWithoutTickets()
{
    const auto rs = Database::GetRS(
        QStringLiteral("select id from customer where ") + kRemovable + QStringLiteral(" order by id"), {dayAgo()});
    if (!rs)
        return std::nullopt;
    QList<int> ids;
    for (int r = 0; r < rs->rowCount(); ++r)
        ids << rs->value(r, 0).toInt();
    return ids;
}

std::optional<int> RemoveCustomers(const QList<int> &counted)
{
    int removed = 0;
    const bool committed = Database::Transaction([&] {
        removed = 0;
        const QString since = dayAgo();
        for (qsizetype first = 0; first < counted.size(); first += kBatch) {
            const qsizetype n = std::min<qsizetype>(kBatch, counted.size() - first);
            QStringList marks;
            QVariantList params{since};
            for (qsizetype i = 0; i < n; ++i) {
                marks << QStringLiteral("?");
                params << counted[first + i];
            }
            const qint64 deleted = Database::Execute(
                QStringLiteral("delete from customer where ") + kRemovable
                    + QStringLiteral(" and id in (%1)").arg(marks.join(QLatin1Char(','))),
                params);
            if (deleted < 0)
                return false;
            removed += int(deleted);
        }
        return AuditLog::Record(AuditLog::kCleanup, QString(),
                                QStringLiteral("%1 customers without a ticket removed").arg(removed));
    });
    if (!committed)
        return std::nullopt;
    return removed;
}

} // namespace DatabaseCleanup
