#include "timeclock/WorkedTime.h"

#include "data/Database.h"
#include "data/DateText.h"

namespace {

qint64 wallClockMinute(const QDateTime &moment)
{
    const QTime t = moment.time();
    return moment.date().toJulianDay() * 1440 + t.hour() * 60 + t.minute();
}

} // namespace

qint64 MinuteBoundaries(const QDateTime &from, const QDateTime &to)
{
    return wallClockMinute(to) - wallClockMinute(from);
}

std::optional<QList<TimeRow>> ReadTimeRows(std::optional<int> employeeId, const QDateTime &from, const QDateTime &to)
{
    QString sql = QStringLiteral("SELECT id, timein, timeout FROM vw_EmployeeTime WHERE timein >= ? AND timein < ?");
    QVariantList params{DateText::toDb(from), DateText::toDb(to)};
    if (employeeId) {
        sql += QStringLiteral(" AND id = ?");
        params << *employeeId;
    }
    sql += QStringLiteral(" ORDER BY timein");
    const auto rs = Database::GetRS(sql, params);
    if (!rs)
        return std::nullopt;
    QList<TimeRow> rows;
    rows.reserve(rs->rowCount());
    for (int r = 0; r < rs->rowCount(); ++r) {
        rows.append({rs->value(r, QStringLiteral("id")).toInt(),
                     DateText::fromDb(rs->value(r, QStringLiteral("timein"))),
                     DateText::fromDb(rs->value(r, QStringLiteral("timeout")))});
    }
    return rows;
}

std::optional<qint64> MinutesWorked(const QList<TimeRow> &rows, int employeeId, const QDateTime &start,
                                    const QDateTime &end)
{
    std::optional<qint64> minutes;
    for (const TimeRow &row : rows) {
        if (row.employeeId != employeeId || row.timeIn < start || row.timeIn >= end || !row.timeOut.isValid())
            continue;
        // A clock-out typed before its clock-in counts nothing, as the time
        // clock shows it, rather than taking time off the period.
        minutes = minutes.value_or(0) + std::max<qint64>(0, MinuteBoundaries(row.timeIn, row.timeOut));
    }
    return minutes;
}

Money HoursOf(qint64 minutes)
{
    return Money::fromCents(minutes * 100).scaled(1, 60);
}

Money GrossPay(const Money &rate, qint64 minutes)
{
    return rate.scaled(minutes, 60);
}
