#include "data/ServerAddress.h"

ServerAddress ServerAddress::parse(const QString &server, int defaultPort)
{
    const QString s = server.trimmed().isEmpty() ? QStringLiteral("localhost") : server.trimmed();
    const qsizetype colon = s.lastIndexOf(QLatin1Char(':'));
    bool numeric = false;
    const int port = colon > 0 ? s.mid(colon + 1).toInt(&numeric) : 0;
    if (colon > 0 && numeric)
        return {s.left(colon), port};
    return {s, defaultPort};
}
