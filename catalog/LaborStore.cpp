#include "catalog/LaborStore.h"

#include "data/Database.h"
#include "data/Money.h"
#include "data/TextNumber.h"

namespace LaborStore {

namespace {

QString columnName(Column column)
{
    switch (column) {
    case Column::Category:
        return QStringLiteral("category");
    case Column::Description:
        return QStringLiteral("description");
    case Column::Ours:
        return QStringLiteral("ours");
    case Column::Cog:
        return QStringLiteral("cog");
    }
    return QString();
}

bool isPrice(Column column)
{
    return column == Column::Ours || column == Column::Cog;
}

} // namespace

std::optional<Column> ColumnOfKey(const QString &key)
{
    const QString k = key.trimmed().toUpper();
    if (k == QLatin1String("CATEGORY"))
        return Column::Category;
    if (k == QLatin1String("DESCRIPTION"))
        return Column::Description;
    if (k == QLatin1String("OURS"))
        return Column::Ours;
    if (k == QLatin1String("COG"))
        return Column::Cog;
    return std::nullopt;
}

std::optional<Recordset> ReadList()
{
    const Dialect d = Database::CurrentDialect();
    return Database::GetRS(QStringLiteral("select * from labor order by %1, %2, id")
                               .arg(d.orderText(QStringLiteral("coalesce(category, '')")),
                                    d.orderText(QStringLiteral("coalesce(description, '')"))));
}

std::optional<QString> EditedText(Column column, const QString &typed, QString *refusal)
{
    if (!isPrice(column))
        return typed.trimmed();
    const TextNumber::Reading price = TextNumber::readMoney(typed);
    if (!price) {
        if (refusal)
            *refusal = price.message();
        return std::nullopt;
    }
    return Money::fromDouble(*price.value).format00();
}

bool Write(int id, Column column, const QString &editedText)
{
    const QVariant value = isPrice(column) ? QVariant(Money::fromVariant(editedText).toDouble()) : QVariant(editedText);
    return Database::Execute(QStringLiteral("update labor set %1 = ? where id = ?").arg(columnName(column)),
                             {value, id})
        >= 0;
}

qint64 AddPlaceholder()
{
    return Database::InsertRow(QStringLiteral("labor"), {QStringLiteral("category"), QStringLiteral("description")},
                               {QStringLiteral("_newcat"), QStringLiteral("_new labor")});
}

bool Delete(int id)
{
    return Database::Execute(QStringLiteral("delete from labor where id = ?"), {id}) >= 0;
}

} // namespace LaborStore
