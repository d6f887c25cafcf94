#include "customers/CustomerList.h"

#include "data/NullToSpace.h"
#include "data/Recordset.h"

namespace {

QString key(const QString &text)
{
    return text.trimmed().toCaseFolded();
}

// An empty box asks nothing, not even that the column holds something.
bool hasPrefix(const QString &key, const QString &prefix)
{
    return prefix.isEmpty() || key.startsWith(prefix);
}

QString preferredPhone(const Recordset &rs, int row, int preferColumn, const int phoneColumns[3])
{
    bool ok = false;
    const int which = NullToSpace(rs.value(row, preferColumn)).toInt(&ok);
    if (!ok || which < 0 || which > 2)
        return QString();
    return NullToSpace(rs.value(row, phoneColumns[which]));
}

} // namespace

CustomerFilter CustomerFilter::normalized() const
{
    CustomerFilter f = *this;
    f.lastName = key(lastName);
    f.firstName = key(firstName);
    f.phone = key(phone);
    return f;
}

bool CustomerFilter::matchesNormalized(const CustomerListEntry &e) const
{
    if (recentOnly && e.id <= maxCustomerId - 100)
        return false;
    return hasPrefix(e.lastKey, lastName) && hasPrefix(e.firstKey, firstName) && hasPrefix(e.phoneKey, phone);
}

bool CustomerFilter::narrows(const CustomerFilter &wider) const
{
    if (wider.recentOnly && (!recentOnly || wider.maxCustomerId != maxCustomerId))
        return false;
    return lastName.startsWith(wider.lastName) && firstName.startsWith(wider.firstName)
        && phone.startsWith(wider.phone);
}

void CustomerList::append(CustomerListEntry e)
{
    e.lastKey = key(e.lastName);
    e.firstKey = key(e.firstName);
    e.phoneKey = key(e.phone1);
    m_entries.push_back(std::move(e));
}

CustomerList CustomerList::fromRecordset(const Recordset &rs)
{
    const int id = rs.columnIndex(QStringLiteral("id"));
    const int last = rs.columnIndex(QStringLiteral("lastname"));
    const int first = rs.columnIndex(QStringLiteral("firstname"));
    const int phones[3] = {rs.columnIndex(QStringLiteral("phone1")), rs.columnIndex(QStringLiteral("phone2")),
                           rs.columnIndex(QStringLiteral("phone3"))};
    const int prefer = rs.columnIndex(QStringLiteral("PreferPhone"));
    const int address = rs.columnIndex(QStringLiteral("address1"));
    const int zip = rs.columnIndex(QStringLiteral("zipcode"));
    CustomerList list;
    list.m_entries.reserve(size_t(rs.rowCount()));
    for (int r = 0; r < rs.rowCount(); ++r) {
        CustomerListEntry e;
        e.id = rs.value(r, id).toInt();
        e.lastName = NullToSpace(rs.value(r, last)).trimmed();
        e.firstName = NullToSpace(rs.value(r, first));
        e.phone = preferredPhone(rs, r, prefer, phones);
        e.address = NullToSpace(rs.value(r, address)).trimmed() + QLatin1Char(' ')
            + NullToSpace(rs.value(r, zip)).trimmed();
        e.phone1 = rs.value(r, phones[0]).toString();
        list.append(std::move(e));
    }
    return list;
}

std::vector<int> CustomerList::select(const CustomerFilter &filter, const std::vector<int> *within) const
{
    const CustomerFilter f = filter.normalized();
    std::vector<int> hits;
    if (within) {
        hits.reserve(within->size());
        for (const int i : *within) {
            if (f.matchesNormalized(m_entries[size_t(i)]))
                hits.push_back(i);
        }
        return hits;
    }
    hits.reserve(m_entries.size());
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (f.matchesNormalized(m_entries[i]))
            hits.push_back(int(i));
    }
    return hits;
}
