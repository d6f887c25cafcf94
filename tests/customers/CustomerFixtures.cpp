#include "tests/customers/CustomerFixtures.h"

#include "data/Database.h"
#include "data/Recordset.h"

namespace CustomerFixtures {

int AddCustomer(const QString &first, const QString &last, const QString &phone1, int preferPhone)
{
    return int(
        Database::InsertRow(QStringLiteral("customer"),
                            {QStringLiteral("firstname"), QStringLiteral("lastname"), QStringLiteral("phone1"),
                             QStringLiteral("PreferPhone"), QStringLiteral("address1"), QStringLiteral("zipcode")},
                            {first, last, phone1, preferPhone, QStringLiteral("1 Main St"), QStringLiteral("78701")}));
}

int AddTicket(int customerId, const QString &status)
{
    return int(Database::InsertRow(QStringLiteral("sales"), {QStringLiteral("customerid"), QStringLiteral("status")},
                                   {customerId, status}));
}

int CustomerCount()
{
    const auto rs = Database::GetRS(QStringLiteral("select count(*) as n from customer"));
    return rs ? rs->value(0, 0).toInt() : -1;
}

void RefuseChanges(Engine engine)
{
    if (engine == Engine::SQLite) {
        for (const char *event : {"UPDATE", "DELETE"}) {
            Database::Execute(QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE %1 ON customer "
                                             "BEGIN SELECT RAISE(ABORT, 'changes refused'); END")
                                  .arg(QLatin1String(event)));
        }
        return;
    }
    Database::Execute(QStringLiteral("CREATE OR REPLACE FUNCTION refuse_change() RETURNS trigger LANGUAGE plpgsql "
                                     "AS $$ BEGIN RAISE EXCEPTION 'changes refused'; END $$"));
    Database::Execute(QStringLiteral("CREATE TRIGGER refuse_change BEFORE UPDATE OR DELETE ON customer "
                                     "FOR EACH ROW EXECUTE FUNCTION refuse_change()"));
}

void AllowChanges(Engine engine)
{
    if (engine == Engine::SQLite) {
        Database::Execute(QStringLiteral("DROP TRIGGER IF EXISTS refuse_UPDATE"));
        Database::Execute(QStringLiteral("DROP TRIGGER IF EXISTS refuse_DELETE"));
    } else {
        Database::Execute(QStringLiteral("DROP TRIGGER IF EXISTS refuse_change ON customer"));
    }
}

} // namespace CustomerFixtures
