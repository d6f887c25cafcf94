#include "timeclock/EmployeeStore.h"

#include "data/Database.h"

namespace EmployeeStore {

std::optional<Recordset> List()
{
    const Dialect d = Database::CurrentDialect();
    return Database::GetRS(QStringLiteral("select * from employee order by %1, %2, id")
                               .arg(d.orderText(QStringLiteral("coalesce(lastname, '')")),
                                    d.orderText(QStringLiteral("coalesce(firstname, '')"))));
}

std::optional<EmployeeRecord> Load(int employeeId)
{
    const auto rs = Database::GetRS(QStringLiteral("select * from employee where id = ?"), {employeeId});
    if (!rs || rs->isEmpty())
        return std::nullopt;
    EmployeeRecord e;
    e.id = employeeId;
    e.firstName = rs->text(0, QStringLiteral("firstname"));
    e.lastName = rs->text(0, QStringLiteral("lastname"));
    e.title = rs->text(0, QStringLiteral("title"));
    e.pin = rs->text(0, QStringLiteral("pin"));
    const QVariant active = rs->value(0, QStringLiteral("active"));
    e.active = active.isNull() || active.toInt() != 0;
    const QVariant rate = rs->value(0, QStringLiteral("paynormal"));
    if (!rate.isNull())
        e.payNormal = Money::fromVariant(rate);
    return e;
}

bool Save(const EmployeeRecord &e)
{
    return Database::Transaction([&] {
        const QVariant rate = e.payNormal ? QVariant(e.payNormal->toDouble()) : QVariant();
        return Database::Execute(QStringLiteral("update employee set title = ?, pin = ?, firstname = ?, lastname = ?, "
                                                "active = ?, paynormal = ? where id = ?"),
                                 {e.title.trimmed(), e.pin.trimmed(), e.firstName.trimmed(), e.lastName.trimmed(),
                                  e.active ? 1 : 0, rate, e.id})
            == 1;
    });
}

int AddNew()
{
    const qint64 id = Database::InsertRow(QStringLiteral("employee"),
                                          {QStringLiteral("firstname"), QStringLiteral("lastname"), QStringLiteral("pin")},
                                          {QStringLiteral("first name"), QStringLiteral("last name"),
                                           QStringLiteral("9527")});
    return id > 0 ? int(id) : 0;
}

} // namespace EmployeeStore
