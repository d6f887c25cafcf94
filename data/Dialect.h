#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

// Every difference between the database engines lives here and in Schema.
// Nothing outside data/ knows which engine runs: callers ask the dialect for
// the few expressions that differ and bind every value as a parameter.
enum class Engine { SQLite, PostgreSQL, SQLServer };

class Dialect
{
public:
    explicit Dialect(Engine engine) : m_engine(engine) { }

    Engine engine() const { return m_engine; }
    QString driverName() const;
    QString engineName() const;

    // The trimmed, upper-cased text of a column ("upper(trim(status))").
    QString trimUpper(const QString &expr) const;

    // Conditions on one bound parameter. The old server compared text without
    // regard to case and ignored trailing blanks; these behave so everywhere.
    // Equality: role = 'Admin ' finds "admin".
    QString textEquals(const QString &expr) const;
    // The form of a text that textEquals compares, for matching two columns
    // ("upper(rtrim(p.partnumber)) = upper(rtrim(si.partnumber))").
    QString textKey(const QString &expr) const;
    // Prefix: bind likePrefix(typed) ("Sm" finds "Smith" and "smith").
    QString textStartsWith(const QString &expr) const;
    // Substring: bind likeContains(typed).
    QString textContains(const QString &expr) const;

    // Patterns for the conditions above; the typed text is matched literally
    // ("%" and "_" typed by the user are not wildcards).
    static QString likePrefix(const QString &typed);
    static QString likeContains(const QString &typed);

    // Whether a text column, read as the windows read it (trimmed, NULL as
    // ""), is exactly the bound text, case included: the guard of an update
    // that must not overwrite what another counter stored since.
    QString storedTextIs(const QString &expr) const;

    // A sort key that orders text without regard to case.
    QString orderText(const QString &expr) const;

    // The case-blind key of a text column that a search list walks on an
    // index: the expression the index holds, in an order that is the same
    // on every counter whatever the server's locale (NULLs first).
    QString searchKey(const QString &expr) const;
    // searchKey(expr) in the list's order, ascending or descending.
    QString searchOrder(const QString &expr, bool descending) const;
    // A condition that the column starts with `typed` (taken literally, case
    // aside) in the form that index serves, so a prefix reads only the rows
    // it finds; its values are appended to *values.
    QString searchKeyStartsWith(const QString &expr, const QString &typed, QVariantList *values) const;
    // The column as an expression the engine will not walk an index of, for
    // a condition that is only to be checked on the rows another index
    // walks (SQLite's planner takes any index it can otherwise).
    QString unindexed(const QString &column) const;
    // Whether the engine weighs an index by how many rows the values at hand
    // find (PostgreSQL's statistics), so that a search may leave the choice
    // between walking the sort order and sorting a few matches to it.
    bool weighsIndexesByValues() const { return m_engine == Engine::PostgreSQL; }
    // A select ("select … from … where …") cut at its first `count` rows, in
    // whatever order the engine finds them.
    QString firstRows(const QString &select, int count) const;
    // The rows from `offset`, at most `limit`, of an ordered select; its
    // values are appended to *values.
    QString pageClause(int offset, int limit, QVariantList *values) const;
    // The texts joined into one (none of them NULL).
    QString concat(const QStringList &parts) const;

    // An insert that hands back the new row's id in the same statement.
    QString insertReturningId(const QString &table, const QStringList &columns) const;

    // Statements that open and end an all-or-nothing unit of work.
    QString beginTransaction() const;

    // A subquery that reads the columns of the row it is joined to, the row
    // kept when the subquery finds nothing: "LEFT JOIN LATERAL (…) pa ON
    // true" on PostgreSQL, "OUTER APPLY (…) pa" on SQL Server. SQLite has
    // neither: "" there, and its callers use correlated subqueries.
    QString outerApply(const QString &select, const QString &alias) const;

private:
    Engine m_engine;
};
