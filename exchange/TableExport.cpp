#include "exchange/TableExport.h"

#include "catalog/LaborStore.h"
#include "catalog/ProductStore.h"
#include "data/AuditLog.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "data/Money.h"
#include "data/Recordset.h"
#include "data/TextNumber.h"
#include "exchange/SheetFile.h"
#include "sales/TicketState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace TableExport {

namespace {

using ExchangeTable::Table;

using Kind = Sheet::Kind;

// A stored value as the sheet holds it; NULL is an empty cell.
QVariant cellOf(const QVariant &value, Kind kind)
{
    if (value.isNull())
        return QVariant();
    switch (kind) {
    case Kind::Text:
        return value.toString().trimmed();
    case Kind::Money:
        return QVariant::fromValue(qint64(Money::fromVariant(value).cents()));
    case Kind::Number:
        return value.toDouble();
    case Kind::Date:
        return DateText::fromDb(value).date();
    case Kind::DateTime:
        break;
    }
    return DateText::fromDb(value);
}

Kind kindOf(Table table, const QString &column)
{
    static const QStringList money = {QStringLiteral("cost"), QStringLiteral("msrp"), QStringLiteral("price"),
                                      QStringLiteral("ours"), QStringLiteral("cog")};
    static const QStringList numbers = {QStringLiteral("qoh"), QStringLiteral("gm"), QStringLiteral("reserve"),
                                        QStringLiteral("available"), QStringLiteral("PreferPhone")};
    if (table != Table::Customers && money.contains(column))
        return Kind::Money;
    return numbers.contains(column) ? Kind::Number : Kind::Text;
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

void addRows(Sheet *sheet, const Recordset &rs)
{
    QList<int> columns;
    for (const Sheet::Column &column : sheet->columns)
        columns << rs.columnIndex(column.name);
    sheet->rows.reserve(rs.rowCount());
    for (int r = 0; r < rs.rowCount(); ++r) {
        QVariantList row;
        row.reserve(columns.size());
        for (qsizetype c = 0; c < columns.size(); ++c)
            row << cellOf(rs.value(r, columns[c]), sheet->columns[c].kind);
        sheet->addRow(std::move(row));
    }
}

// Rows of closed tickets of the range from a table or view keyed by salesid,
// with the ticket's columns; `only` narrows them, `order` sorts a ticket's own.
std::optional<Recordset> closedTicketRows(const QString &table, const QString &select, const QString &only,
                                          const QString &order, const QDate &from, const QDate &to)
{
    const Dialect d = Database::CurrentDialect();
    return Database::GetRS(QStringLiteral("select s.id as ticket, s.Closedate as closed, s.customerid, "
                                          "c.lastname, c.firstname, %1 from %2 x join sales s on s.id = x.salesid "
                                          "left join customer c on c.id = s.customerid "
                                          "where %3 = ? and s.Closedate >= ? and s.Closedate < ?%4 order by s.id, %5")
                               .arg(select, table, d.trimUpper(QStringLiteral("s.status")), only, order),
                           {CloseStatus().toUpper(), DateText::toDb(from), DateText::toDb(to.addDays(1))});
}

// The lines of closed tickets of the range.
std::optional<Recordset> ticketLines(const QString &lines, const QString &select, const QDate &from, const QDate &to)
{
    return closedTicketRows(lines, select, QString(), QStringLiteral("x.id"), from, to);
}

// One figure the sales summary computes for each closed ticket of the range
// (its shop fee or tax), where it is not zero: the export adds up to the
// ticket's total with the figures the summary and the invoice show.
std::optional<Recordset> ticketCharges(const QString &figure, const QDate &from, const QDate &to)
{
    return closedTicketRows(QStringLiteral("vw_salesreport_actualcash"), QStringLiteral("x.%1 as price").arg(figure),
                            QStringLiteral(" and x.%1 <> 0").arg(figure), QStringLiteral("x.salesid"), from, to);
}

Sheet ticketSheet()
{
    Sheet sheet;
    sheet.name = QStringLiteral("tickets");
    sheet.addColumn(QStringLiteral("ticket"))
        .addColumn(QStringLiteral("closed"), Kind::DateTime)
        .addColumn(QStringLiteral("customerid"))
        .addColumn(QStringLiteral("lastname"))
        .addColumn(QStringLiteral("firstname"))
        .addColumn(QStringLiteral("kind"));
    for (const char *c : {"description", "modelnumber", "partnumber", "barcode"})
        sheet.addColumn(QLatin1String(c));
    sheet.addColumn(QStringLiteral("quantity"), Kind::Number)
        .addColumn(QStringLiteral("price"), Kind::Money)
        .addColumn(QStringLiteral("note"));
    return sheet;
}

constexpr int kTicketColumn = 0;
constexpr int kKindColumn = 5;

// One of the lists of a ticket's rows, and where each column of the
// sheet is in it (-1 where it has none: a payment has no model number).
struct TicketPart
{
    QString kind;
    Recordset rows;
    QList<int> columns;
    int next = 0;

    TicketPart(QString k, Recordset rs, const Sheet &sheet) : kind(std::move(k)), rows(std::move(rs))
    {
        for (const Sheet::Column &column : sheet.columns)
            columns << rows.columnIndex(column.name);
    }
    qint64 ticketAt(int r) const { return rows.value(r, columns[kTicketColumn]).toLongLong(); }
};

QVariantList ticketRow(const Sheet &sheet, const TicketPart &part, int r)
{
    QVariantList row;
    row.reserve(sheet.columns.size());
    for (qsizetype c = 0; c < sheet.columns.size(); ++c) {
        if (c == kTicketColumn)
            row << FormatTicketNumber(part.ticketAt(r));
        else if (c == kKindColumn)
            row << part.kind;
        else
            row << cellOf(part.rows.value(r, part.columns[c]), sheet.columns[c].kind);
    }
    return row;
}

// Writes the sheet and records who took it out of the shop, together: the
// entry is kept only when the file was written, and a file is written only
// when its entry can be.
bool write(const QString &path, const std::optional<Sheet> &sheet, const QString &what, QString *error, int *count)
{
    if (!sheet) {
        *error = Database::LastError();
        return false;
    }
    if (count)
        *count = int(sheet->rows.size());
    bool written = false;
    const bool recorded = Database::Transaction([&] {
        if (!AuditLog::Record(AuditLog::kExport, QFileInfo(path).fileName(),
                              QStringLiteral("%1: %2 rows").arg(what).arg(sheet->rows.size()))) {
            *error = QStringLiteral("Nothing was written: the audit log could not record the export: %1")
                         .arg(Database::LastError());
            return false;
        }
        written = SheetFile::Write(path, {*sheet}, error);
        return written;
    });
    if (written && !recorded) {
        // The file went out but its entry did not stay: it is taken back.
        QFile::remove(path);
        *error = QStringLiteral("Nothing was written: the audit log could not record the export: %1")
                     .arg(Database::LastError());
    }
    return recorded;
}

} // namespace

std::optional<Sheet> TableRows(Table table)
{
    const std::optional<Recordset> rs = tableList(table);
    if (!rs)
        return std::nullopt;
    Sheet sheet;
    sheet.name = ExchangeTable::NameOf(table);
    const QStringList columns = exportedColumns(table);
    for (const QString &column : columns)
        sheet.addColumn(column, kindOf(table, column));
    addRows(&sheet, *rs);
    return sheet;
}

std::optional<Sheet> TicketRows(const QDate &from, const QDate &to)
{
    const auto items = ticketLines(QStringLiteral("salesitem"),
                                   QStringLiteral("x.description, x.modelnumber, x.partnumber, x.barcode, "
                                                  "x.quantity, x.price, x.note"),
                                   from, to);
    const auto labor = ticketLines(QStringLiteral("saleslabor"),
                                   QStringLiteral("x.description, x.quantity, x.charge as price, x.note"), from, to);
    const auto payments = ticketLines(QStringLiteral("payment"), QStringLiteral("x.description, x.amount as price"),
                                      from, to);
    const auto fees = ticketCharges(QStringLiteral("shopfee"), from, to);
    const auto taxes = ticketCharges(QStringLiteral("totaltax"), from, to);
    if (!items || !labor || !fees || !taxes || !payments)
        return std::nullopt;
    Sheet sheet = ticketSheet();
    TicketPart parts[] = {{QStringLiteral("equipment"), *items, sheet},
                          {QStringLiteral("labor"), *labor, sheet},
                          {QStringLiteral("fee"), *fees, sheet},
                          {QStringLiteral("tax"), *taxes, sheet},
                          {QStringLiteral("payment"), *payments, sheet}};
    // The lists are each by ticket; a ticket's rows are taken from each in turn.
    for (;;) {
        qint64 ticket = -1;
        for (const TicketPart &p : parts) {
            if (p.next < p.rows.rowCount()) {
                const qint64 id = p.ticketAt(p.next);
                ticket = ticket < 0 ? id : qMin(ticket, id);
            }
        }
        if (ticket < 0)
            break;
        for (TicketPart &p : parts) {
            while (p.next < p.rows.rowCount() && p.ticketAt(p.next) == ticket)
                sheet.addRow(ticketRow(sheet, p, p.next++));
        }
    }
    return sheet;
}

bool ExportTable(Table table, const QString &path, QString *error, int *rows)
{
    return write(path, TableRows(table), ExchangeTable::NameOf(table), error, rows);
}

bool ExportTickets(const QDate &from, const QDate &to, const QString &path, QString *error, int *rows)
{
    return write(path, TicketRows(from, to),
                 QStringLiteral("tickets closed %1 to %2").arg(from.toString(Qt::ISODate), to.toString(Qt::ISODate)),
                 error, rows);
}

} // namespace TableExport
