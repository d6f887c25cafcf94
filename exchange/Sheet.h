#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// One table of figures as a spreadsheet holds it: a name for its tab, a
// header of typed columns and rows of values. The exports and the reports
// fill one, and SheetFile writes it as a comma-separated file or a
// workbook, so both formats always carry the same figures.
struct Sheet
{
    enum class Kind {
        Text,     // QString
        Money,    // qint64 cents
        Number,   // double (quantities, hours, percentages)
        Date,     // QDate
        DateTime, // QDateTime
    };
    struct Column
    {
        QString name;
        Kind kind = Kind::Text;
    };

    QString name; // the workbook's tab
    QList<Column> columns;
    // One value per column, of the column's kind; a null QVariant is an
    // empty cell. A Text value in a column of another kind (a "Total" in a
    // date column) is written as text.
    QList<QVariantList> rows;

    Sheet &addColumn(const QString &columnName, Kind kind = Kind::Text);
    void addRow(QVariantList row) { rows.append(std::move(row)); }

    QStringList header() const;
    // A value as a comma-separated file shows it: money with two decimals
    // ("1234.50", "-3.00"), numbers without trailing zeros, dates as
    // 2026-12-08 and times as 2026-12-08 14:30:00.
    static QString text(const QVariant &value, Kind kind);
    // The header and the rows as text, in that order.
    QList<QStringList> texts() const;
};
