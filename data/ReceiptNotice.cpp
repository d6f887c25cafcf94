#include "data/ReceiptNotice.h"

#include "data/AppPaths.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

namespace ReceiptNotice {

QString filePath()
{
    return AppPaths::programFile(QStringLiteral("ReceiptNotice.txt"));
}

QStringList lines(QString *error)
{
    QFile file(filePath());
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return {};
    }
    const QString all = QString::fromUtf8(file.readAll());
    if (all.isEmpty())
        return {};
    QStringList result = all.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    // A line end after the last line ends it; it does not start another.
    if (result.size() > 1 && result.last().isEmpty())
        result.removeLast();
    return result;
}

QString text(QString *error)
{
    return lines(error).join(QStringLiteral("\r\n"));
}

bool save(const QString &text, QString *error)
{
    QString body = text;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    body.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    body.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    body += QStringLiteral("\r\n");
    QSaveFile file(filePath());
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.write(body.toUtf8());
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace ReceiptNotice
