#include "data/ReceiptNotice.h"

#include "data/AppPaths.h"
#include "data/ReceiptNoticeLines.h"

#include <QFile>
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
    return SplitLines(file.readAll());
}

QString text(QString *error)
{
    return lines(error).join(QStringLiteral("\r\n"));
}

bool save(const QString &text, QString *error)
{
    const QByteArray body = JoinLines(TypedLines(text));
    QSaveFile file(filePath());
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.write(body);
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace ReceiptNotice
