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

QStringList lines(QString *error, Encoding *encoding)
{
    if (encoding)
        *encoding = Encoding::Utf8;
    QFile file(filePath());
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return {};
    }
    return SplitLines(bytes, encoding);
}

QString text(QString *error, Encoding *encoding)
{
    return lines(error, encoding).join(QStringLiteral("\r\n"));
}

bool save(const QString &text, QString *error, Encoding encoding)
{
    const QByteArray body = JoinLines(TypedLines(text), encoding);
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
