#include "data/Dialect.h"

QString Dialect::driverName() const
{
    switch (m_engine) {
    case Engine::SQLite:
        return QStringLiteral("QSQLITE");
    case Engine::PostgreSQL:
        return QStringLiteral("QPSQL");
    case Engine::SQLServer:
        return QStringLiteral("QODBC");
    }
    return QString();
}

QString Dialect::engineName() const
{
    switch (m_engine) {
    case Engine::SQLite:
        return QStringLiteral("SQLite");
    case Engine::PostgreSQL:
        return QStringLiteral("PostgreSQL");
    case Engine::SQLServer:
        return QStringLiteral("SQL Server");
    }
    return QString();
}

QString Dialect::trimUpper(const QString &expr) const
{
    if (m_engine == Engine::SQLServer)
        return QStringLiteral("upper(ltrim(rtrim(%1)))").arg(expr);
    return QStringLiteral("upper(trim(%1))").arg(expr);
}

QString Dialect::textEquals(const QString &expr) const
{
    return QStringLiteral("%1 = %2").arg(textKey(expr), textKey(QStringLiteral("?")));
}

QString Dialect::textKey(const QString &expr) const
{
    // SQL Server's default collation already ignores case and trailing blanks.
    if (m_engine == Engine::SQLServer)
        return expr;
    return QStringLiteral("upper(rtrim(%1))").arg(expr);
}

QString Dialect::textStartsWith(const QString &expr) const
{
    if (m_engine == Engine::PostgreSQL)
        return QStringLiteral("%1 ILIKE ? ESCAPE '!'").arg(expr);
    return QStringLiteral("%1 LIKE ? ESCAPE '!'").arg(expr);
}

QString Dialect::textContains(const QString &expr) const
{
    return textStartsWith(expr);
}

QString Dialect::storedTextIs(const QString &expr) const
{
    // The columns themselves compare without regard to case (SQLite's
    // NOCASE, SQL Server's collation); this comparison must not.
    switch (m_engine) {
    case Engine::SQLite:
        return QStringLiteral("trim(coalesce(%1, '')) = ? COLLATE BINARY").arg(expr);
    case Engine::PostgreSQL:
        return QStringLiteral("trim(coalesce(%1, '')) = ?").arg(expr);
    case Engine::SQLServer:
        return QStringLiteral("ltrim(rtrim(coalesce(%1, N''))) COLLATE Latin1_General_BIN2 = ?").arg(expr);
    }
    return QString();
}

namespace {
QString escapeLike(const QString &typed)
{
    QString out;
    out.reserve(typed.size() + 4);
    for (const QChar c : typed) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('!') || c == QLatin1Char('['))
            out.append(QLatin1Char('!'));
        out.append(c);
    }
    return out;
}
} // namespace

QString Dialect::likePrefix(const QString &typed)
{
    return escapeLike(typed) + QLatin1Char('%');
}

QString Dialect::likeContains(const QString &typed)
{
    return QLatin1Char('%') + escapeLike(typed) + QLatin1Char('%');
}

QString Dialect::orderText(const QString &expr) const
{
    switch (m_engine) {
    case Engine::SQLite:
        return QStringLiteral("%1 COLLATE NOCASE").arg(expr);
    case Engine::PostgreSQL:
        return QStringLiteral("lower(%1)").arg(expr);
    case Engine::SQLServer:
        return expr;
    }
    return expr;
}

QString Dialect::insertReturningId(const QString &table, const QStringList &columns) const
{
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    const QString cols = columns.join(QLatin1Char(','));
    const QString vals = marks.join(QLatin1Char(','));
    if (m_engine == Engine::SQLServer) {
        if (columns.isEmpty())
            return QStringLiteral("insert into %1 output inserted.id default values").arg(table);
        return QStringLiteral("insert into %1 (%2) output inserted.id values (%3)").arg(table, cols, vals);
    }
    if (columns.isEmpty())
        return QStringLiteral("insert into %1 default values returning id").arg(table);
    return QStringLiteral("insert into %1 (%2) values (%3) returning id").arg(table, cols, vals);
}

QString Dialect::beginTransaction() const
{
    switch (m_engine) {
    case Engine::SQLite:
        return QStringLiteral("BEGIN IMMEDIATE");
    case Engine::PostgreSQL:
        return QStringLiteral("BEGIN");
    case Engine::SQLServer:
        return QStringLiteral("BEGIN TRANSACTION");
    }
    return QStringLiteral("BEGIN");
}

QString Dialect::outerApply(const QString &select, const QString &alias) const
{
    switch (m_engine) {
    case Engine::SQLite:
        return QString();
    case Engine::PostgreSQL:
        return QStringLiteral("LEFT JOIN LATERAL (%1) %2 ON true").arg(select, alias);
    case Engine::SQLServer:
        return QStringLiteral("OUTER APPLY (%1) %2").arg(select, alias);
    }
    return QString();
}
