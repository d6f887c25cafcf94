// No SQL Server runs where these tests run. Without one they prove: the
// statements that create, find and upgrade the schema on SQL Server, and the
// dialect's fragments, are the ones rendered in the checked-in
// tests/data/sqlserver_statements.sql (reviewed with the code), and the
// script a shop may run by hand is the program's own; none of those
// statements, nor any SQL text of the stores, uses a construct T-SQL lacks;
// and the connection string is written the way FreeTDS reads it. They cannot
// prove that a server accepts the statements, nor what they do there.
#include "data/Database.h"
#include "data/Dialect.h"
#include "data/Schema.h"
#include "tests/support/RecordingPrompts.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QString kSourceDir = QStringLiteral(TESSALY_SOURCE_DIR);

QRegularExpression ci(const QString &pattern)
{
    return QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption);
}

// SQL text with its "--" comments dropped and every quoted literal emptied
// ('CASH' becomes ''), so that only the SQL itself is looked at.
QString withoutQuotedText(const QString &sql)
{
    QString out;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        if (sql[i] == QLatin1Char('\'')) {
            out += QStringLiteral("''");
            for (++i; i < sql.size(); ++i) {
                if (sql[i] == QLatin1Char('\'') && sql.mid(i + 1, 1) == QLatin1String("'"))
                    ++i;
                else if (sql[i] == QLatin1Char('\''))
                    break;
            }
        } else if (sql.mid(i, 2) == QLatin1String("--")) {
            i = sql.indexOf(QLatin1Char('\n'), i);
            if (i < 0)
                break;
        } else {
            out += sql[i];
        }
    }
    return out;
}

// ORDER BY inside parentheses (a subquery, a derived table) or in a view:
// T-SQL refuses both without TOP. OVER (ORDER BY …) is fine.
bool ordersInsideSubquery(const QString &sql)
{
    const bool view = sql.trimmed().startsWith(QLatin1String("CREATE VIEW"), Qt::CaseInsensitive);
    for (auto it = ci(QStringLiteral("\\bORDER\\s+BY\\b")).globalMatch(sql); it.hasNext();) {
        const qsizetype at = it.next().capturedStart();
        QList<qsizetype> open;
        for (qsizetype i = 0; i < at; ++i) {
            if (sql[i] == QLatin1Char('('))
                open << i;
            else if (sql[i] == QLatin1Char(')') && !open.isEmpty())
                open.removeLast();
        }
        if (open.isEmpty() ? view
                           : !sql.left(open.last()).trimmed().endsWith(QLatin1String("OVER"), Qt::CaseInsensitive)
                    && !sql.mid(open.last(), at - open.last()).contains(ci(QStringLiteral("\\bTOP\\b"))))
            return true;
    }
    return false;
}

// The constructs of SQLite's and PostgreSQL's SQL that T-SQL (SQL Server
// 2016) lacks, found in one statement or fragment.
QStringList tsqlLacks(const QString &statement)
{
    static const std::vector<std::pair<const char *, QRegularExpression>> kLacking = {
        {"LATERAL", ci(QStringLiteral("\\bLATERAL\\b"))},
        {"LIMIT", ci(QStringLiteral("\\bLIMIT\\b"))},
        {"RETURNING", ci(QStringLiteral("\\bRETURNING\\b"))},
        {"GLOB", ci(QStringLiteral("\\bGLOB\\b"))},
        {"ON CONFLICT", ci(QStringLiteral("\\bON\\s+CONFLICT\\b"))},
        {"ILIKE", ci(QStringLiteral("\\bILIKE\\b"))},
        {"true/false", ci(QStringLiteral("\\b(TRUE|FALSE)\\b"))},
        {"||", ci(QStringLiteral("\\|\\|"))},
        {"::", ci(QStringLiteral("::"))},
        {"expression index",
         ci(QStringLiteral("\\bCREATE\\s+(UNIQUE\\s+)?INDEX\\s+\\w+\\s+ON\\s+\\w+\\s*\\([^)]*\\("))},
        {"NULLS FIRST/LAST", ci(QStringLiteral("\\bNULLS\\s+(FIRST|LAST)\\b"))},
        {"IF NOT EXISTS", ci(QStringLiteral("\\bIF\\s+NOT\\s+EXISTS\\b"))},
        {"DISTINCT ON", ci(QStringLiteral("\\bDISTINCT\\s+ON\\b"))},
        {"LOCK TABLE", ci(QStringLiteral("\\bLOCK\\s+TABLE\\b"))},
        {"SQLite word", ci(QStringLiteral("\\b(PRAGMA|AUTOINCREMENT|NOCASE|VACUUM|STRICT)\\b"))},
        {"function T-SQL lacks",
         ci(QStringLiteral("\\b(trim|substr|length|ifnull|group_concat|string_agg|strftime|greatest|least|concat_ws|"
                           "date_trunc|now|julianday)\\s*\\("))},
        {"two statements in one", ci(QStringLiteral(";"))},
    };
    const QString sql = withoutQuotedText(statement);
    QStringList found;
    for (const auto &[name, pattern] : kLacking) {
        if (sql.contains(pattern))
            found << QLatin1String(name);
    }
    if (ordersInsideSubquery(sql))
        found << QStringLiteral("ORDER BY in a subquery or view");
    return found;
}

// What tsqlLacks finds, as text for the test's messages ("" when nothing).
std::string lacks(const QString &statement)
{
    return tsqlLacks(statement).join(QStringLiteral(", ")).toStdString();
}

struct Source
{
    QString path; // relative to the source tree
    QString text;
};

// The .cpp files of the stores and reports: every one that sends SQL.
QList<Source> storeSources()
{
    QList<Source> sources;
    const QRegularExpression sends(QStringLiteral("Database::(GetRS|Execute|InsertRow)\\s*\\("));
    for (const char *folder : {"catalog", "gate", "sales", "customers", "timeclock", "reports", "maintenance"}) {
        QDirIterator it(kSourceDir + QLatin1Char('/') + QLatin1String(folder), {QStringLiteral("*.cpp")}, QDir::Files);
        while (it.hasNext()) {
            QFile file(it.next());
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QString text = QString::fromUtf8(file.readAll());
            if (text.contains(sends))
                sources << Source{file.fileName().mid(kSourceDir.size() + 1), text};
        }
    }
    std::sort(sources.begin(), sources.end(), [](const Source &a, const Source &b) { return a.path < b.path; });
    return sources;
}

// The string literals of a C++ source with the line each begins on;
// adjacent ones ("a" "b") are one. Comments and character literals are
// skipped.
QList<std::pair<int, QString>> stringLiterals(const QString &src)
{
    QList<std::pair<int, QString>> literals;
    qsizetype lastEnd = -1;
    for (qsizetype i = 0; i < src.size(); ++i) {
        const QChar c = src[i];
        if (src.mid(i, 2) == QLatin1String("//")) {
            i = src.indexOf(QLatin1Char('\n'), i);
            if (i < 0)
                break;
        } else if (src.mid(i, 2) == QLatin1String("/*")) {
            i = src.indexOf(QLatin1String("*/"), i + 2) + 1;
            if (i <= 0)
                break;
        } else if (c == QLatin1Char('\'') && !(i > 0 && src[i - 1].isLetterOrNumber())) {
            for (++i; i < src.size() && src[i] != QLatin1Char('\''); ++i) {
                if (src[i] == QLatin1Char('\\'))
                    ++i;
            }
        } else if (c == QLatin1Char('"')) {
            const qsizetype start = i;
            QString text;
            for (++i; i < src.size() && src[i] != QLatin1Char('"'); ++i) {
                if (src[i] == QLatin1Char('\\') && i + 1 < src.size())
                    ++i;
                text += src[i];
            }
            if (lastEnd >= 0 && src.mid(lastEnd + 1, start - lastEnd - 1).trimmed().isEmpty())
                literals.last().second += text;
            else
                literals.append({int(src.left(start).count(QLatin1Char('\n'))) + 1, text});
            lastEnd = i;
        }
    }
    return literals;
}

// The tables the stores insert into, each with the columns of its insert
// (a table's own columns where the store passes a list it builds).
QList<std::pair<QString, QStringList>> storeInserts(const QList<Source> &sources)
{
    const QStringList create = Schema::CreateStatements(Engine::SQLServer);
    const auto columnsOf = [&create](const QString &table) {
        QStringList columns;
        for (const QString &sql : create) {
            const QString head = QStringLiteral("CREATE TABLE %1 (").arg(table);
            if (!sql.startsWith(head))
                continue;
            for (const QString &definition : sql.mid(head.size()).chopped(1).split(QStringLiteral(", ")))
                columns << definition.section(QLatin1Char(' '), 0, 0);
            columns.removeAll(QStringLiteral("id"));
        }
        return columns;
    };
    QList<std::pair<QString, QStringList>> inserts;
    const QRegularExpression call(
        QStringLiteral("InsertRow\\(\\s*QStringLiteral\\(\"(\\w+)\"\\)\\s*,\\s*(\\{[^}]*\\}|\\w+)"));
    const QRegularExpression column(QStringLiteral("QStringLiteral\\(\"(\\w+)\"\\)"));
    for (const Source &source : sources) {
        for (auto it = call.globalMatch(source.text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            QStringList columns;
            for (auto c = column.globalMatch(m.captured(2)); c.hasNext();)
                columns << c.next().captured(1);
            const std::pair<QString, QStringList> insert{
                m.captured(1), m.captured(2).startsWith(QLatin1Char('{')) ? columns : columnsOf(m.captured(1))};
            if (!inserts.contains(insert))
                inserts << insert;
        }
    }
    std::sort(inserts.begin(), inserts.end());
    return inserts;
}

// The statements of the schema on SQL Server, and every fragment the dialect
// gives the stores, each under what makes it.
QList<std::pair<QString, QString>> renderedStatements(const QList<Source> &sources)
{
    const Engine e = Engine::SQLServer;
    const Dialect d(e);
    QList<std::pair<QString, QString>> all;
    const auto add = [&all](const QString &label, const QStringList &statements) {
        for (const QString &sql : statements)
            all.append({label, sql});
    };
    add(QStringLiteral("Schema::CreateStatements (an empty catalog; each its own batch, in one transaction)"),
        Schema::CreateStatements(e));
    for (int version = 2; version <= Schema::kSchemaVersion; ++version)
        add(QStringLiteral("Schema::UpgradeStep %1 (each its own batch, in one transaction)").arg(version),
            Schema::UpgradeStep(e, version));
    add(QStringLiteral("Schema::MarkerStatements"), Schema::MarkerStatements(e));
    add(QStringLiteral("Dialect::beginTransaction"), {d.beginTransaction()});
    add(QStringLiteral("Dialect::trimUpper(status)"), {d.trimUpper(QStringLiteral("status"))});
    add(QStringLiteral("Dialect::textEquals(barcode)"), {d.textEquals(QStringLiteral("barcode"))});
    add(QStringLiteral("Dialect::textKey(partnumber)"), {d.textKey(QStringLiteral("partnumber"))});
    add(QStringLiteral("Dialect::textStartsWith(lastname)"), {d.textStartsWith(QStringLiteral("lastname"))});
    add(QStringLiteral("Dialect::textContains(description)"), {d.textContains(QStringLiteral("description"))});
    add(QStringLiteral("Dialect::orderText(lastname)"), {d.orderText(QStringLiteral("lastname"))});
    add(QStringLiteral("Dialect::outerApply(SELECT 1 AS one, pa)"),
        {d.outerApply(QStringLiteral("SELECT 1 AS one"), QStringLiteral("pa"))});
    add(QStringLiteral("Dialect::insertReturningId(sales, no columns)"),
        {d.insertReturningId(QStringLiteral("sales"), {})});
    for (const auto &[table, columns] : storeInserts(sources))
        add(QStringLiteral("Dialect::insertReturningId(%1, %2)").arg(table, columns.join(QStringLiteral(", "))),
            {d.insertReturningId(table, columns)});
    return all;
}

QString statementsFile(const QList<std::pair<QString, QString>> &statements)
{
    QString text = QStringLiteral("-- The statements that create, find and upgrade Tessaly's schema on SQL Server,\n"
                                  "-- and every fragment the dialect gives the stores' SQL, as this build renders\n"
                                  "-- them, each under a line naming what makes it. test_data compares this file\n"
                                  "-- with the build; after a change that is meant:\n"
                                  "-- TESSALY_REGENERATE=1 build/tests/data/test_data --gtest_filter='SqlServer*'\n"
                                  "-- then review the diff.\n");
    QString label;
    for (const auto &[l, sql] : statements) {
        if (l != label)
            text += QStringLiteral("\n-- ") + l + QLatin1Char('\n');
        label = l;
        text += sql + QLatin1Char('\n');
    }
    return text;
}

// The script a shop may run by hand: the program's own statements for an
// empty catalog, one batch each.
QString schemaScript()
{
    QString text = QStringLiteral(
        "-- Tessaly schema for SQL Server (reached through ODBC / FreeTDS).\n"
        "-- The program creates the same itself on a catalog that has no \"sales\" table;\n"
        "-- this script is for a catalog made by hand: sqlcmd -S HOST -d Tessaly -i schema_sqlserver.sql\n"
        "-- Written from data/Schema.cpp by test_data (TESSALY_REGENERATE=1); edit that, not this.\n"
        "-- The program relies on the catalog's collation comparing text without regard to case.\n");
    for (const QString &sql : Schema::CreateStatements(Engine::SQLServer))
        text += sql + QStringLiteral("\nGO\n");
    return text;
}

// Compares text with a checked-in file, or writes it there when
// TESSALY_REGENERATE=1.
void expectFileHolds(const QString &relative, const QString &text)
{
    QFile file(kSourceDir + QLatin1Char('/') + relative);
    if (qEnvironmentVariableIntValue("TESSALY_REGENERATE") == 1) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << file.fileName().toStdString();
        file.write(text.toUtf8());
        return;
    }
    const char *regenerate = "TESSALY_REGENERATE=1 build/tests/data/test_data --gtest_filter='SqlServer*'";
    ASSERT_TRUE(file.open(QIODevice::ReadOnly))
        << file.fileName().toStdString() << " is missing; write it: " << regenerate;
    const QStringList want = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    const QStringList have = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < std::max(want.size(), have.size()); ++i) {
        if (want.value(i) == have.value(i))
            continue;
        const QString w = want.value(i), h = have.value(i);
        qsizetype at = 0;
        while (at < w.size() && at < h.size() && w[at] == h[at])
            ++at;
        const qsizetype from = std::max<qsizetype>(0, at - 60);
        ADD_FAILURE() << relative.toStdString() << " is not what this build renders; first difference at line " << i + 1
                      << ", column " << at + 1 << ":\n  file:  …" << w.mid(from, 160).toStdString() << "\n  build: …"
                      << h.mid(from, 160).toStdString() << "\nWhen the change is meant: " << regenerate
                      << ", then review git diff " << relative.toStdString();
        return;
    }
}

TEST(SqlServerStatements, TheCheckFindsWhatTsqlLacksAndIgnoresQuotedText)
{
    EXPECT_EQ(lacks(QStringLiteral("select a || b from t where c = true limit 5")), "LIMIT, true/false, ||");
    EXPECT_EQ(lacks(QStringLiteral("select limited, falsehood, ltrim(rtrim(x)) from t where d = 'limit || "
                                   "true::text; x' and e = 'it''s LATERAL' -- returning")),
              "");
    EXPECT_EQ(lacks(QStringLiteral("select * from t order by a")), "");
    EXPECT_TRUE(tsqlLacks(QStringLiteral("select * from (select a from t order by a) x"))
                    .contains(QStringLiteral("ORDER BY in a subquery or view")));
    // What the other engines are given is what the check is for.
    const QString postgres = Schema::CreateStatements(Engine::PostgreSQL).join(QLatin1Char('\n'));
    EXPECT_TRUE(tsqlLacks(postgres).contains(QStringLiteral("LATERAL")));
    EXPECT_TRUE(tsqlLacks(postgres).contains(QStringLiteral("expression index")));
    EXPECT_TRUE(
        tsqlLacks(Schema::CreateStatements(Engine::SQLite).join(QLatin1Char('\n'))).contains(QStringLiteral("GLOB")));
    EXPECT_EQ(lacks(Dialect(Engine::PostgreSQL).insertReturningId(QStringLiteral("t"), {QStringLiteral("a")})),
              "RETURNING");
}

TEST(SqlServerStatements, WhatTheProgramSendsIsRenderedAndUsesNothingTsqlLacks)
{
    const QList<Source> sources = storeSources();
    ASSERT_GE(sources.size(), 15) << "the stores' sources were not found under " << kSourceDir.toStdString();
    const auto statements = renderedStatements(sources);
    expectFileHolds(QStringLiteral("tests/data/sqlserver_statements.sql"), statementsFile(statements));
    for (const auto &[label, sql] : statements)
        EXPECT_EQ(lacks(sql), "") << label.toStdString() << ": " << sql.left(300).toStdString();
    EXPECT_GE(
        std::count_if(statements.cbegin(), statements.cend(),
                      [](const auto &s) { return s.first.startsWith(QLatin1String("Dialect::insertReturningId")); }),
        10)
        << "every table the stores insert into";

    // The stores' own SQL is the same text on every engine but for the
    // dialect's fragments above.
    int sql = 0;
    for (const Source &source : sources) {
        for (const auto &[line, text] : stringLiterals(source.text)) {
            if (text.contains(ci(QStringLiteral("\\b(select|update|insert|delete)\\b"))))
                ++sql;
            EXPECT_EQ(lacks(text), "") << source.path.toStdString() << ":" << line << ": \"" << text.toStdString()
                                       << '"';
        }
    }
    EXPECT_GE(sql, 40) << "the stores' statements were not read";

    // Each view is created alone in its batch, as SQL Server requires.
    for (const QString &view : Schema::ViewStatements(Engine::SQLServer)) {
        EXPECT_TRUE(view.startsWith(QLatin1String("CREATE VIEW "))) << view.left(60).toStdString();
        EXPECT_EQ(view.count(ci(QStringLiteral("\\bCREATE\\b"))), 1) << view.left(60).toStdString();
    }
}

TEST(SqlServerSchema, TheScriptAShopMayRunByHandIsTheProgramsOwnStatements)
{
    expectFileHolds(QStringLiteral("data/schema_sqlserver.sql"), schemaScript());
}

// What FreeTDS 1.3 reads from a connection string: a value that begins with
// '{' ends at the first '}' followed by ';' (a "}}" inside is kept as two).
TEST(SqlServerConnection, ServerNamesAndValuesAreWrittenTheWayFreeTdsReadsThem)
{
    Database::ConnectionSettings s;
    s.engine = Engine::SQLServer;
    const auto server = [&s](const QString &name) {
        s.serverName = name;
        const QString text = Database::SqlServerConnectionString(s);
        return text.section(QStringLiteral("DATABASE="), 0, 0);
    };
    EXPECT_EQ(server(QString()), QStringLiteral("DRIVER={FreeTDS};SERVER=localhost;PORT=1433;"));
    EXPECT_EQ(server(QStringLiteral(" shop ")), QStringLiteral("DRIVER={FreeTDS};SERVER=shop;PORT=1433;"));
    EXPECT_EQ(server(QStringLiteral("shop:1500")), QStringLiteral("DRIVER={FreeTDS};SERVER=shop;PORT=1500;"));
    EXPECT_EQ(server(QStringLiteral("10.0.0.5,1500")), QStringLiteral("DRIVER={FreeTDS};SERVER=10.0.0.5;PORT=1500;"));
    // A named instance: FreeTDS asks the server's browser for its port.
    EXPECT_EQ(server(QStringLiteral("SHOP\\SQLEXPRESS")), QStringLiteral("DRIVER={FreeTDS};SERVER=SHOP\\SQLEXPRESS;"));
    EXPECT_EQ(server(QStringLiteral("SHOP\\SQLEXPRESS,1500")),
              QStringLiteral("DRIVER={FreeTDS};SERVER=SHOP;PORT=1500;"));

    s.serverName = QStringLiteral("shop");
    EXPECT_EQ(Database::SqlServerConnectionString(s),
              QStringLiteral("DRIVER={FreeTDS};SERVER=shop;PORT=1433;DATABASE=Tessaly;UID=kzv;PWD=kzv;"
                             "TDS_Version=7.4;ClientCharset=UTF-8;"));
    s.catalog = QStringLiteral("Shop{2}");
    s.user = QStringLiteral(" counter ");
    s.password = QStringLiteral("pa;ss}word");
    EXPECT_EQ(
        Database::SqlServerConnectionString(s).section(QStringLiteral("PORT=1433;"), 1),
        QStringLiteral("DATABASE={Shop{2}};UID={ counter };PWD={pa;ss}word};TDS_Version=7.4;ClientCharset=UTF-8;"));

    // A value FreeTDS can't be given is said, and nothing is opened.
    s.password = QStringLiteral("a};b");
    QString problem;
    EXPECT_TRUE(Database::SqlServerConnectionString(s, &problem).isEmpty());
    EXPECT_EQ(problem,
              QStringLiteral("the setting [Database] Password holds \"};\", which the SQL Server driver "
                             "(FreeTDS) cannot be given"));
    if (QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC"))) {
        RecordingPrompts prompts;
        Database::SetOverride(s);
        EXPECT_FALSE(Database::GetConnection().isValid());
        Database::SetOverride(std::nullopt);
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_EQ(prompts.messages[0], QStringLiteral("GetConnection:") + problem);
    }
}

} // namespace
