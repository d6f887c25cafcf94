#pragma once

#include <QString>
#include <QVariant>

// Rows for tests, written straight through the data layer.
namespace SeedData {

int customer(const QString &first, const QString &last, const QString &phone1 = QString());
int product(const QString &barcode, const QString &partNumber, double price, double qoh,
            const QString &model = QString(), const QString &description = QString());
int labor(const QString &description, double ours, double cog, const QString &category = QStringLiteral("Install"));
int employee(const QString &first, const QString &last, const QString &pin, const QString &role = QString(),
             double payRate = 0);
// A ticket row of a status of your choosing, dated now unless given.
int ticket(int customerId, const QString &status = QStringLiteral("Open"), const QString &saleDate = QString());
int equipmentLine(int salesId, const QString &partNumber, double price, const QVariant &quantity = 1);
int laborLine(int salesId, const QString &description, double charge, const QVariant &quantity = 1);
int payment(int salesId, const QString &description, double amount);

// A single value of the database ("select qoh from product where id = 1").
QVariant value(const QString &sql, const QVariantList &params = {});
int count(const QString &table);

} // namespace SeedData
