#include "data/Clock.h"

#include <QTime>
#include <QtGlobal>

namespace {

std::optional<QDateTime> fixedFromEnvironment()
{
    const QByteArray text = qgetenv("TESSALY_NOW");
    if (text.isEmpty())
        return std::nullopt;
    QDateTime moment = QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!moment.isValid())
        moment = QDateTime(QDate::fromString(QString::fromLatin1(text), Qt::ISODate), QTime(0, 0));
    if (!moment.isValid())
        return std::nullopt;
    return moment;
}

std::optional<QDateTime> &fixedMoment()
{
    static std::optional<QDateTime> moment = fixedFromEnvironment();
    return moment;
}

} // namespace

namespace Clock {

QDateTime now()
{
    if (fixedMoment())
        return *fixedMoment();
    QDateTime moment = QDateTime::currentDateTime();
    const QTime t = moment.time();
    moment.setTime(QTime(t.hour(), t.minute(), t.second()));
    return moment;
}

QDate today()
{
    return now().date();
}

bool IsMomentText(const QString &text)
{
    return QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss")).isValid();
}

void setFixed(std::optional<QDateTime> moment)
{
    fixedMoment() = std::move(moment);
}

} // namespace Clock
