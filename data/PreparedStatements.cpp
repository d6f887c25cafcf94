#include "data/PreparedStatements.h"

QSqlQuery *PreparedStatements::find(const QString &sql)
{
    const auto it = m_kept.find(sql);
    return it == m_kept.end() ? nullptr : it->second.get();
}

QSqlQuery *PreparedStatements::keep(const QString &sql, QSqlQuery &&prepared)
{
    // Statements the program builds from what was typed could otherwise
    // grow without end; starting over is rare and costs one prepare each.
    if (int(m_kept.size()) >= kMostKept)
        clear();
    auto &slot = m_kept[sql];
    slot = std::make_unique<QSqlQuery>(std::move(prepared));
    return slot.get();
}

QSqlQuery PreparedStatements::release(const QString &sql)
{
    const auto it = m_kept.find(sql);
    if (it == m_kept.end())
        return QSqlQuery();
    QSqlQuery q = std::move(*it->second);
    m_kept.erase(it);
    return q;
}

QSqlQuery *PreparedStatements::retire(const QString &sql)
{
    const auto it = m_kept.find(sql);
    if (it == m_kept.end())
        return nullptr;
    m_retired.push_back(std::move(it->second));
    m_kept.erase(it);
    return m_retired.back().get();
}

void PreparedStatements::endTransaction()
{
    m_retired.clear();
}

void PreparedStatements::clear()
{
    m_kept.clear();
    m_retired.clear();
}
