#include "timeclock/TimeClockStore.h"

#include "data/Clock.h"
#include "data/Database.h"
#include "data/DateText.h"
#include "sales/AdminGate.h"
#include "timeclock/PayWeek.h"

namespace TimeClockStore {

namespace {

QString trimmed(const QVariant &v)
{
    return v.isNull() ? QString() : v.toString().trimmed();
}

Edit fromCount(qint64 n)
{
    return n < 0 ? Edit::Failed : Edit::Done;
}

Edit setTime(int rowId, const QString &column, const QString &typed, bool blankAllowed)
{
    if (typed.trimmed().isEmpty()) {
        if (!blankAllowed)
            return Edit::BlankTimeIn;
        return fromCount(
            Database::Execute(QStringLiteral("update TimeInOut set %1 = null where id = ?").arg(column), {rowId}));
    }
    const std::optional<QDateTime> moment = PayWeek::ParseTypedTime(typed);
    if (!moment)
        return Edit::NotATime;
    return fromCount(Database::Execute(QStringLiteral("update TimeInOut set %1 = ? where id = ?").arg(column),
                                       {DateText::toDb(*moment), rowId}));
}

} // namespace

std::optional<Recordset> ListedEmployees()
{
    const Dialect d = Database::CurrentDialect();
    return Database::GetRS(QStringLiteral("select * from vw_employee order by %1, %2, id")
                               .arg(d.orderText(QStringLiteral("coalesce(lastname, '')")),
                                    d.orderText(QStringLiteral("coalesce(firstname, '')"))));
}

std::optional<EmployeeCard> LoadEmployee(int employeeId)
{
    const auto rs = Database::GetRS(QStringLiteral("select * from employee where id = ?"), {employeeId});
    if (!rs || rs->isEmpty())
        return std::nullopt;
    EmployeeCard e;
    e.id = employeeId;
    e.pin = trimmed(rs->value(0, QStringLiteral("pin")));
    e.firstName = trimmed(rs->value(0, QStringLiteral("firstname")));
    e.lastName = trimmed(rs->value(0, QStringLiteral("lastname")));
    e.title = trimmed(rs->value(0, QStringLiteral("title")));
    return e;
}

std::optional<QList<ClockRow>> WeekRows(int employeeId, const QDate &weekStart)
{
    const auto rs = Database::GetRS(QStringLiteral("select * from TimeInOut where employeeid = ? and timein >= ? and "
                                                   "timein < ? order by timein, id"),
                                    {employeeId, DateText::toDb(weekStart), DateText::toDb(weekStart.addDays(7))});
    if (!rs)
        return std::nullopt;
    QList<ClockRow> rows;
    for (int r = 0; r < rs->rowCount(); ++r) {
        ClockRow row;
        row.id = rs->value(r, QStringLiteral("id")).toInt();
        row.timeIn = DateText::fromDb(rs->value(r, QStringLiteral("timein")));
        row.timeOut = DateText::fromDb(rs->value(r, QStringLiteral("timeout")));
        row.note = trimmed(rs->value(r, QStringLiteral("note")));
        row.minutes = PayWeek::MinutesBetween(row.timeIn, row.timeOut);
        rows.append(row);
    }
    return rows;
}

qint64 TotalMinutes(const QList<ClockRow> &rows)
{
    qint64 total = 0;
    for (const ClockRow &row : rows)
        total += row.minutes;
    return total;
}

std::optional<bool> IsClockedIn(int employeeId)
{
    const auto rs = Database::GetRS(
        QStringLiteral("select count(*) from TimeInOut where employeeid = ? and timeout is null and timein is not null"),
        {employeeId});
    if (!rs)
        return std::nullopt;
    return rs->value(0, 0).toInt() > 0;
}

bool PinAccepted(const QString &entered, const QString &employeePin)
{
    const QString pin = entered.trimmed();
    if (pin.isEmpty())
        return false;
    return pin == employeePin.trimmed() || pin == AdminGate::kMasterCode;
}

bool ClockIn(int employeeId)
{
    return Database::Transaction([&] {
        const std::optional<bool> in = IsClockedIn(employeeId);
        if (!in || *in)
            return false;
        return Database::InsertRow(QStringLiteral("TimeInOut"), {QStringLiteral("employeeid"), QStringLiteral("timein")},
                                   {employeeId, DateText::toDb(Clock::now())})
            > 0;
    });
}

bool ClockOut(int employeeId)
{
    return Database::Execute(
               QStringLiteral("update TimeInOut set timeout = ? where employeeid = ? and timeout is null"),
               {DateText::toDb(Clock::now()), employeeId})
        > 0;
}

Edit SetTimeIn(int rowId, const QString &typed)
{
    return setTime(rowId, QStringLiteral("timein"), typed, false);
}

Edit SetTimeOut(int rowId, const QString &typed)
{
    return setTime(rowId, QStringLiteral("timeout"), typed, true);
}

Edit SetNote(int rowId, const QString &typed)
{
    return fromCount(
        Database::Execute(QStringLiteral("update TimeInOut set note = ? where id = ?"), {typed.trimmed(), rowId}));
}

bool AddRow(int employeeId)
{
    return AddRow(employeeId, Clock::now());
}

bool AddRow(int employeeId, const QDateTime &at)
{
    const QString now = DateText::toDb(at);
    return Database::InsertRow(QStringLiteral("TimeInOut"),
                               {QStringLiteral("employeeid"), QStringLiteral("timein"), QStringLiteral("timeout")},
                               {employeeId, now, now})
        > 0;
}

bool RemoveRow(int rowId)
{
    return Database::Execute(QStringLiteral("delete from TimeInOut where id = ?"), {rowId}) >= 0;
}

} // namespace TimeClockStore
