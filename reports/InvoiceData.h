#pragma once

#include "data/Money.h"
#include "sales/TicketFigures.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

class Recordset;

// What the customer invoice prints, read from the ticket's rows: the
// customer block and vehicle from the ticket-and-customer row, the lines
// and payments with the figures the sales window shows.

struct InvoiceCustomer
{
    QString name; // first and last name, three blanks between
    QString address;
    QString cityLine;             // "City, ST Zip"
    std::optional<QString> phone; // the preferred phone; none prints no line
    QString vehicle;              // year, make and model, three blanks between
    QVariant taxExempt;
};

struct InvoiceLine
{
    QString text;     // equipment: model number "--" description; installs: the description
    QString quantity; // as stored ("1", "1.5"); NULL prints 0
    Money unit;       // price or charge
    Money extended;   // quantity × unit
    QString note;     // trimmed; empty prints no note line
};

struct InvoicePayment
{
    QString description;
    Money amount;
    std::optional<Money> withSurcharge; // the card's surcharge figure, shown only
};

struct InvoiceBody
{
    QList<InvoiceLine> equipment;
    QList<InvoiceLine> installs;
    QList<InvoicePayment> payments;
    TicketFigures figures; // the invoice's card threshold: parts + labor
};

// "Customer Invoice #A0042"; ids of five digits print in full.
QString InvoiceTitle(int ticketId);

// A stored phone of ten digits as "(512) 555-0101"; anything else (a short
// number, one already formatted) prints as it is stored.
QString InvoicePhone(const QString &stored);

// The ticket-and-customer row of a ticket: nullopt when the query failed
// (the data layer has said why), an empty result when the ticket or its
// customer is missing.
std::optional<Recordset> ReadInvoiceHeaderRow(int ticketId);
InvoiceCustomer InvoiceCustomerFromRow(const Recordset &row);

// The lines and payments of a ticket with their figures. Throws
// ReportFailure when a query fails.
InvoiceBody ReadInvoiceBody(int ticketId, const QVariant &taxExempt);
// The same from rows already read.
InvoiceBody InvoiceBodyFromRows(const Recordset &equipment, const Recordset &installs, const Recordset &payments,
                                const QVariant &taxExempt);
