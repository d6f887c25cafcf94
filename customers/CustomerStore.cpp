#include "customers/CustomerStore.h"

#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/NullToSpace.h"

namespace CustomerStore {

namespace {

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

// The text a column of the search list shows (NullToSpace's blank for a
// NULL), as the engine can sort it; empty for the list's own name order.
QString listColumnText(const Dialect &d, const CustomerListOrder &order)
{
    const auto shown = [](const char *column, const char *null) {
        return QStringLiteral("coalesce(ltrim(rtrim(%1)), '%2')").arg(QLatin1String(column), QLatin1String(null));
    };
    switch (order.column) {
    case 1:
        // The stored name, as the list's own order reads it both ways.
        return order.descending ? QStringLiteral("lastname") : QString();
    case 2:
        return shown("firstname", " ");
    case 3:
        return QStringLiteral("CASE PreferPhone WHEN 0 THEN %1 WHEN 1 THEN %2 WHEN 2 THEN %3 ELSE '' END")
            .arg(shown("phone1", " "), shown("phone2", " "), shown("phone3", " "));
    case 4:
        return d.concat({shown("address1", ""), QStringLiteral("' '"), shown("zipcode", "")});
    default:
        return QString();
    }
}

// At most this many customers found by the first-name or phone box, or the
// recent ones, are looked up by id and sorted rather than walked to.
constexpr int kFewRows = 2000;

// The conditions of the boxes but the last name's; `indexed` lets the engine
// walk their own indexes.
QStringList narrowing(const Dialect &d, const CustomerFilter &filter, bool indexed, QVariantList *values)
{
    const auto column = [&](const char *name) {
        const QString c = QLatin1String(name);
        return indexed ? c : d.unindexed(c);
    };
    QStringList where;
    if (!filter.firstName.trimmed().isEmpty())
        where << d.searchKeyStartsWith(column("firstname"), filter.firstName.trimmed(), values);
    if (!filter.phone.trimmed().isEmpty())
        where << d.searchKeyStartsWith(column("phone1"), filter.phone.trimmed(), values);
    if (filter.recentOnly) {
        where << column("id") + QStringLiteral(" > ?");
        *values << filter.maxCustomerId - 100;
    }
    return where;
}

// The ids of what the boxes find when they find few customers; none when
// only the last name (walked on the name index) or nothing is asked, or
// they find many (or the read failed).
std::optional<QVariantList> fewMatches(const Dialect &d, const CustomerFilter &filter)
{
    QVariantList values;
    QStringList where;
    if (!filter.lastName.trimmed().isEmpty())
        where << d.searchKeyStartsWith(QStringLiteral("lastname"), filter.lastName.trimmed(), &values);
    const QStringList others = narrowing(d, filter, true, &values);
    if (others.isEmpty())
        return std::nullopt;
    where << others;
    const auto rs = Database::GetRS(
        d.firstRows(QStringLiteral("select id from customer where ") + where.join(QStringLiteral(" and ")),
                    kFewRows + 1),
        values);
    if (!rs || rs->rowCount() > kFewRows)
        return std::nullopt;
    QVariantList ids;
    for (int r = 0; r < rs->rowCount(); ++r)
        ids << rs->value(r, 0);
    return ids;
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

const char *columnOf(CustomerField field)
{
    static const char *const columns[] = {"firstname", "lastname", "phone1", "phone2", "phone3",  "PreferPhone",
                                          "address1",  "address2", "city",   "state",  "zipcode", "email"};
    return columns[int(field)];
}

// A field's value as the update binds it.
QVariant valueOf(const CustomerRecord &r, CustomerField field)
{
    switch (field) {
    case CustomerField::FirstName:
        return r.firstName;
    case CustomerField::LastName:
        return r.lastName;
    case CustomerField::Phone1:
        return r.phones[0];
    case CustomerField::Phone2:
        return r.phones[1];
    case CustomerField::Phone3:
        return r.phones[2];
    case CustomerField::PreferPhone:
        return r.preferPhone ? QVariant(*r.preferPhone) : QVariant(QMetaType(QMetaType::Int));
    case CustomerField::Address1:
        return r.address1;
    case CustomerField::Address2:
        return r.address2;
    case CustomerField::City:
        return r.city;
    case CustomerField::State:
        return nullWhenEmpty(r.state);
    case CustomerField::Zipcode:
        return r.zipcode;
    case CustomerField::Email:
        return r.email;
    }
    return {};
}

// Equal values; NULL equals only NULL.
bool same(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a == b;
}

constexpr CustomerField kAllFields[] = {CustomerField::FirstName, CustomerField::LastName, CustomerField::Phone1,
                                        CustomerField::Phone2,    CustomerField::Phone3,   CustomerField::PreferPhone,
                                        CustomerField::Address1,  CustomerField::Address2, CustomerField::City,
                                        CustomerField::State,     CustomerField::Zipcode,  CustomerField::Email};

} // namespace

std::optional<Recordset> ReadListPage(const CustomerFilter &filter, const CustomerListOrder &order, int offset,
                                      int limit)
{
    const Dialect d = Database::CurrentDialect();
    const QString lastName = filter.lastName.trimmed();
    QVariantList values;
    QStringList where;
    // What the other boxes find may be rare: then it is found on its own
    // index and only those rows are sorted. When it is common, the name
    // order is walked and each row checked, which stops at a page. An
    // engine that weighs its indexes by the values makes that choice itself;
    // for the others it is asked first, with a capped read of ids.
    const std::optional<QVariantList> few =
        d.weighsIndexesByValues() ? std::nullopt : fewMatches(d, filter);
    if (!few) {
        if (!lastName.isEmpty())
            where << d.searchKeyStartsWith(QStringLiteral("lastname"), lastName, &values);
        where << narrowing(d, filter, false, &values);
    } else if (few->isEmpty()) {
        where << QStringLiteral("1 = 0");
    } else {
        QStringList marks(few->size(), QStringLiteral("?"));
        where << QStringLiteral("id in (%1)").arg(marks.join(QLatin1Char(',')));
        values << *few;
    }
    QString sql = QStringLiteral("select id, lastname, firstname, phone1, phone2, phone3, PreferPhone, address1, "
                                 "zipcode from customer");
    if (!where.isEmpty())
        sql += QStringLiteral(" where ") + where.join(QStringLiteral(" and "));
    // Customers with the same text in the sorted column keep name order.
    QStringList orderBy;
    const QString sorted = listColumnText(d, order);
    if (!sorted.isEmpty())
        orderBy << d.searchOrder(sorted, order.descending);
    orderBy << d.searchOrder(QStringLiteral("lastname"), false) << d.searchOrder(QStringLiteral("firstname"), false)
            << QStringLiteral("id");
    sql += QStringLiteral(" order by ") + orderBy.join(QStringLiteral(", "));
    sql += d.pageClause(offset, limit, &values);
    return Database::GetRS(sql, values);
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
    r.address1 = rs->text(0, QStringLiteral("Address1"));
    r.address2 = rs->text(0, QStringLiteral("Address2"));
    r.city = rs->text(0, QStringLiteral("city"));
    r.state = rs->text(0, QStringLiteral("state"));
    r.zipcode = rs->text(0, QStringLiteral("zipcode"));
    r.email = rs->text(0, QStringLiteral("email"));
    *record = r;
    return LoadResult::Loaded;
}

SaveResult Save(CustomerRecord *record)
{
    CustomerRecord r = *record;
    bool missing = false;
    const bool saved = Database::Transaction([&] {
        if (r.id == 0) {
            // Its moment of entry keeps the clean-up off it for a day.
            const qint64 id = Database::InsertRow(QStringLiteral("customer"),
                                                  {QStringLiteral("firstname"), QStringLiteral("created")},
                                                  {QStringLiteral("Cash Sale"), DateText::toDb(Clock::now())});
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

QList<CustomerField> ChangedFields(const CustomerRecord &before, const CustomerRecord &after)
{
    QList<CustomerField> changed;
    for (const CustomerField f : kAllFields) {
        if (!same(valueOf(before, f), valueOf(after, f)))
            changed.append(f);
    }
    return changed;
}

QString FieldLabel(CustomerField field)
{
    switch (field) {
    case CustomerField::FirstName:
        return QStringLiteral("First Name");
    case CustomerField::LastName:
        return QStringLiteral("Last Name");
    case CustomerField::Phone1:
        return QStringLiteral("Home phone");
    case CustomerField::Phone2:
        return QStringLiteral("Work phone");
    case CustomerField::Phone3:
        return QStringLiteral("Cell phone");
    case CustomerField::PreferPhone:
        return QStringLiteral("Preferred phone");
    case CustomerField::Address1:
        return QStringLiteral("Address");
    case CustomerField::Address2:
        return QStringLiteral("Address (second line)");
    case CustomerField::City:
        return QStringLiteral("City");
    case CustomerField::State:
        return QStringLiteral("State");
    case CustomerField::Zipcode:
        return QStringLiteral("Zip");
    case CustomerField::Email:
        return QStringLiteral("Email");
    }
    return QString();
}

SaveResult SaveChanges(const CustomerRecord &loaded, const CustomerRecord &edited, const QList<CustomerField> &changed,
                       QList<CustomerField> *changedElsewhere)
{
    if (changedElsewhere)
        changedElsewhere->clear();
    QList<CustomerField> conflicts;
    const SaveResult result = Database::TransactionOutcome(SaveResult::Saved, SaveResult::Failed, [&] {
        conflicts.clear();
        // A no-op update takes the row first, so the comparison below and the
        // write after it see the same row on every engine: a save at another
        // counter waits until this one is done, then finds what it wrote.
        const qint64 held = Database::Execute(QStringLiteral("update customer set firstname = firstname where id = ?"),
                                              {loaded.id});
        if (held < 0)
            return SaveResult::Failed;
        if (held == 0)
            return SaveResult::Missing;
        CustomerRecord now;
        if (Load(loaded.id, &now) != LoadResult::Loaded)
            return SaveResult::Failed;
        for (const CustomerField f : changed) {
            const QVariant stored = valueOf(now, f);
            if (!same(stored, valueOf(loaded, f)) && !same(stored, valueOf(edited, f)))
                conflicts.append(f);
        }
        if (!conflicts.isEmpty())
            return SaveResult::ChangedElsewhere;
        if (!changed.isEmpty()) {
            QStringList sets;
            QVariantList values;
            for (const CustomerField f : changed) {
                sets << QStringLiteral("%1 = ?").arg(QLatin1String(columnOf(f)));
                values << valueOf(edited, f);
            }
            values << loaded.id;
            if (Database::Execute(
                    QStringLiteral("update customer set %1 where id = ?").arg(sets.join(QStringLiteral(", "))), values)
                != 1)
                return SaveResult::Failed;
        }
        return SaveResult::Saved;
    });
    if (changedElsewhere)
        *changedElsewhere = conflicts;
    return result;
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
