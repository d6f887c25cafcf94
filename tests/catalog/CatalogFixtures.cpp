#include "tests/catalog/CatalogFixtures.h"

#include "data/Database.h"

namespace CatalogFixtures {

int AddProduct(const QString &category, const QString &model, const QString &description, double price, double qoh,
               const QString &barcode)
{
    return int(Database::InsertRow(
        QStringLiteral("product"),
        {QStringLiteral("barcode"), QStringLiteral("category"), QStringLiteral("description"), QStringLiteral("cost"),
         QStringLiteral("msrp"), QStringLiteral("price"), QStringLiteral("modelnumber"), QStringLiteral("partnumber"),
         QStringLiteral("qoh"), QStringLiteral("gm")},
        {barcode, category, description, price / 2, price * 1.25, price, model, model, qoh, 40}));
}

void RefuseInserts(Engine engine, const QString &table)
{
    if (engine == Engine::SQLite) {
        Database::Execute(QStringLiteral("CREATE TRIGGER refuse_insert_%1 BEFORE INSERT ON %1 "
                                         "BEGIN SELECT RAISE(ABORT, 'inserts refused'); END")
                              .arg(table));
        return;
    }
    Database::Execute(QStringLiteral("CREATE OR REPLACE FUNCTION refuse_insert() RETURNS trigger LANGUAGE plpgsql "
                                     "AS $$ BEGIN RAISE EXCEPTION 'inserts refused'; END $$"));
    Database::Execute(QStringLiteral("CREATE TRIGGER refuse_insert BEFORE INSERT ON %1 "
                                     "FOR EACH ROW EXECUTE FUNCTION refuse_insert()")
                          .arg(table));
}

void AllowInserts(Engine engine, const QString &table)
{
    if (engine == Engine::SQLite)
        Database::Execute(QStringLiteral("DROP TRIGGER IF EXISTS refuse_insert_%1").arg(table));
    else
        Database::Execute(QStringLiteral("DROP TRIGGER IF EXISTS refuse_insert ON %1").arg(table));
}

} // namespace CatalogFixtures
