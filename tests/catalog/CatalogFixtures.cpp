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

namespace {

// `what` is "insert" or "delete".
void refuse(Engine engine, const QString &table, const QString &what)
{
    if (engine == Engine::SQLite) {
        Database::Execute(QStringLiteral("CREATE TRIGGER refuse_%2_%1 BEFORE %2 ON %1 "
                                         "BEGIN SELECT RAISE(ABORT, '%2s refused'); END")
                              .arg(table, what));
        return;
    }
    Database::Execute(QStringLiteral("CREATE OR REPLACE FUNCTION refuse_%1() RETURNS trigger LANGUAGE plpgsql "
                                     "AS $$ BEGIN RAISE EXCEPTION '%1s refused'; END $$")
                          .arg(what));
    Database::Execute(QStringLiteral("CREATE TRIGGER refuse_%2 BEFORE %2 ON %1 "
                                     "FOR EACH ROW EXECUTE FUNCTION refuse_%2()")
                          .arg(table, what));
}

void allow(Engine engine, const QString &table, const QString &what)
{
    if (engine == Engine::SQLite)
        Database::Execute(QStringLiteral("DROP TRIGGER IF EXISTS refuse_%2_%1").arg(table, what));
    else
        Database::Execute(QStringLiteral("DROP TRIGGER IF EXISTS refuse_%2 ON %1").arg(table, what));
}

} // namespace

void RefuseInserts(Engine engine, const QString &table)
{
    refuse(engine, table, QStringLiteral("insert"));
}

void AllowInserts(Engine engine, const QString &table)
{
    allow(engine, table, QStringLiteral("insert"));
}

void RefuseDeletes(Engine engine, const QString &table)
{
    refuse(engine, table, QStringLiteral("delete"));
}

void AllowDeletes(Engine engine, const QString &table)
{
    allow(engine, table, QStringLiteral("delete"));
}

} // namespace CatalogFixtures
