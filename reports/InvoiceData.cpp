#include "reports/InvoiceData.h"

#include "data/Database.h"
#include "data/NullToSpace.h"
#include "data/Recordset.h"
#include "reports/ReportRun.h"
#include "sales/TicketReader.h"
#include "sales/TicketRows.h"

namespace {

QString quantityText(const QVariant &stored)
{
    return Money::fromVariant(stored).toDbText();
}

std::optional<QString> preferredPhone(const Recordset &row)
{
    const QVariant prefer = row.value(0, QStringLiteral("PreferPhone"));
    if (prefer.isNull())
        return std::nullopt;
    bool ok = false;
    const int which = NullToSpace(prefer).toInt(&ok);
    if (!ok || which < 0 || which > 2)
        return std::nullopt;
    const QVariant phone = row.value(0, QStringLiteral("phone%1").arg(which + 1));
    return phone.isNull() ? QString() : InvoicePhone(phone.toString());
}

QList<InvoiceLine> linesFrom(const Recordset &rows, const QString &unitColumn, const QList<Money> &extended,
                             bool equipment)
{
    QList<InvoiceLine> lines;
    for (int r = 0; r < rows.rowCount(); ++r) {
        InvoiceLine line;
        if (equipment) {
            line.text = rows.text(r, QStringLiteral("modelnumber")) + QStringLiteral("--")
                + rows.text(r, QStringLiteral("description")).left(50);
        } else {
            line.text = rows.text(r, QStringLiteral("description"));
        }
        line.quantity = quantityText(rows.value(r, QStringLiteral("quantity")));
        line.unit = Money::fromVariant(rows.value(r, unitColumn));
        line.extended = extended.value(r);
        line.note = rows.text(r, QStringLiteral("note"));
        lines.append(line);
    }
    return lines;
}

} // namespace

QString InvoiceTitle(int ticketId)
{
    return QStringLiteral("Customer Invoice #A%1").arg(ticketId, 4, 10, QLatin1Char('0'));
}

QString InvoicePhone(const QString &stored)
{
    const QString phone = stored.trimmed();
    const bool tenDigits = phone.size() == 10 && std::all_of(phone.cbegin(), phone.cend(), [](QChar c) {
                               return c >= QLatin1Char('0') && c <= QLatin1Char('9');
                           });
    if (!tenDigits)
        return phone;
    return QStringLiteral("(%1) %2-%3").arg(phone.left(3), phone.mid(3, 3), phone.mid(6, 4));
}

std::optional<Recordset> ReadInvoiceHeaderRow(int ticketId)
{
    return Database::GetRS(
        QStringLiteral("select c.firstname, c.lastname, c.address1, c.city, c.state, c.zipcode, c.PreferPhone, "
                       "c.phone1, c.phone2, c.phone3, s.year, s.make, s.model, s.TaxExempt "
                       "from sales s inner join customer c on s.customerid = c.id where s.id = ?"),
        {ticketId});
}

InvoiceCustomer InvoiceCustomerFromRow(const Recordset &row)
{
    InvoiceCustomer c;
    c.name = row.text(0, QStringLiteral("Firstname")) + QStringLiteral("   ") + row.text(0, QStringLiteral("lastname"));
    c.address = row.text(0, QStringLiteral("address1"));
    c.cityLine = row.text(0, QStringLiteral("city")) + QStringLiteral(", ") + row.text(0, QStringLiteral("state"))
        + QLatin1Char(' ') + row.text(0, QStringLiteral("zipcode"));
    c.phone = preferredPhone(row);
    c.vehicle = row.text(0, QStringLiteral("Year")) + QStringLiteral("   ") + row.text(0, QStringLiteral("make"))
        + QStringLiteral("   ") + row.text(0, QStringLiteral("model"));
    c.taxExempt = row.value(0, QStringLiteral("TaxExempt"));
    return c;
}

InvoiceBody InvoiceBodyFromRows(const Recordset &equipment, const Recordset &installs, const Recordset &payments,
                                const QVariant &taxExempt)
{
    InvoiceBody body;
    const TicketInput input = TicketInputFromRows(equipment, installs, payments, taxExempt);
    body.figures = ComputeTicketFigures(input, SurchargeBase::PartsAndLabor);
    body.equipment = linesFrom(equipment, QStringLiteral("price"), body.figures.equipmentExtended, true);
    body.installs = linesFrom(installs, QStringLiteral("charge"), body.figures.laborExtended, false);
    for (int r = 0; r < payments.rowCount(); ++r) {
        const PaymentFigure &figure = body.figures.paymentFigures.at(r);
        body.payments.append({payments.text(r, QStringLiteral("description")), figure.amount, figure.withSurcharge});
    }
    return body;
}

InvoiceBody ReadInvoiceBody(int ticketId, const QVariant &taxExempt)
{
    const std::optional<TicketRows> rows = TicketRows::read(ticketId);
    if (!rows)
        throw ReportFailure(Database::LastReason());
    return InvoiceBodyFromRows(rows->equipment, rows->labor, rows->payments, taxExempt);
}
