#include "exchange/ExchangeTable.h"

#include <QHash>

namespace ExchangeTable {

namespace {

// A header as it is compared: lower case, without blanks.
QString headerKey(const QString &header)
{
    QString key;
    for (const QChar c : header) {
        if (!c.isSpace())
            key += c.toLower();
    }
    return key;
}

// The other names a column goes by in shops' spreadsheets, lower case, no blanks.
const QHash<QString, QString> &aliases(Table table)
{
    static const QHash<QString, QString> customers = {
        {QStringLiteral("first"), QStringLiteral("firstname")},
        {QStringLiteral("last"), QStringLiteral("lastname")},
        {QStringLiteral("surname"), QStringLiteral("lastname")},
        {QStringLiteral("phone"), QStringLiteral("phone1")},
        {QStringLiteral("homephone"), QStringLiteral("phone1")},
        {QStringLiteral("workphone"), QStringLiteral("phone2")},
        {QStringLiteral("cellphone"), QStringLiteral("phone3")},
        {QStringLiteral("cell"), QStringLiteral("phone3")},
        {QStringLiteral("mobile"), QStringLiteral("phone3")},
        {QStringLiteral("address"), QStringLiteral("address1")},
        {QStringLiteral("zip"), QStringLiteral("zipcode")},
        {QStringLiteral("postalcode"), QStringLiteral("zipcode")},
        {QStringLiteral("e-mail"), QStringLiteral("email")},
    };
    static const QHash<QString, QString> products = {
        {QStringLiteral("upc"), QStringLiteral("barcode")},
        {QStringLiteral("barcode/upc"), QStringLiteral("barcode")},
        {QStringLiteral("cat."), QStringLiteral("category")},
        {QStringLiteral("qty"), QStringLiteral("qoh")},
        {QStringLiteral("quantity"), QStringLiteral("qoh")},
        {QStringLiteral("model"), QStringLiteral("modelnumber")},
        {QStringLiteral("modelno."), QStringLiteral("modelnumber")},
        {QStringLiteral("part"), QStringLiteral("partnumber")},
        {QStringLiteral("partno."), QStringLiteral("partnumber")},
    };
    static const QHash<QString, QString> labor = {
        {QStringLiteral("cat."), QStringLiteral("category")},
    };
    switch (table) {
    case Table::Customers:
        return customers;
    case Table::Products:
        return products;
    case Table::Labor:
        break;
    }
    return labor;
}

} // namespace

std::optional<Table> FromName(const QString &name)
{
    for (const Table t : {Table::Customers, Table::Products, Table::Labor}) {
        if (name == NameOf(t))
            return t;
    }
    return std::nullopt;
}

QString NameOf(Table table)
{
    switch (table) {
    case Table::Customers:
        return QStringLiteral("customers");
    case Table::Products:
        return QStringLiteral("products");
    case Table::Labor:
        break;
    }
    return QStringLiteral("labor");
}

QString SqlTable(Table table)
{
    switch (table) {
    case Table::Customers:
        return QStringLiteral("customer");
    case Table::Products:
        return QStringLiteral("product");
    case Table::Labor:
        break;
    }
    return QStringLiteral("labor");
}

QStringList Columns(Table table)
{
    switch (table) {
    case Table::Customers:
        return {QStringLiteral("firstname"), QStringLiteral("lastname"), QStringLiteral("phone1"),
                QStringLiteral("phone2"),    QStringLiteral("phone3"),   QStringLiteral("PreferPhone"),
                QStringLiteral("address1"),  QStringLiteral("address2"), QStringLiteral("city"),
                QStringLiteral("state"),     QStringLiteral("zipcode"),  QStringLiteral("email")};
    case Table::Products:
        return {QStringLiteral("barcode"),     QStringLiteral("category"),   QStringLiteral("description"),
                QStringLiteral("cost"),        QStringLiteral("msrp"),       QStringLiteral("price"),
                QStringLiteral("modelnumber"), QStringLiteral("partnumber"), QStringLiteral("qoh"),
                QStringLiteral("gm")};
    case Table::Labor:
        break;
    }
    return {QStringLiteral("category"), QStringLiteral("description"), QStringLiteral("ours"), QStringLiteral("cog")};
}

QString ColumnOfHeader(Table table, const QString &header)
{
    const QString key = headerKey(header);
    for (const QString &column : Columns(table)) {
        if (column.toLower() == key)
            return column;
    }
    return aliases(table).value(key);
}

} // namespace ExchangeTable
