#include "tests/support/SeedData.h"

#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"

namespace SeedData {

namespace {
int insert(const char *table, const QStringList &columns, const QVariantList &values)
{
    return int(Database::InsertRow(QLatin1String(table), columns, values));
}
} // namespace

int customer(const QString &first, const QString &last, const QString &phone1)
{
    return insert("customer",
                  {QStringLiteral("firstname"), QStringLiteral("lastname"), QStringLiteral("phone1"),
                   QStringLiteral("PreferPhone"), QStringLiteral("state")},
                  {first, last, phone1, 0, QStringLiteral("TX")});
}

int product(const QString &barcode, const QString &partNumber, double price, double qoh, const QString &model,
            const QString &description)
{
    return insert(
        "product",
        {QStringLiteral("barcode"), QStringLiteral("partnumber"), QStringLiteral("price"), QStringLiteral("qoh"),
         QStringLiteral("modelnumber"), QStringLiteral("description"), QStringLiteral("category")},
        {barcode, partNumber, price, qoh, model.isEmpty() ? partNumber : model,
         description.isEmpty() ? QStringLiteral("Product ") + partNumber : description, QStringLiteral("Test")});
}

int labor(const QString &description, double ours, double cog, const QString &category)
{
    return insert(
        "labor",
        {QStringLiteral("category"), QStringLiteral("description"), QStringLiteral("ours"), QStringLiteral("cog")},
        {category, description, ours, cog});
}

int employee(const QString &first, const QString &last, const QString &pin, const QString &role, double payRate)
{
    return insert("employee",
                  {QStringLiteral("firstname"), QStringLiteral("lastname"), QStringLiteral("pin"),
                   QStringLiteral("role"), QStringLiteral("active"), QStringLiteral("paynormal")},
                  {first, last, pin, role, 1, payRate});
}

int ticket(int customerId, const QString &status, const QString &saleDate)
{
    return insert("sales",
                  {QStringLiteral("customerid"), QStringLiteral("saledate"), QStringLiteral("status"),
                   QStringLiteral("TaxExempt")},
                  {customerId, saleDate.isEmpty() ? DateText::toDb(Clock::now()) : saleDate, status, 0});
}

int equipmentLine(int salesId, const QString &partNumber, double price, const QVariant &quantity)
{
    return insert("salesitem",
                  {QStringLiteral("salesid"), QStringLiteral("partnumber"), QStringLiteral("price"),
                   QStringLiteral("quantity"), QStringLiteral("modelnumber"), QStringLiteral("description")},
                  {salesId, partNumber, price, quantity, partNumber, QStringLiteral("Line ") + partNumber});
}

int laborLine(int salesId, const QString &description, double charge, const QVariant &quantity)
{
    return insert("saleslabor",
                  {QStringLiteral("salesid"), QStringLiteral("description"), QStringLiteral("charge"),
                   QStringLiteral("quantity")},
                  {salesId, description, charge, quantity});
}

int payment(int salesId, const QString &description, double amount)
{
    return insert("payment", {QStringLiteral("salesid"), QStringLiteral("description"), QStringLiteral("amount")},
                  {salesId, description, amount});
}

QVariant value(const QString &sql, const QVariantList &params)
{
    const auto rs = Database::GetRS(sql, params);
    return rs ? rs->value(0, 0) : QVariant();
}

int count(const QString &table)
{
    return value(QStringLiteral("select count(*) from %1").arg(table)).toInt();
}

} // namespace SeedData
