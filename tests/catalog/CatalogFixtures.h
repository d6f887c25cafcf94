#pragma once

#include "data/Dialect.h"

#include <QString>
#include <ostream>

// Rows and refusals for the catalog tests, written straight to the database.
namespace CatalogFixtures {

// A product with every column given; returns its id.
int AddProduct(const QString &category, const QString &model, const QString &description, double price, double qoh = 5,
               const QString &barcode = QStringLiteral("BC1"));

// Makes the server refuse every insert into (or delete from) a table, with a
// reason of its own ("inserts refused", "deletes refused"), and allows it again.
void RefuseInserts(Engine engine, const QString &table);
void AllowInserts(Engine engine, const QString &table);
void RefuseDeletes(Engine engine, const QString &table);
void AllowDeletes(Engine engine, const QString &table);

} // namespace CatalogFixtures

// Texts in test failures as text.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
