#include "exchange/Sheet.h"

#include "data/Money.h"
#include "data/TextNumber.h"

#include <QDate>
#include <QDateTime>

Sheet &Sheet::addColumn(const QString &columnName, Kind kind)
{
    columns.append({columnName, kind});
    return *this;
}

QStringList Sheet::header() const
{
    QStringList names;
    names.reserve(columns.size());
    for (const Column &column : columns)
        names << column.name;
    return names;
}

QString Sheet::text(const QVariant &value, Kind kind)
{
    if (value.isNull())
        return QString();
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    switch (kind) {
    case Kind::Text:
        return value.toString();
    case Kind::Money:
        return Money::fromCents(value.toLongLong()).format0();
    case Kind::Number:
        return TextNumber::toDbText(value.toDouble());
    case Kind::Date:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case Kind::DateTime:
        break;
    }
    return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QList<QStringList> Sheet::texts() const
{
    QList<QStringList> out;
    out.reserve(rows.size() + 1);
    out.append(header());
    for (const QVariantList &row : rows) {
        QStringList line;
        line.reserve(columns.size());
        for (qsizetype c = 0; c < columns.size(); ++c)
            line << text(row.value(c), columns[c].kind);
        out.append(line);
    }
    return out;
}
