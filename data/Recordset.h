#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

class QSqlQuery;

// A read-only, fully read result: every row is fetched when it is opened, so
// no cursor or connection stays busy while a window walks it. Fields are found
// by name without regard to case ("Price" and "price" are one column).
class Recordset
{
public:
    Recordset() = default;
    // Reads every remaining row of an executed query.
    static Recordset fromQuery(QSqlQuery &query);

    int rowCount() const { return m_rows; }
    int columnCount() const { return int(m_names.size()); }
    QString columnName(int column) const { return m_names.value(column); }
    bool isEmpty() const { return m_rows == 0; }

    // -1 when the result has no column of that name.
    int columnIndex(const QString &name) const;

    // A NULL QVariant for an unknown column or a row out of range.
    QVariant value(int row, int column) const;
    QVariant value(int row, const QString &name) const;
    // The column's text without leading and trailing blanks; NULL is empty.
    QString text(int row, const QString &name) const;

    // Walking the rows in the manner of the old recordsets.
    bool eof() const { return m_cursor >= m_rows; }
    int position() const { return m_cursor; }
    QVariant field(const QString &name) const { return value(m_cursor, name); }
    QVariant operator[](const QString &name) const { return field(name); }

private:
    QStringList m_names;
    QHash<QString, int> m_index;    // lower-case name → column
    std::vector<QVariant> m_values; // row-major
    int m_rows = 0;
    int m_cursor = 0;
};
