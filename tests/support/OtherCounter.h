#pragma once

#include "tests/support/TestDatabase.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

// A second counter on the same database: a connection of its own (the
// SQLite file or the server's catalog), writing as another program would
// while this process's windows hold what they read before.
class OtherCounter
{
public:
    OtherCounter() : m_name(QStringLiteral("other-counter")) { m_db = TestDatabase::OpenOutside(m_name); }
    ~OtherCounter()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    OtherCounter(const OtherCounter &) = delete;
    OtherCounter &operator=(const OtherCounter &) = delete;

    bool isOpen() const { return m_db.isOpen(); }

    // Runs a statement; the rows it changed, or -1.
    qint64 exec(const QString &sql, const QVariantList &params = {})
    {
        QSqlQuery q(m_db);
        q.prepare(sql);
        for (const QVariant &p : params)
            q.addBindValue(p);
        if (!q.exec())
            return -1;
        return q.numRowsAffected();
    }

    // The first column of the first row, as this counter reads it.
    QVariant value(const QString &sql, const QVariantList &params = {})
    {
        QSqlQuery q(m_db);
        q.prepare(sql);
        for (const QVariant &p : params)
            q.addBindValue(p);
        if (!q.exec() || !q.next())
            return {};
        return q.value(0);
    }

private:
    QString m_name;
    QSqlDatabase m_db;
};
