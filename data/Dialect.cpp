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

QString Dialect::searchKey(const QString &expr) const
{
    switch (m_engine) {
    case Engine::SQLite:
        // Text columns are NOCASE, so the plain column index serves.
        return QStringLiteral("%1 COLLATE NOCASE").arg(expr);
    case Engine::PostgreSQL:
        // Code-point order of the lower-cased text: the index's order and
        // its prefix ranges do not hang on the server's locale.
        return QStringLiteral("(lower(%1) COLLATE \"C\")").arg(expr);
    case Engine::SQLServer:
        return expr;
    }
    return expr;
}

QString Dialect::searchOrder(const QString &expr, bool descending) const
{
    const QString key = searchKey(expr);
    if (m_engine == Engine::PostgreSQL)
        return key + (descending ? QStringLiteral(" DESC NULLS LAST") : QStringLiteral(" NULLS FIRST"));
    return descending ? key + QStringLiteral(" DESC") : key;
}

QString Dialect::searchKeyStartsWith(const QString &expr, const QString &typed, QVariantList *values) const
{
    if (m_engine == Engine::SQLServer) {
        values->append(likePrefix(typed));
        return QStringLiteral("%1 LIKE ? ESCAPE '!'").arg(expr);
    }
    // A range on the key rather than LIKE: it is a plain index range on
    // every plan, a prepared one's included, and "%" or "_" are just
    // characters in it. Every text that starts with the prefix sorts below
    // the prefix followed by the highest code point.
    const QString key = searchKey(expr);
    const QString bound = m_engine == Engine::PostgreSQL ? QStringLiteral("lower(?)") : QStringLiteral("?");
    values->append(typed);
    values->append(typed + QString::fromUcs4(U"\U0010FFFF"));
    return QStringLiteral("%1 >= %2 AND %1 < %2").arg(key, bound);
}

QString Dialect::unindexed(const QString &column) const
{
    return m_engine == Engine::SQLite ? QStringLiteral("(+%1)").arg(column) : column;
}

QString Dialect::firstRows(const QString &select, int count) const
{
    if (m_engine == Engine::SQLServer) {
        QString s = select;
        return s.replace(0, 6, QStringLiteral("select top (%1)").arg(count));
    }
    return select + QStringLiteral(" LIMIT %1").arg(count);
}

QString Dialect::pageClause(int offset, int limit, QVariantList *values) const
{
    if (m_engine == Engine::SQLServer) {
        values->append(offset);
        values->append(limit);
        return QStringLiteral(" OFFSET ? ROWS FETCH NEXT ? ROWS ONLY");
    }
    values->append(limit);
    values->append(offset);
    return QStringLiteral(" LIMIT ? OFFSET ?");
}

QString Dialect::concat(const QStringList &parts) const
{
    const QString op = m_engine == Engine::SQLServer ? QStringLiteral(" + ") : QStringLiteral(" || ");
    return QLatin1Char('(') + parts.join(op) + QLatin1Char(')');
}
