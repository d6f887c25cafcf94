#include "customers/CustomerStore.h"

#include "data/Database.h"
#include "data/NullToSpace.h"

namespace CustomerStore {

namespace {

// "" for NULL, else the trimmed text.
QString text(const Recordset &rs, const char *column)
{
    const QVariant v = rs.field(QLatin1String(column));
    return v.isNull() ? QString() : v.toString().trimmed();
}

std::optional<int> preferredPhone(const QVariant &value)
{
    if (value.isNull())
        return std::nullopt;
    bool ok = false;
    const int n = NullToSpace(value).toInt(&ok);
    if (!ok || n < 0 || n > 2)
        return std::nullopt;
    return n;
}

QVariant nullWhenEmpty(const QString &s)
{
    return s.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(s);
}

bool update(const CustomerRecord &r)
{
    const QVariant prefer = r.preferPhone ? QVariant(*r.preferPhone) : QVariant(QMetaType(QMetaType::Int));
    const qint64 changed = Database::Execute(
        QStringLiteral("update customer set firstname = ?, lastname = ?, phone1 = ?, phone2 = ?, phone3 = ?, "
                       "address1 = ?, address2 = ?, city = ?, state = ?, zipcode = ?, email = ?, PreferPhone = ? "
                       "where id = ?"),
        {r.firstName, r.lastName, r.phones[0], r.phones[1], r.phones[2], r.address1, r.address2, r.city,
         nullWhenEmpty(r.state), r.zipcode, r.email, prefer, r.id});
    return changed == 1;
}

} // namespace

std::optional<Recordset> ReadList()
{
    // Customers without a name come first on every engine, as "" would.
    const Dialect d = Database::CurrentDialect();
    return Database::GetRS(
        QStringLiteral("select id, lastname, firstname, phone1, phone2, phone3, PreferPhone, address1, zipcode "
                       "from customer order by %1, %2, id")
            .arg(d.orderText(QStringLiteral("coalesce(lastname, '')")),
                 d.orderText(QStringLiteral("coalesce(firstname, '')"))));
}

qint64 MaxCustomerId()
{
    const auto rs = Database::GetRS(QStringLiteral("select max(id) as id from customer"));
    if (!rs)
        return -1;
    const QVariant v = rs->value(0, QStringLiteral("id"));
    return v.isNull() ? 0 : v.toLongLong();
}

LoadResult Load(int id, CustomerRecord *record)
{
    const auto rs = Database::GetRS(QStringLiteral("select * from customer where id = ?"), {id});
    if (!rs)
        return LoadResult::Failed;
    if (rs->isEmpty())
        return LoadResult::NotFound;
    CustomerRecord r;
    r.id = id;
    r.firstName = NullToSpace(rs->field(QStringLiteral("firstname"))).trimmed();
    r.lastName = NullToSpace(rs->field(QStringLiteral("lastname"))).trimmed();
    r.phones[0] = NullToSpace(rs->field(QStringLiteral("phone1")));
    r.phones[1] = NullToSpace(rs->field(QStringLiteral("phone2")));
    r.phones[2] = NullToSpace(rs->field(QStringLiteral("phone3")));
    r.preferPhone = preferredPhone(rs->field(QStringLiteral("PreferPhone")));
    r.address1 = text(*rs, "Address1");
    r.address2 = text(*rs, "Address2");
    r.city = text(*rs, "city");
    r.state = text(*rs, "state");
    r.zipcode = text(*rs, "zipcode");
    r.email = text(*rs, "email");
    *record = r;
    return LoadResult::Loaded;
}

SaveResult Save(CustomerRecord *record)
{
    CustomerRecord r = *record;
    bool missing = false;
    const bool saved = Database::Transaction([&] {
        if (r.id == 0) {
            const qint64 id = Database::InsertRow(QStringLiteral("customer"), {QStringLiteral("firstname")},
                                                  {QStringLiteral("Cash Sale")});
            if (id <= 0)
                return false;
            r.id = int(id);
        }
        if (update(r))
            return true;
        missing = Database::LastError().isEmpty();
        return false;
    });
    if (!saved)
        return missing ? SaveResult::Missing : SaveResult::Failed;
    record->id = r.id;
    return SaveResult::Saved;
}

qint64 TicketCount(int id)
{
    const auto rs = Database::GetRS(QStringLiteral("select count(*) as cnt from sales where customerid = ?"), {id});
    if (!rs)
        return -1;
    return rs->value(0, QStringLiteral("cnt")).toLongLong();
}

DeleteResult Delete(int id)
{
    const qint64 n = Database::Execute(
        QStringLiteral("delete from customer where id = ? and not exists (select 1 from sales where customerid = ?)"),
        {id, id});
    if (n < 0)
        return DeleteResult::Failed;
    if (n == 0 && TicketCount(id) > 0)
        return DeleteResult::HasTickets;
    return DeleteResult::Deleted;
}

std::optional<QList<std::pair<int, QString>>> StateCodes()
{
    const auto rs = Database::GetRS(QStringLiteral("select * from State order by code"));
    if (!rs)
        return std::nullopt;
    QList<std::pair<int, QString>> codes;
    for (int r = 0; r < rs->rowCount(); ++r)
        codes.append({rs->value(r, QStringLiteral("id")).toInt(), NullToSpace(rs->value(r, QStringLiteral("code")))});
    return codes;
}

} // namespace CustomerStore
