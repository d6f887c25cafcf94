#include "exchange/CsvExport.h"

#include "catalog/LaborStore.h"
#include "catalog/ProductStore.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/Money.h"
#include "data/Recordset.h"
#include "data/TextNumber.h"
#include "exchange/CsvFile.h"
#include "sales/TicketState.h"

namespace CsvExport {

namespace {

using ExchangeTable::Table;

enum class Shape { Text, Money, Number, Date };

// A stored value as the file shows it; NULL is an empty field.
QString fieldText(const QVariant &value, Shape shape)
{
    if (value.isNull())
        return QString();
    switch (shape) {
    case Shape::Text:
        return value.toString().trimmed();
    case Shape::Money:
        return Money::fromVariant(value).format0();
    case Shape::Number:
        return TextNumber::toDbText(value.toDouble());
    case Shape::Date:
        break;
    }
    return DateText::fromDb(value).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

Shape shapeOf(Table table, const QString &column)
{
    static const QStringList money = {QStringLiteral("cost"), QStringLiteral("msrp"), QStringLiteral("price"),
                                      QStringLiteral("ours"), QStringLiteral("cog")};
    static const QStringList numbers = {QStringLiteral("qoh"), QStringLiteral("gm"), QStringLiteral("reserve"),
                                        QStringLiteral("available"), QStringLiteral("PreferPhone")};
    if (table != Table::Customers && money.contains(column))
        return Shape::Money;
    return numbers.contains(column) ? Shape::Number : Shape::Text;
}

std::optional<Recordset> customersByName()
{
    const Dialect d = Database::CurrentDialect();
    return Database::GetRS(QStringLiteral("select * from customer order by %1, %2, %3, id")
                               .arg(d.orderText(QStringLiteral("coalesce(lastname, '')")),
                                    d.orderText(QStringLiteral("coalesce(firstname, '')")),
                                    d.orderText(QStringLiteral("coalesce(phone1, '')"))));
}

std::optional<Recordset> tableList(Table table)
{
    switch (table) {
    case Table::Customers:
        return customersByName();
    case Table::Products:
        return ProductStore::AvailableList();
    case Table::Labor:
        break;
    }
    return LaborStore::ReadList();
}

QStringList exportedColumns(Table table)
{
    QStringList columns = ExchangeTable::Columns(table);
    if (table == Table::Products)
        columns << QStringLiteral("reserve") << QStringLiteral("available");
    return columns;
}

QList<QStringList> rowsOf(const Recordset &rs, const QStringList &columns, const QList<Shape> &shapes)
{
    QList<QStringList> rows;
    rows.reserve(rs.rowCount());
    for (int r = 0; r < rs.rowCount(); ++r) {
        QStringList row;
        row.reserve(columns.size());
        for (qsizetype c = 0; c < columns.size(); ++c)
            row << fieldText(rs.value(r, columns[c]), shapes[c]);
        rows.append(row);
    }
    return rows;
}

// The lines of closed tickets of the range, with the ticket's columns.
std::optional<Recordset> ticketLines(const QString &lines, const QString &select, const QDate &from, const QDate &to)
{
    const Dialect d = Database::CurrentDialect();
    return Database::GetRS(QStringLiteral("select s.id as ticket, s.Closedate as closed, s.customerid as customer, "
                                          "c.lastname, c.firstname, %1 from %2 x join sales s on s.id = x.salesid "
                                          "left join customer c on c.id = s.customerid "
                                          "where %3 = ? and s.Closedate >= ? and s.Closedate < ? order by s.id, x.id")
                               .arg(select, lines, d.trimUpper(QStringLiteral("s.status"))),
                           {CloseStatus().toUpper(), DateText::toDb(from), DateText::toDb(to.addDays(1))});
}

const QStringList kTicketHeader = {
    QStringLiteral("ticket"),      QStringLiteral("closed"),      QStringLiteral("customerid"),
    QStringLiteral("lastname"),    QStringLiteral("firstname"),   QStringLiteral("kind"),
    QStringLiteral("description"), QStringLiteral("modelnumber"), QStringLiteral("partnumber"),
    QStringLiteral("barcode"),     QStringLiteral("quantity"),    QStringLiteral("price"),
    QStringLiteral("note")};

struct TicketPart
{
    QString kind;
    Recordset rows;
    int next = 0;
};

QStringList ticketRow(const TicketPart &part, int r)
{
    const Recordset &rs = part.rows;
    QStringList row = {FormatTicketNumber(rs.value(r, QStringLiteral("ticket")).toLongLong()),
                       fieldText(rs.value(r, QStringLiteral("closed")), Shape::Date),
                       fieldText(rs.value(r, QStringLiteral("customer")), Shape::Text),
                       fieldText(rs.value(r, QStringLiteral("lastname")), Shape::Text),
                       fieldText(rs.value(r, QStringLiteral("firstname")), Shape::Text),
                       part.kind};
    for (const char *c : {"description", "modelnumber", "partnumber", "barcode"})
        row << fieldText(rs.value(r, QLatin1String(c)), Shape::Text);
    row << fieldText(rs.value(r, QStringLiteral("quantity")), Shape::Number)
        << fieldText(rs.value(r, QStringLiteral("price")), Shape::Money)
        << fieldText(rs.value(r, QStringLiteral("note")), Shape::Text);
    return row;
}

bool write(const QString &path, const std::optional<QList<QStringList>> &rows, QString *error, int *count)
{
    if (!rows) {
        *error = Database::LastError();
        return false;
    }
    if (count)
        *count = int(rows->size()) - 1;
    return CsvFile::Write(path, *rows, error);
}

} // namespace

std::optional<QList<QStringList>> TableRows(Table table)
{
    const std::optional<Recordset> rs = tableList(table);
    if (!rs)
        return std::nullopt;
    const QStringList columns = exportedColumns(table);
    QList<Shape> shapes;
    for (const QString &column : columns)
        shapes << shapeOf(table, column);
    QList<QStringList> rows = {columns};
    rows << rowsOf(*rs, columns, shapes);
    return rows;
}

std::optional<QList<QStringList>> TicketRows(const QDate &from, const QDate &to)
{
    const auto items = ticketLines(QStringLiteral("salesitem"),
                                   QStringLiteral("x.description, x.modelnumber, x.partnumber, x.barcode, "
                                                  "x.quantity, x.price, x.note"),
                                   from, to);
    const auto labor = ticketLines(QStringLiteral("saleslabor"),
                                   QStringLiteral("x.description, x.quantity, x.charge as price, x.note"), from, to);
    const auto payments = ticketLines(QStringLiteral("payment"), QStringLiteral("x.description, x.amount as price"),
                                      from, to);
    if (!items || !labor || !payments)
        return std::nullopt;
    TicketPart parts[3] = {{QStringLiteral("equipment"), *items},
                           {QStringLiteral("labor"), *labor},
                           {QStringLiteral("payment"), *payments}};
    QList<QStringList> rows = {kTicketHeader};
    // The three lists are each by ticket; a ticket's rows are taken from each in turn.
    for (;;) {
        qint64 ticket = -1;
        for (const TicketPart &p : parts) {
            if (p.next < p.rows.rowCount()) {
                const qint64 id = p.rows.value(p.next, QStringLiteral("ticket")).toLongLong();
                ticket = ticket < 0 ? id : qMin(ticket, id);
            }
        }
        if (ticket < 0)
            break;
        for (TicketPart &p : parts) {
            while (p.next < p.rows.rowCount() && p.rows.value(p.next, QStringLiteral("ticket")).toLongLong() == ticket)
                rows.append(ticketRow(p, p.next++));
        }
    }
    return rows;
}

bool ExportTable(Table table, const QString &path, QString *error, int *rows)
{
    return write(path, TableRows(table), error, rows);
}

bool ExportTickets(const QDate &from, const QDate &to, const QString &path, QString *error, int *rows)
{
    return write(path, TicketRows(from, to), error, rows);
}

} // namespace CsvExport
