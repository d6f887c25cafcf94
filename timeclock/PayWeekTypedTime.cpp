#include "timeclock/PayWeek.h"

#include "data/DateText.h"

#include <QLocale>
#include <QStringList>

// Kept apart from the rest of the pay week's arithmetic, which counts minutes
// through the payroll report's rules: reading typed text needs only the
// locale, so it builds on its own (the fuzz targets compile it alone).
namespace PayWeek {

std::optional<QDateTime> ParseTypedTime(const QString &text)
{
    const QString t = text.simplified();
    if (t.isEmpty())
        return std::nullopt;
    const QString date = DateText::shortDateFormat();
    const QStringList formats = {
        date + QStringLiteral(" h:mm:ss AP"),  date + QStringLiteral(" h:mm AP"),
        date + QStringLiteral(" H:mm:ss"),     date + QStringLiteral(" H:mm"),
        QStringLiteral("yyyy-MM-dd HH:mm:ss"), QStringLiteral("yyyy-MM-dd HH:mm"),
        QStringLiteral("M/d/yyyy h:mm:ss AP"), QStringLiteral("M/d/yyyy h:mm AP"),
        QStringLiteral("M/d/yyyy H:mm"),
    };
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (const QString &format : formats) {
        QDateTime moment = QLocale().toDateTime(t, format);
        if (!moment.isValid())
            moment = english.toDateTime(t, format);
        if (moment.isValid())
            return moment;
    }
    return std::nullopt;
}

} // namespace PayWeek
