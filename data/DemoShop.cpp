#include "data/DemoShop.h"

#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariantList>

namespace DemoShop {

namespace {

struct Product
{
    const char *barcode, *category, *description, *model, *part;
    double cost, msrp, price, qoh;
};

// Part numbers MD-100 and MD-100 are shared by two rows on purpose: a shop
// that stocks one part under two bar codes moves both with every sale.
const Product kProducts[] = {
    {"012345000017", "Remote Start", "Two-way remote start with LCD fob", "RS-2W", "RS-2W", 89, 249.99, 199.99, 12},
    {"012345000024", "Remote Start", "One-way remote start, 1 mile range", "RS-1W", "RS-1W", 59, 169.99, 139.99, 15},
    {"012345000031", "Remote Start", "Bypass module for push-to-start", "BP-PTS", "BP-PTS", 35, 89.99, 69.99, 20},
    {"012345000048", "Remote Start", "Smartphone start module", "SM-APP", "SM-APP", 99, 279.99, 229.99, 6},
    {"012345000055", "Security", "Vehicle alarm with shock sensor", "AL-300", "AL-300", 49, 149.99, 119.99, 10},
    {"012345000062", "Security", "GPS tracker with 1 year service", "GPS-1", "GPS-1", 65, 199.99, 159.99, 8},
    {"012345000079", "Security", "Glass break sensor", "GB-10", "GB-10", 12, 39.99, 29.99, 25},
    {"012345000086", "Audio", "Double-DIN touchscreen receiver", "DD-700", "DD-700", 210, 499.99, 429.99, 5},
    {"012345000093", "Audio", "Single-DIN CD receiver", "SD-150", "SD-150", 55, 139.99, 109.99, 9},
    {"012345000109", "Audio", "6.5\" coaxial speakers (pair)", "SP-65C", "SP-65C", 28, 89.99, 69.99, 30},
    {"012345000116", "Audio", "6x9\" three-way speakers (pair)", "SP-69T", "SP-69T", 35, 109.99, 84.99, 18},
    {"012345000123", "Audio", "10\" subwoofer in ported box", "SW-10B", "SW-10B", 95, 249.99, 199.99, 7},
    {"012345000130", "Audio", "4-channel amplifier 400W", "AMP-4C", "AMP-4C", 110, 299.99, 239.99, 6},
    {"012345000147", "Audio", "Mono subwoofer amplifier 600W", "AMP-1M", "AMP-1M", 90, 259.99, 209.99, 6},
    {"012345000154", "Audio", "8 gauge amplifier wiring kit", "WK-8G", "WK-8G", 15, 49.99, 39.99, 40},
    {"012345000161", "Install Parts", "Dash kit, single/double DIN", "DK-99", "DK-99", 8, 29.99, 19.99, 50},
    {"012345000178", "Install Parts", "Wiring harness adapter", "WH-70", "WH-70", 6, 19.99, 14.99, 60},
    {"012345000185", "Install Parts", "Antenna adapter", "AA-12", "AA-12", 3, 12.99, 9.99, 45},
    {"012345000192", "Install Parts", "Steering wheel control interface", "SWC-2", "SWC-2", 35, 89.99, 69.99, 14},
    {"012345000208", "Lighting", "LED headlight bulbs H11 (pair)", "LED-H11", "LED-H11", 25, 79.99, 59.99, 22},
    {"012345000215", "Lighting", "LED fog light bulbs 9006 (pair)", "LED-9006", "LED-9006", 20, 59.99, 44.99, 16},
    {"012345000222", "Lighting", "Light bar 20\" with harness", "LB-20", "LB-20", 45, 149.99, 109.99, 8},
    {"012345000239", "Towing", "Class III hitch receiver", "HR-III", "HR-III", 95, 229.99, 189.99, 4},
    {"012345000246", "Towing", "Trailer wiring T-connector", "TW-4F", "TW-4F", 9, 34.99, 24.99, 20},
    {"012345000253", "Towing", "Brake controller, proportional", "BC-P3", "BC-P3", 55, 149.99, 119.99, 5},
    {"012345000260", "Cameras", "Backup camera with license plate mount", "CAM-LP", "CAM-LP", 30, 99.99, 79.99, 12},
    {"012345000277", "Cameras", "Dash camera front/rear 1080p", "DC-FR", "DC-FR", 70, 199.99, 159.99, 9},
    {"012345000284", "Window Tint", "Window film roll, 20% (per window)", "WF-20", "WF-20", 5, 29.99, 25.00, 100},
    {"012345000291", "Accessories", "Phone mount, magnetic", "MD-100", "MD-100", 6, 24.99, 19.99, 35},
    {"012345000307", "Accessories", "Phone mount, magnetic (gift box)", "MD-100G", "MD-100", 7, 29.99, 22.99, 10},
};

struct Customer
{
    const char *first, *last, *phone1, *phone2, *address, *city, *state, *zip, *email;
    int prefer;
};

const Customer kCustomers[] = {
    {"Cash", "Sale", "", "", "", "", "TX", "", "", 0},
    {"Alan", "Smith", "5125550101", "5125550199", "1200 Oak St", "Austin", "TX", "78701", "alan.smith@example.com", 0},
    {"Beth", "Smalley", "5125550102", "", "44 Elm Ave", "Austin", "TX", "78702", "beth@example.com", 0},
    {"Carlos", "Garcia", "5125550103", "5125550133", "900 Congress Ave", "Austin", "TX", "78701", "", 1},
    {"Dana", "O'Brien", "5125550104", "", "17 Shoal Creek Blvd", "Austin", "TX", "78703", "dana.obrien@example.com", 0},
    {"Evan", "Nguyen", "5125550105", "", "3301 Lamar Blvd", "Austin", "TX", "78705", "", 0},
    {"Fatima", "Khan", "5125550106", "5125550166", "812 Pecan St", "Round Rock", "TX", "78664", "fkhan@example.com", 2},
    {"George", "Miller", "5125550107", "", "55 Ranch Rd", "Cedar Park", "TX", "78613", "", 0},
    {"Hannah", "Johnson", "5125550108", "", "702 Main St", "Georgetown", "TX", "78626", "hannah.j@example.com", 0},
    {"Ivan", "Petrov", "5125550109", "", "18 Lakeview Dr", "Pflugerville", "TX", "78660", "", 0},
    {"Julia", "Martinez", "5125550110", "", "2100 S 1st St", "Austin", "TX", "78704", "julia.m@example.com", 0},
    {"Kevin", "Brown", "5125550111", "", "4500 Burnet Rd", "Austin", "TX", "78756", "", 0},
};

struct Labor
{
    const char *category, *description;
    double ours, cog;
};

const Labor kLabor[] = {
    {"Audio", "Install head unit", 75, 60},
    {"Audio", "Install speakers (pair)", 60, 45},
    {"Audio", "Install amplifier and wiring", 150, 120},
    {"Audio", "Install subwoofer box", 50, 40},
    {"Remote Start", "Install remote start", 150, 125},
    {"Remote Start", "Program bypass module", 40, 30},
    {"Security", "Install alarm system", 125, 100},
    {"Lighting", "Install light bar", 100, 80},
    {"Towing", "Install hitch and wiring", 120, 95},
    {"Window Tint", "Tint one window", 35, 25},
};

struct Employee
{
    const char *first, *last, *pin, *title, *role;
    double rate;
};

const Employee kEmployees[] = {
    {"Maria", "Lopez", "1234", "Owner", "admin", 25},
    {"James", "Carter", "2222", "Installer", "", 18.5},
    {"Priya", "Patel", "3333", "Sales", "", 15},
    {"Tom", "Walsh", "4444", "Installer", "", 17},
};

qint64 insert(const QString &table, const QStringList &cols, const QVariantList &values)
{
    return Database::InsertRow(table, cols, values);
}

bool fillCatalog(QList<qint64> *productIds)
{
    for (const Product &p : kProducts) {
        const qint64 id = insert(QStringLiteral("product"),
                                 {QStringLiteral("barcode"), QStringLiteral("category"), QStringLiteral("description"),
                                  QStringLiteral("cost"), QStringLiteral("msrp"), QStringLiteral("price"),
                                  QStringLiteral("modelnumber"), QStringLiteral("partnumber"), QStringLiteral("qoh"),
                                  QStringLiteral("gm")},
                                 {QString::fromUtf8(p.barcode), QString::fromUtf8(p.category),
                                  QString::fromUtf8(p.description), p.cost, p.msrp, p.price, QString::fromUtf8(p.model),
                                  QString::fromUtf8(p.part), p.qoh, qRound((p.price - p.cost) / p.price * 100.0)});
        if (id < 0)
            return false;
        productIds->append(id);
    }
    for (const Labor &l : kLabor) {
        if (insert(QStringLiteral("labor"),
                   {QStringLiteral("category"), QStringLiteral("description"), QStringLiteral("ours"),
                    QStringLiteral("cog")},
                   {QString::fromUtf8(l.category), QString::fromUtf8(l.description), l.ours, l.cog})
            < 0)
            return false;
    }
    return true;
}

bool fillPeople(QList<qint64> *customerIds)
{
    // The shop's customers came before its tickets of the last days.
    const QString entered = DateText::toDb(QDateTime(Clock::now().date().addDays(-30), QTime(9, 0)));
    for (const Customer &c : kCustomers) {
        const qint64 id = insert(QStringLiteral("customer"),
                                 {QStringLiteral("firstname"), QStringLiteral("lastname"), QStringLiteral("phone1"),
                                  QStringLiteral("phone2"), QStringLiteral("phone3"), QStringLiteral("PreferPhone"),
                                  QStringLiteral("address1"), QStringLiteral("address2"), QStringLiteral("city"),
                                  QStringLiteral("state"), QStringLiteral("zipcode"), QStringLiteral("email"),
                                  QStringLiteral("created")},
                                 {QString::fromUtf8(c.first), QString::fromUtf8(c.last), QString::fromUtf8(c.phone1),
                                  QString::fromUtf8(c.phone2), QString(), c.prefer, QString::fromUtf8(c.address),
                                  QString(), QString::fromUtf8(c.city), QString::fromUtf8(c.state),
                                  QString::fromUtf8(c.zip), QString::fromUtf8(c.email), entered});
        if (id < 0)
            return false;
        customerIds->append(id);
    }
    for (const Employee &e : kEmployees) {
        if (insert(QStringLiteral("employee"),
                   {QStringLiteral("firstname"), QStringLiteral("lastname"), QStringLiteral("pin"),
                    QStringLiteral("title"), QStringLiteral("active"), QStringLiteral("role"),
                    QStringLiteral("paynormal")},
                   {QString::fromUtf8(e.first), QString::fromUtf8(e.last), QString::fromUtf8(e.pin),
                    QString::fromUtf8(e.title), 1, QString::fromUtf8(e.role), e.rate})
            < 0)
            return false;
    }
    return true;
}

struct Line
{
    int product; // index into kProducts
    double quantity;
};

struct LaborLine
{
    int labor; // index into kLabor
    double quantity;
};

struct Pay
{
    const char *kind;
    double amount;
};

struct Ticket
{
    int customer; // index into kCustomers
    int daysAgo;  // sale date
    bool closed;
    int exempt;
    const char *year, *make, *model, *note;
    QList<Line> lines;
    QList<LaborLine> labor;
    QList<Pay> payments;
};

// Ticket 4 is the tie that exact arithmetic gets right: labor 100.00 gives a
// total of 110 × 1.0825 = 119.075, shown as 119.08.
const QList<Ticket> &tickets()
{
    static const QList<Ticket> list = {
        {1,
         6,
         true,
         0,
         "2019",
         "Ford",
         "F-150",
         "Customer wants install before Friday",
         {{0, 1}, {2, 1}},
         {{4, 1}},
         {{"Visa", 300}, {"Cash", 170.87}}},
        {2, 5, true, 0, "2016", "Honda", "Civic", "", {{9, 1}, {15, 1}, {16, 1}}, {{1, 1}}, {{"Cash", 185.08}}},
        {3,
         4,
         true,
         1,
         "2021",
         "Toyota",
         "Tacoma",
         "Church van, tax exempt",
         {{22, 1}, {23, 1}},
         {{8, 1}},
         {{"Check", 346.98}}},
        {4,
         3,
         true,
         0,
         "2018",
         "Jeep",
         "Wrangler",
         "Rock lights later",
         {},
         {{7, 1}},
         {{"Discover", 100}, {"Cash", 19.08}}},
        {5,
         2,
         true,
         0,
         "2020",
         "Chevrolet",
         "Silverado",
         "",
         {{7, 1}, {15, 1}, {16, 1}, {18, 1}},
         {{0, 1}},
         {{"American Express", 600}, {"Coupon", 25}, {"Cash", 43.40}}},
        {6, 1, true, 0, "2017", "Nissan", "Altima", "", {{27, 4}}, {{9, 4}}, {{"Mastercard", 40}, {"Cash", 234.96}}},
        {7,
         0,
         false,
         0,
         "2015",
         "Dodge",
         "Ram 1500",
         "Quote for amp and sub",
         {{12, 1}, {11, 1}, {14, 1}},
         {{2, 1}, {3, 1}},
         {}},
        {8, 0, false, 0, "2022", "Subaru", "Outback", "", {{26, 1}}, {}, {{"Cash", 50}}},
        {1, 0, false, 0, "2019", "Ford", "F-150", "Second visit: lights", {{19, 2}, {28, 1}}, {}, {}},
    };
    return list;
}

// Tickets open in the morning of their day and close an hour and a half
// later, never after the present moment.
QDateTime openingTime(const Ticket &t, int index)
{
    const QDateTime now = Clock::now();
    const QDateTime opened(now.date().addDays(-t.daysAgo), QTime(9, 30).addSecs(index * 420));
    return opened < now ? opened : now.addSecs(-60 * (10 - index));
}

bool insertTicket(const Ticket &t, int index, const QList<qint64> &customers, const QList<qint64> &products)
{
    const QDateTime opened = openingTime(t, index);
    const QDateTime closing = std::min(opened.addSecs(5400), Clock::now());
    const QVariant closed = t.closed ? QVariant(DateText::toDb(closing)) : QVariant();
    const qint64 salesId = insert(QStringLiteral("sales"),
                                  {QStringLiteral("customerid"), QStringLiteral("saledate"), QStringLiteral("status"),
                                   QStringLiteral("Closedate"), QStringLiteral("TaxExempt"), QStringLiteral("year"),
                                   QStringLiteral("make"), QStringLiteral("model"), QStringLiteral("note")},
                                  {customers[t.customer], DateText::toDb(opened),
                                   t.closed ? QStringLiteral("Close") : QStringLiteral("Open"), closed, t.exempt,
                                   QString::fromUtf8(t.year), QString::fromUtf8(t.make), QString::fromUtf8(t.model),
                                   QString::fromUtf8(t.note)});
    if (salesId < 0)
        return false;
    for (const Line &l : t.lines) {
        const Product &p = kProducts[l.product];
        if (insert(QStringLiteral("salesitem"),
                   {QStringLiteral("salesid"), QStringLiteral("partnumber"), QStringLiteral("barcode"),
                    QStringLiteral("modelnumber"), QStringLiteral("description"), QStringLiteral("price"),
                    QStringLiteral("quantity")},
                   {salesId, QString::fromUtf8(p.part), QString::fromUtf8(p.barcode), QString::fromUtf8(p.model),
                    QString::fromUtf8(p.description), p.price, l.quantity})
            < 0)
            return false;
        // A closed ticket has taken its goods out of stock.
        if (t.closed
            && Database::Execute(QStringLiteral("update product set qoh = qoh - ? where id = ?"),
                                 {l.quantity, products[l.product]})
                < 0)
            return false;
    }
    for (const LaborLine &l : t.labor) {
        const Labor &lab = kLabor[l.labor];
        if (insert(QStringLiteral("saleslabor"),
                   {QStringLiteral("salesid"), QStringLiteral("description"), QStringLiteral("charge"),
                    QStringLiteral("quantity")},
                   {salesId, QString::fromUtf8(lab.description), lab.ours, l.quantity})
            < 0)
            return false;
    }
    for (const Pay &p : t.payments) {
        if (insert(QStringLiteral("payment"),
                   {QStringLiteral("salesid"), QStringLiteral("description"), QStringLiteral("amount")},
                   {salesId, QString::fromUtf8(p.kind), p.amount})
            < 0)
            return false;
    }
    return true;
}

} // namespace

bool Fill()
{
    const auto existing = Database::GetRS(QStringLiteral("select count(*) as n from customer"));
    if (!existing)
        return false;
    if (existing->value(0, 0).toInt() > 0)
        return true;
    return Database::Transaction([] {
        QList<qint64> products, customers;
        if (!fillCatalog(&products) || !fillPeople(&customers))
            return false;
        for (int i = 0; i < tickets().size(); ++i) {
            if (!insertTicket(tickets()[i], i, customers, products))
                return false;
        }
        // The mark that lets --demo open this file again.
        return Database::Execute(QStringLiteral("DELETE FROM tessaly_info WHERE name = 'demo_shop'")) >= 0
            && Database::Execute(QStringLiteral("INSERT INTO tessaly_info (name, value) VALUES ('demo_shop', 'yes')"))
            >= 0;
    });
}

bool IsDemoFile(const QString &file)
{
    const QString name = QStringLiteral("tessaly-demo-check");
    bool demo = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            demo = q.exec(QStringLiteral("select value from tessaly_info where name = 'demo_shop'")) && q.next();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return demo;
}

} // namespace DemoShop
