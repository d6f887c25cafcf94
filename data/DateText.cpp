#include "data/DateText.h"

#include <QLocale>
#include <QRegularExpression>

namespace DateText {

namespace {
const QString kStoredFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
}

QString toDb(const QDateTime &moment)
{
    return moment.toString(kStoredFormat);
}

QString toDb(const QDate &day)
{
    return QDateTime(day, QTime(0, 0)).toString(kStoredFormat);
}

QDateTime fromDb(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return QDateTime();
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime();
    if (value.metaType().id() == QMetaType::QDate)
        return QDateTime(value.toDate(), QTime(0, 0));
    const QString text = value.toString().trimmed();
    QDateTime moment = QDateTime::fromString(text, kStoredFormat);
    if (!moment.isValid())
        moment = QDateTime::fromString(text, Qt::ISODate);
    if (!moment.isValid())
        moment = QDateTime::fromString(text, Qt::ISODateWithMs);
    return moment;
}

QString shortDateFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QRegularExpression(QStringLiteral("y+")), QStringLiteral("yyyy"));
    return format;
}

QString longTimeFormat()
{
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*")));
    return format.trimmed();
}

QString shortDate(const QDate &day)
{
    return QLocale().toString(day, shortDateFormat());
}

QString generalDate(const QDateTime &moment)
{
    return QLocale().toString(moment, shortDateFormat() + QLatin1Char(' ') + longTimeFormat());
}

QString displayGeneral(const QVariant &value)
{
    const QDateTime moment = fromDb(value);
    return moment.isValid() ? generalDate(moment) : QStringLiteral(" ");
}

QString mmddyyyy(const QDate &day)
{
    return day.toString(QStringLiteral("MM/dd/yyyy"));
}

} // namespace DateText
