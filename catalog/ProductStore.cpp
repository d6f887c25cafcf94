#include "catalog/ProductStore.h"

#include "data/Database.h"
#include "data/Money.h"
#include "data/NullToSpace.h"
#include "data/TextNumber.h"

#include <cmath>

namespace ProductStore {

namespace {

struct FieldInfo
{
    const char *column;
    const char *label;
    bool numeric;
    bool money;
};

// In the order of ProductField.
const FieldInfo kFields[ProductFieldCount] = {
    {"barcode", "Barcode / UPC", false, false},
    {"category", "Category", false, false},
    {"description", "Description", false, false},
    {"cost", "Cost", true, true},
    {"msrp", "MSRP", true, true},
    {"price", "Price", true, true},
    {"modelnumber", "Model Number", false, false},
    {"partnumber", "Part Number", false, false},
    {"qoh", "QOH", true, false},
    {"gm", "GM", true, false},
};

const FieldInfo &info(ProductField field)
{
    return kFields[size_t(field)];
}

QString shown(ProductField field, const QVariant &value)
{
    if (field == ProductField::ModelNumber)
        return NullToSpace(value).trimmed();
    if (IsMoney(field) && !value.isNull())
        return Money::fromVariant(value).format00();
    return NullToSpace(value);
}

// The product of a row as the clerk knows it: "Description [ Model ]".
QString nameOfFirst(const Recordset &rs)
{
    const QString description = rs.value(0, QStringLiteral("description")).toString().trimmed();
    const QString model = rs.value(0, QStringLiteral("modelnumber")).toString().trimmed();
    QString name = description;
    if (!model.isEmpty())
        name += (name.isEmpty() ? QString() : QStringLiteral(" ")) + QStringLiteral("[ %1 ]").arg(model);
    return name.isEmpty() ? QStringLiteral("product %1").arg(rs.value(0, QStringLiteral("id")).toInt()) : name;
}

} // namespace

QString ColumnOf(ProductField field)
{
    return QLatin1String(info(field).column);
}

QString LabelOf(ProductField field)
{
    return QLatin1String(info(field).label);
}

bool IsNumeric(ProductField field)
{
    return info(field).numeric;
}

bool IsMoney(ProductField field)
{
    return info(field).money;
}

TextNumber::Reading ReadingOf(ProductField field, const QString &boxText)
{
    return IsMoney(field) ? TextNumber::readMoney(boxText) : TextNumber::readNumber(boxText);
}

std::optional<QVariant> ValueOf(ProductField field, const QString &boxText)
{
    const QString text = boxText.trimmed();
    if (!IsNumeric(field))
        return QVariant(text);
    if (text.isEmpty())
        return QVariant(0.0);
    const TextNumber::Reading number = ReadingOf(field, text);
    if (!number)
        return std::nullopt;
    return QVariant(*number.value);
}

std::optional<QVariant> StoredValue(int id, ProductField field)
{
    const auto rs = Database::GetRS(QStringLiteral("select %1 from product where id = ?").arg(ColumnOf(field)), {id});
    if (!rs || rs->isEmpty())
        return std::nullopt;
    return rs->value(0, 0);
}

QString TextOf(ProductField field, const QVariant &value)
{
    return shown(field, value);
}

bool WriteValue(int id, ProductField field, const QVariant &value)
{
    return Database::Execute(QStringLiteral("update product set %1 = ? where id = ?").arg(ColumnOf(field)), {value, id})
        >= 0;
}

ProductTexts EmptyTexts()
{
    ProductTexts texts;
    texts[ProductField::Qoh] = QStringLiteral("0");
    texts[ProductField::Gm] = QStringLiteral("0");
    return texts;
}

bool Load(int id, ProductTexts *texts, bool *found)
{
    const auto rs = Database::GetRS(QStringLiteral("select * from product where id = ?"), {id});
    if (found)
        *found = rs && !rs->isEmpty();
    if (!rs || rs->isEmpty()) {
        *texts = EmptyTexts();
        return rs.has_value();
    }
    for (const ProductField f : AllProductFields)
        (*texts)[f] = shown(f, rs->field(ColumnOf(f)));
    return true;
}

bool WriteField(int id, ProductField field, const QString &boxText)
{
    const std::optional<QVariant> value = ValueOf(field, boxText);
    return value && WriteValue(id, field, *value);
}

BoxWrite WriteBox(int id, ProductField field, const QString &boxText, const QString &loadedText)
{
    const std::optional<QVariant> value = ValueOf(field, boxText);
    if (!value)
        return BoxWrite::NotANumber;
    qint64 changed = -1;
    if (field == ProductField::Qoh) {
        const std::optional<QVariant> loaded = ValueOf(field, loadedText);
        // Quantities are kept to four decimals; so is their difference.
        const double delta = std::round((value->toDouble() - (loaded ? loaded->toDouble() : 0.0)) * 10000.0) / 10000.0;
        changed = Database::Execute(QStringLiteral("update product set qoh = coalesce(qoh, 0) + ? where id = ?"),
                                    {delta, id});
    } else {
        changed = Database::Execute(QStringLiteral("update product set %1 = ? where id = ?").arg(ColumnOf(field)),
                                    {*value, id});
    }
    if (changed < 0)
        return BoxWrite::Failed;
    return changed == 0 ? BoxWrite::Gone : BoxWrite::Written;
}

qint64 Create(const ProductTexts &texts, std::optional<ProductField> *badField, QString *barcodeOwner)
{
    QStringList columns;
    QVariantList values;
    for (const ProductField f : AllProductFields) {
        const std::optional<QVariant> value = ValueOf(f, texts[f]);
        if (!value) {
            if (badField)
                *badField = f;
            return -1;
        }
        columns << ColumnOf(f);
        values << *value;
    }
    if (badField)
        badField->reset();
    if (barcodeOwner)
        barcodeOwner->clear();
    const QString barcode = texts[ProductField::Barcode].trimmed();
    qint64 id = -1;
    // Checked and inserted in one transaction; on the embedded database,
    // whose transaction takes the write lock first, two counters cannot
    // both add it.
    Database::Transaction([&] {
        if (!barcode.isEmpty()) {
            const auto rs = Database::GetRS(
                QStringLiteral("select id, description, modelnumber from product where %1 order by id")
                    .arg(Database::CurrentDialect().textEquals(QStringLiteral("barcode"))),
                {barcode});
            if (!rs)
                return false;
            if (!rs->isEmpty()) {
                if (barcodeOwner)
                    *barcodeOwner = nameOfFirst(*rs);
                return false;
            }
        }
        id = Database::InsertRow(QStringLiteral("product"), columns, values);
        return id > 0;
    });
    return id > 0 ? id : -1;
}

bool IsBlank(const ProductTexts &texts)
{
    for (const ProductField f : AllProductFields) {
        const QString text = texts[f].trimmed();
        if (text.isEmpty())
            continue;
        if (!IsNumeric(f))
            return false;
        const std::optional<QVariant> value = ValueOf(f, text);
        if (!value || value->toDouble() != 0)
            return false;
    }
    return true;
}

bool Delete(int id)
{
    return Database::Execute(QStringLiteral("delete from product where id = ?"), {id}) >= 0;
}

std::optional<Recordset> AvailableList()
{
    const Dialect d = Database::CurrentDialect();
    return Database::GetRS(QStringLiteral("select * from vw_product_available order by %1, %2, id")
                               .arg(d.orderText(QStringLiteral("coalesce(category, '')")),
                                    d.orderText(QStringLiteral("coalesce(modelnumber, '')"))));
}

QString PictureCaption(const QString &modelNumber, const QString &description)
{
    return QStringLiteral("[ ") + modelNumber.trimmed() + QStringLiteral(" ]   ") + description.left(30);
}

QString LabelCaption(const QString &modelNumber, const QString &description)
{
    return QStringLiteral("[ ") + modelNumber.trimmed() + QStringLiteral(" ]    ") + description.trimmed().left(30);
}

} // namespace ProductStore
