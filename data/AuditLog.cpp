#include "data/AuditLog.h"

#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"

#include <QSysInfo>

namespace AuditLog {

namespace {

thread_local QString t_acting;

// The last gate opening at this counter after `since`, or `since`.
std::optional<QDateTime> lastOpeningAfter(const QDateTime &since)
{
    const auto rs = Database::GetRS(
        QStringLiteral("select max(at) as last from auditlog where counter = ? and action = ? and at >= ?"),
        {CounterName(), kGateOpened, DateText::toDb(since)});
    if (!rs)
        return std::nullopt;
    const QDateTime last = DateText::fromDb(rs->value(0, QStringLiteral("last")));
    return last.isValid() ? last : since;
}

} // namespace

QStringList Actions()
{
    return {kReopen,           kFinalizeAfterReopen,
            kTicketDelete,     kLineChanged,
            kTaxExemptChanged, kLineRemoved,
            kPaymentRemoved,   kTimeRowAdded,
            kTimeRowChanged,   kTimeRowRemoved,
            kEmployeeAdded,    kEmployeeChanged,
            kCleanup,          kRestore,
            kImport,           kExport,
            kMasterCodeChanged,
            kGateOpened,       kPinRefused,
            kPinRefusedShut};
}

QString CounterName()
{
    const QString host = QSysInfo::machineHostName().trimmed();
    return host.isEmpty() ? QStringLiteral("this counter") : host;
}

Acting::Acting(const QString &who) : m_before(t_acting)
{
    t_acting = who;
}

Acting::~Acting()
{
    t_acting = m_before;
}

QString ActingAdministrator()
{
    return t_acting;
}

bool RecordAs(const QString &who, const QString &action, const QString &subject, const QString &details)
{
    return Database::InsertRow(QStringLiteral("auditlog"),
                               {QStringLiteral("at"), QStringLiteral("counter"), QStringLiteral("who"),
                                QStringLiteral("action"), QStringLiteral("subject"), QStringLiteral("details")},
                               {DateText::toDb(Clock::now()), CounterName(), who, action, subject,
                                details.isEmpty() ? QVariant() : QVariant(details)})
        > 0;
}

bool Record(const QString &action, const QString &subject, const QString &details)
{
    return RecordAs(t_acting, action, subject, details);
}

QString TicketSubject(int salesId)
{
    return QStringLiteral("ticket %1").arg(salesId);
}

QString EmployeeSubject(int employeeId)
{
    return QStringLiteral("employee %1").arg(employeeId);
}

std::optional<QString> ReopenedBy(int salesId)
{
    const auto rs = Database::GetRS(QStringLiteral("select who from auditlog where action = ? and subject = ? "
                                                   "order by id desc"),
                                    {kReopen, TicketSubject(salesId)});
    if (!rs)
        return std::nullopt;
    return rs->isEmpty() ? QString() : rs->text(0, QStringLiteral("who"));
}

std::optional<QString> RowText(const QString &table, int id)
{
    const auto rs = Database::GetRS(QStringLiteral("select * from %1 where id = ?").arg(table), {id});
    if (!rs)
        return std::nullopt;
    if (rs->isEmpty())
        return QString();
    QStringList pairs;
    for (int c = 0; c < rs->columnCount(); ++c) {
        const QString name = rs->columnName(c);
        if (name.compare(QLatin1String("id"), Qt::CaseInsensitive) != 0)
            pairs << name + QLatin1Char('=') + rs->text(0, name);
    }
    return pairs.join(QStringLiteral(" | "));
}

std::optional<QString> TicketText(int salesId)
{
    const std::optional<QString> ticket = RowText(QStringLiteral("sales"), salesId);
    if (!ticket)
        return std::nullopt;
    QStringList lines{QStringLiteral("ticket: ") + *ticket};
    const std::pair<const char *, const char *> parts[] = {
        {"salesitem", "equipment"}, {"saleslabor", "labor"}, {"payment", "payment"}};
    for (const auto &[table, label] : parts) {
        const QString name = QLatin1String(table);
        const auto ids = Database::GetRS(QStringLiteral("select id from %1 where salesid = ? order by id").arg(name),
                                         {salesId});
        if (!ids)
            return std::nullopt;
        for (int r = 0; r < ids->rowCount(); ++r) {
            const std::optional<QString> row = RowText(name, ids->value(r, 0).toInt());
            if (!row)
                return std::nullopt;
            lines << QLatin1String(label) + QStringLiteral(": ") + *row;
        }
    }
    return lines.join(QLatin1Char('\n'));
}

std::optional<QList<Entry>> Entries(const QDate &from, const QDate &to, const QString &action, const QString &who)
{
    QString sql = QStringLiteral("select * from auditlog where at >= ? and at < ?");
    QVariantList params{DateText::toDb(from), DateText::toDb(to.addDays(1))};
    if (!action.isEmpty()) {
        sql += QStringLiteral(" and action = ?");
        params << action;
    }
    if (!who.isEmpty()) {
        sql += QStringLiteral(" and who = ?");
        params << who;
    }
    const auto rs = Database::GetRS(sql + QStringLiteral(" order by at desc, id desc"), params);
    if (!rs)
        return std::nullopt;
    QList<Entry> entries;
    for (int r = 0; r < rs->rowCount(); ++r) {
        Entry e;
        e.id = rs->value(r, QStringLiteral("id")).toInt();
        e.at = DateText::fromDb(rs->value(r, QStringLiteral("at")));
        e.counter = rs->text(r, QStringLiteral("counter"));
        e.who = rs->text(r, QStringLiteral("who"));
        e.action = rs->text(r, QStringLiteral("action"));
        e.subject = rs->text(r, QStringLiteral("subject"));
        e.details = rs->value(r, QStringLiteral("details")).toString();
        entries << e;
    }
    return entries;
}

std::optional<Refusals> RefusedHere(const QDateTime &since)
{
    const std::optional<QDateTime> from = lastOpeningAfter(since);
    if (!from)
        return std::nullopt;
    const auto rs = Database::GetRS(QStringLiteral("select count(*) as n, max(at) as latest from auditlog "
                                                   "where counter = ? and action = ? and at >= ?"),
                                    {CounterName(), kPinRefused, DateText::toDb(*from)});
    if (!rs)
        return std::nullopt;
    return Refusals{rs->value(0, QStringLiteral("n")).toInt(),
                    DateText::fromDb(rs->value(0, QStringLiteral("latest")))};
}

} // namespace AuditLog
