#include "timeclock/EmployeeStore.h"

#include "data/AuditLog.h"
#include "data/Database.h"

namespace EmployeeStore {

namespace {
QString orderClause(Order order)
{
    if (order == Order::ByLastName)
        return QStringLiteral("order by lastname, id");
    const Dialect d = Database::CurrentDialect();
    return QStringLiteral("order by %1, %2, id")
        .arg(d.orderText(QStringLiteral("coalesce(lastname, '')")),
             d.orderText(QStringLiteral("coalesce(firstname, '')")));
}

EmployeeRecord recordFrom(const Recordset &rs, int r)
{
    EmployeeRecord e;
    e.id = rs.value(r, QStringLiteral("id")).toInt();
    e.firstName = rs.text(r, QStringLiteral("firstname"));
    e.lastName = rs.text(r, QStringLiteral("lastname"));
    e.title = rs.text(r, QStringLiteral("title"));
    e.pin = rs.text(r, QStringLiteral("pin"));
    const QVariant active = rs.value(r, QStringLiteral("active"));
    e.active = active.isNull() || active.toInt() != 0;
    const QVariant rate = rs.value(r, QStringLiteral("paynormal"));
    if (!rate.isNull())
        e.payNormal = Money::fromVariant(rate);
    return e;
}
} // namespace

std::optional<Recordset> List(Order order)
{
    return Database::GetRS(QStringLiteral("select * from employee ") + orderClause(order));
}

std::optional<QList<EmployeeRecord>> Records(Order order)
{
    const std::optional<Recordset> rs = List(order);
    if (!rs)
        return std::nullopt;
    QList<EmployeeRecord> records;
    records.reserve(rs->rowCount());
    for (int r = 0; r < rs->rowCount(); ++r)
        records.append(recordFrom(*rs, r));
    return records;
}

std::optional<EmployeeRecord> Load(int employeeId)
{
    const auto rs = Database::GetRS(QStringLiteral("select * from employee where id = ?"), {employeeId});
    if (!rs || rs->isEmpty())
        return std::nullopt;
    return recordFrom(*rs, 0);
}

std::optional<Recordset> Listed(bool withOpenRows)
{
    const QString listed = withOpenRows
        ? QStringLiteral("(select id, lastname, firstname, title from vw_employee "
                         "union select id, lastname, firstname, title from employee "
                         "where id in (select employeeid from TimeInOut where timeout is null))")
        : QStringLiteral("vw_employee");
    return Database::GetRS(QStringLiteral("select * from %1 listed ").arg(listed) + orderClause(Order::ByName));
}

namespace {

// An employee row for the audit log: everything but the PIN itself, which
// is only said to have changed.
QString recordText(const EmployeeRecord &e)
{
    return QStringLiteral("firstname=%1 | lastname=%2 | title=%3 | active=%4 | paynormal=%5")
        .arg(e.firstName, e.lastName, e.title, e.active ? QStringLiteral("1") : QStringLiteral("0"),
             e.payNormal ? e.payNormal->toDbText() : QString());
}

QString changeText(const EmployeeRecord &before, const EmployeeRecord &after)
{
    QString text = QStringLiteral("before: %1\nafter: %2").arg(recordText(before), recordText(after));
    if (before.pin != after.pin.trimmed())
        text += QStringLiteral("\nthe PIN was changed");
    return text;
}

} // namespace

bool Save(const EmployeeRecord &e)
{
    return Database::Transaction([&] {
        const std::optional<EmployeeRecord> before = Load(e.id);
        if (!before)
            return false;
        const QVariant rate = e.payNormal ? QVariant(e.payNormal->toDouble()) : QVariant();
        if (Database::Execute(QStringLiteral("update employee set title = ?, pin = ?, firstname = ?, lastname = ?, "
                                             "active = ?, paynormal = ? where id = ?"),
                              {e.title.trimmed(), e.pin.trimmed(), e.firstName.trimmed(), e.lastName.trimmed(),
                               e.active ? 1 : 0, rate, e.id})
            != 1)
            return false;
        const std::optional<EmployeeRecord> after = Load(e.id);
        if (!after)
            return false;
        const QString change = changeText(*before, *after);
        // Leaving the PIN box unchanged saves too: only a change is recorded.
        return (recordText(*before) == recordText(*after) && before->pin == after->pin)
            || AuditLog::Record(AuditLog::kEmployeeChanged, AuditLog::EmployeeSubject(e.id), change);
    });
}

int AddNew()
{
    int added = 0;
    Database::Transaction([&] {
        const qint64 id = Database::InsertRow(
            QStringLiteral("employee"),
            {QStringLiteral("firstname"), QStringLiteral("lastname"), QStringLiteral("pin")},
            {QStringLiteral("first name"), QStringLiteral("last name"), QStringLiteral("9527")});
        if (id <= 0 || !AuditLog::Record(AuditLog::kEmployeeAdded, AuditLog::EmployeeSubject(int(id))))
            return false;
        added = int(id);
        return true;
    });
    return added;
}

} // namespace EmployeeStore
