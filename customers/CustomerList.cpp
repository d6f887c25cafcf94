#include "customers/CustomerList.h"

#include "data/NullToSpace.h"
#include "data/Recordset.h"

namespace CustomerListRows {
namespace {

QString preferredPhone(const Recordset &rs, int row, int preferColumn, const int phoneColumns[3])
{
    bool ok = false;
    const int which = NullToSpace(rs.value(row, preferColumn)).toInt(&ok);
    if (!ok || which < 0 || which > 2)
        return QString();
    return NullToSpace(rs.value(row, phoneColumns[which]));
}

} // namespace
} // namespace CustomerListRows

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
        e.phone = CustomerListRows::preferredPhone(rs, r, prefer, phones);
        e.address = NullToSpace(rs.value(r, address)).trimmed() + QLatin1Char(' ')
            + NullToSpace(rs.value(r, zip)).trimmed();
        list.m_entries.push_back(std::move(e));
    }
    return list;
}
