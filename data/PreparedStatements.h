#pragma once

#include <QSqlQuery>
#include <QString>

#include <memory>
#include <unordered_map>
#include <vector>

// The statements one connection has prepared, kept for their next run. On
// PostgreSQL each prepare and each release is a round trip of its own, so a
// statement prepared afresh every time costs three where one would do; a
// short transaction of a few statements (finalizing a ticket) spends most
// of its time waiting on them. The embedded engine keeps only its glance at
// the table list here.
//
// A kept statement belongs to the connection it was prepared on: forget
// them all before that connection is closed.
class PreparedStatements
{
public:
    // Statements with more values than this (a long "id in (…)" list) are
    // seldom run twice and are not kept.
    static constexpr int kMostValues = 32;

    // The kept statement for this text; nullptr when there is none.
    QSqlQuery *find(const QString &sql);
    // Keeps a prepared statement for its next run and returns where it now
    // lives. When many are kept already, the oldest set is let go first.
    QSqlQuery *keep(const QString &sql, QSqlQuery &&prepared);
    // Lets one go (the server no longer takes it), handing it back so that
    // its error can still be read.
    QSqlQuery release(const QString &sql);
    // The same inside a transaction, which the failure has ended on the
    // server: there the statement could not be freed until the rollback,
    // so it is held until endTransaction().
    QSqlQuery *retire(const QString &sql);
    void endTransaction();
    void clear();
    int size() const { return int(m_kept.size()); }

private:
    static constexpr int kMostKept = 256;
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> m_kept;
    std::vector<std::unique_ptr<QSqlQuery>> m_retired;
};
