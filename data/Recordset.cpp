#include "data/Recordset.h"

#include <QSqlQuery>
#include <QSqlRecord>

Recordset Recordset::fromQuery(QSqlQuery &query)
{
    Recordset rs;
    const QSqlRecord record = query.record();
    const int columns = record.count();
    rs.m_names.reserve(columns);
    for (int c = 0; c < columns; ++c) {
        const QString name = record.fieldName(c);
        rs.m_names.append(name);
        const QString key = name.toLower();
        if (!rs.m_index.contains(key))
            rs.m_index.insert(key, c);
    }
    if (query.size() > 0)
        rs.m_values.reserve(size_t(query.size()) * size_t(columns));
    while (query.next()) {
        for (int c = 0; c < columns; ++c)
            rs.m_values.push_back(query.value(c));
        ++rs.m_rows;
    }
    return rs;
}

int Recordset::columnIndex(const QString &name) const
{
    return m_index.value(name.toLower(), -1);
}

QVariant Recordset::value(int row, int column) const
{
    if (row < 0 || row >= m_rows || column < 0 || column >= columnCount())
        return QVariant();
    return m_values[size_t(row) * size_t(columnCount()) + size_t(column)];
}

QVariant Recordset::value(int row, const QString &name) const
{
    return value(row, columnIndex(name));
}

QString Recordset::text(int row, const QString &name) const
{
    const QVariant v = value(row, name);
    return v.isNull() ? QString() : v.toString().trimmed();
}
