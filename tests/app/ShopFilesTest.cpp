// What the command line must never do to the shop's files: replace the
// database with a PDF, leave a document cut short by a full disk, lose what a
// restore kept aside, hide a backup on the internal disk, open a database
// that is not what it seems; and how it says so.
#include "tests/app/ProgramRun.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpServer>

#include <sys/mount.h>

namespace {

class ShopFilesTest : public BatchCommandTest
{
protected:
    static QByteArray digest(const QString &path)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }
    static void writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    static QString copyOfDemo(const QString &name)
    {
        const QString copy = file(name);
        QFile::remove(copy);
        EXPECT_TRUE(QFile::copy(database(), copy));
        return copy;
    }
    static void writeSettings(const QString &configHome, const QByteArray &text)
    {
        QDir().mkpath(configHome + QStringLiteral("/Tessaly"));
        writeFile(configHome + QStringLiteral("/Tessaly/Tessaly.conf"), text);
    }
    // A file system of its own, of a few kilobytes; empty when this machine
    // won't let the test mount one (not root).
    static QString smallDisk(const QString &name, int kilobytes)
    {
        const QString where = file(name);
        QDir().mkpath(where);
        const QByteArray options = QByteArray("size=") + QByteArray::number(kilobytes) + "k";
        if (::mount("tmpfs", QFile::encodeName(where).constData(), "tmpfs", 0, options.constData()) != 0)
            return {};
        return where;
    }
    static void unmount(const QString &where) { ::umount2(QFile::encodeName(where).constData(), MNT_DETACH); }
    static QStringList filesIn(const QString &folder)
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

TEST_F(ShopFilesTest, WithoutADisplayTheWindowSaysSoInOneLine)
{
    const ProgramRun run = tessaly({}, {}, {QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errors.trimmed().count(QLatin1Char('\n')), 0) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QStringLiteral("no display"))) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QStringLiteral("QT_QPA_PLATFORM=offscreen")));
}

TEST_F(ShopFilesTest, APdfNeverTakesThePlaceOfADatabase)
{
    const QString shop = copyOfDemo(QStringLiteral("pdf-target.db"));
    const QByteArray before = digest(shop);
    const auto pdfOnto = [&](const QString &target) {
        return tessaly(
            {QStringLiteral("--database"), shop, QStringLiteral("--pdf"), target, QStringLiteral("inventory")});
    };
    for (const QString &target : {shop, shop + QStringLiteral("-wal"), shop + QStringLiteral("-shm")}) {
        const ProgramRun run = pdfOnto(target);
        EXPECT_EQ(run.exitCode, 1) << target.toStdString();
        EXPECT_TRUE(run.errors.contains(QStringLiteral("is the database in use; choose another file for the PDF")))
            << run.errors.toStdString();
        EXPECT_FALSE(run.errors.contains(QStringLiteral("wrote")));
    }
    EXPECT_EQ(digest(shop), before);
    // Any other database too: an old backup named by a slip of the finger.
    const QString other = copyOfDemo(QStringLiteral("other-shop.db"));
    const QByteArray otherBefore = digest(other);
    const ProgramRun run = pdfOnto(other);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("is a database; choose another file for the PDF")))
        << run.errors.toStdString();
    EXPECT_EQ(digest(other), otherBefore);
}

TEST_F(ShopFilesTest, AFullDiskKeepsTheOldPdfAndTheOldBackup)
{
    const QString disk = smallDisk(QStringLiteral("full-disk"), 16);
    if (disk.isEmpty())
        GTEST_SKIP() << "a small file system can't be mounted here";
    const QString pdf = disk + QStringLiteral("/stock.pdf");
    const QString backup = disk + QStringLiteral("/shop.tessaly-backup");
    writeFile(pdf, "the good PDF of yesterday");
    writeFile(backup, "the good backup of yesterday");
    // Fill the rest of the disk.
    {
        QFile filler(disk + QStringLiteral("/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(1024, 'x');
        while (filler.write(block) == block.size() && filler.flush()) { }
    }
    const ProgramRun printed = document(pdf, {QStringLiteral("inventory")});
    EXPECT_EQ(printed.exitCode, 1) << printed.errors.toStdString();
    EXPECT_FALSE(printed.errors.contains(QStringLiteral("wrote")));
    EXPECT_TRUE(printed.errors.contains(pdf)) << printed.errors.toStdString();
    EXPECT_EQ(digest(pdf), QCryptographicHash::hash("the good PDF of yesterday", QCryptographicHash::Sha256));

    const ProgramRun saved = tessaly({QStringLiteral("--database"), database(), QStringLiteral("--backup"), backup});
    EXPECT_EQ(saved.exitCode, 1) << saved.errors.toStdString();
    EXPECT_FALSE(saved.errors.contains(QStringLiteral("Backup written")));
    EXPECT_EQ(digest(backup), QCryptographicHash::hash("the good backup of yesterday", QCryptographicHash::Sha256));
    // No half file left behind either.
    EXPECT_EQ(
        filesIn(disk),
        (QStringList{QStringLiteral("filler"), QStringLiteral("shop.tessaly-backup"), QStringLiteral("stock.pdf")}));
    unmount(disk);
}

TEST_F(ShopFilesTest, BackupsGoOnlyToAFolderThatIsThereAndAreTheOwnersAlone)
{
    const QString stick = file(QStringLiteral("usb-stick-not-mounted"));
    QDir(stick).removeRecursively();
    const ProgramRun missing = tessaly({QStringLiteral("--database"), database(), QStringLiteral("--backup"),
                                        stick + QStringLiteral("/shop.tessaly-backup")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.errors.contains(stick + QStringLiteral(" does not exist: is the disk plugged in?")))
        << missing.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(stick)) << "never made on the internal disk";

    const QString backup = file(QStringLiteral("private.tessaly-backup"));
    QFile::remove(backup);
    ASSERT_EQ(tessaly({QStringLiteral("--database"), database(), QStringLiteral("--backup"), backup}).exitCode, 0);
    EXPECT_EQ(QFileInfo(backup).permissions() & 0x7077, QFile::ReadOwner | QFile::WriteOwner);

    // A PDF written over a file only its owner could read stays so.
    const QString pdf = file(QStringLiteral("private.pdf"));
    writeFile(pdf, "old");
    QFile::setPermissions(pdf, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_EQ(document(pdf, {QStringLiteral("inventory")}).exitCode, 0);
    EXPECT_EQ(QFileInfo(pdf).permissions() & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(ShopFilesTest, TwoRestoresInOneSecondKeepBothCopiesAside)
{
    const QString data = file(QStringLiteral("restores"));
    QDir(data).removeRecursively();
    QDir().mkpath(data);
    const QString shop = data + QStringLiteral("/shop.db");
    QFile::copy(database(), shop);
    const QString backup = file(QStringLiteral("for-restores.tessaly-backup"));
    QFile::remove(backup);
    ASSERT_EQ(tessaly({QStringLiteral("--database"), shop, QStringLiteral("--backup"), backup}).exitCode, 0);
    const QMap<QString, QString> env{{QStringLiteral("TESSALY_DATA_DIR"), data}};
    const QStringList restore{QStringLiteral("--database"), shop, QStringLiteral("--restore"), backup,
                              QStringLiteral("--yes")};
    const ProgramRun first = tessaly(restore, env);
    const ProgramRun second = tessaly(restore, env); // the clock is fixed: the same second
    ASSERT_EQ(first.exitCode, 0) << first.errors.toStdString();
    ASSERT_EQ(second.exitCode, 0) << second.errors.toStdString();
    const QStringList aside = QDir(data).entryList({QStringLiteral("tessaly-before-restore-*")}, QDir::Files);
    ASSERT_EQ(aside.size(), 2) << aside.join(QLatin1Char(' ')).toStdString();
    for (const QString &name : aside) {
        EXPECT_TRUE(first.errors.contains(name) || second.errors.contains(name))
            << "the message names " << name.toStdString();
        EXPECT_EQ(QFileInfo(QDir(data).filePath(name)).permissions() & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
    }
}

TEST_F(ShopFilesTest, AnEngineTheProgramDoesNotKnowOpensNothing)
{
    const QString home = file(QStringLiteral("engine-config"));
    const QString data = file(QStringLiteral("engine-data"));
    QDir(data).removeRecursively();
    writeSettings(home, "[Database]\nEngine=PostgresSQL\n");
    const ProgramRun run = tessaly(
        {QStringLiteral("--pdf"), file(QStringLiteral("engine.pdf")), QStringLiteral("inventory")},
        {{QStringLiteral("XDG_CONFIG_HOME"), home}, {QStringLiteral("TESSALY_DATA_DIR"), data}});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("[Database] Engine=PostgresSQL"))) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QStringLiteral("SQLite, PostgreSQL or SQLServer")));
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("/tessaly.db"))) << "never a new empty shop";
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("engine.pdf"))));
}

TEST_F(ShopFilesTest, AFileOfAnotherProgramIsLeftAsItIs)
{
    const QString foreign = file(QStringLiteral("their-notes.db"));
    QFile::remove(foreign);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("foreign"));
        db.setDatabaseName(foreign);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("create table notes (id integer primary key, body text)")));
        ASSERT_TRUE(q.exec(QStringLiteral("insert into notes (body) values ('keep me')")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("foreign"));
    const QByteArray before = digest(foreign);
    const ProgramRun run = tessaly({QStringLiteral("--database"), foreign, QStringLiteral("--pdf"),
                                    file(QStringLiteral("foreign.pdf")), QStringLiteral("inventory")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(foreign + QStringLiteral(" is not a Tessaly database")))
        << run.errors.toStdString();
    EXPECT_EQ(digest(foreign), before);
    EXPECT_FALSE(QFileInfo::exists(foreign + QStringLiteral("-wal")));

    // A file that is no database at all, in the shop's words.
    const QString junk = file(QStringLiteral("letter.db"));
    writeFile(junk, QByteArray("Dear customer, this is a letter and not a database.\n").repeated(100));
    const ProgramRun notDb = tessaly({QStringLiteral("--database"), junk, QStringLiteral("--pdf"),
                                      file(QStringLiteral("junk.pdf")), QStringLiteral("inventory")});
    EXPECT_EQ(notDb.exitCode, 1);
    EXPECT_TRUE(notDb.errors.contains(junk + QStringLiteral(" is not a database"))) << notDb.errors.toStdString();
    EXPECT_FALSE(notDb.errors.contains(QStringLiteral("PRAGMA")));
    EXPECT_FALSE(notDb.errors.contains(QStringLiteral("sqlite_master")));

    // An empty file may become a new shop's database.
    const QString empty = file(QStringLiteral("new-shop.db"));
    writeFile(empty, QByteArray());
    const ProgramRun made = tessaly({QStringLiteral("--database"), empty, QStringLiteral("--pdf"),
                                     file(QStringLiteral("empty.pdf")), QStringLiteral("inventory")});
    EXPECT_NE(made.exitCode, 1) << made.errors.toStdString();
    EXPECT_GT(QFileInfo(empty).size(), 0);
}

TEST_F(ShopFilesTest, TheDemoGoesOnlyIntoANewFile)
{
    const QString shop = file(QStringLiteral("own-shop.db"));
    QFile::remove(shop);
    writeFile(shop, QByteArray());
    // The shop's own database, made by the program and holding one product.
    ASSERT_NE(tessaly({QStringLiteral("--database"), shop, QStringLiteral("--pdf"), file(QStringLiteral("own.pdf")),
                       QStringLiteral("inventory")})
                  .exitCode,
              1);
    const QByteArray before = digest(shop);
    const ProgramRun run = tessaly({QStringLiteral("--demo"), QStringLiteral("--database"), shop,
                                    QStringLiteral("--pdf"), file(QStringLiteral("demo-into-shop.pdf")),
                                    QStringLiteral("inventory")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("the demo shop is only put into a new file")))
        << run.errors.toStdString();
    EXPECT_EQ(digest(shop), before);
    // Nor into a folder that is not there: it is never made on the internal disk.
    const QString unplugged = file(QStringLiteral("unplugged-stick"));
    QDir(unplugged).removeRecursively();
    const ProgramRun stick = tessaly({QStringLiteral("--demo"), QStringLiteral("--database"),
                                      unplugged + QStringLiteral("/demo.db"), QStringLiteral("--pdf"),
                                      file(QStringLiteral("stick.pdf")), QStringLiteral("inventory")});
    EXPECT_EQ(stick.exitCode, 2);
    EXPECT_TRUE(stick.errors.contains(QStringLiteral("is the disk plugged in?"))) << stick.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(unplugged));
    // The demo itself opens again under --demo --database.
    EXPECT_EQ(tessaly({QStringLiteral("--demo"), QStringLiteral("--database"), database(), QStringLiteral("--pdf"),
                       file(QStringLiteral("demo-again.pdf")), QStringLiteral("inventory")})
                  .exitCode,
              0);
}

TEST_F(ShopFilesTest, BadArgumentsWriteNothingAtAll)
{
    const QString data = file(QStringLiteral("untouched"));
    QDir(data).removeRecursively();
    const QMap<QString, QString> env{{QStringLiteral("TESSALY_DATA_DIR"), data}};
    const ProgramRun badDate = tessaly({QStringLiteral("--demo"), QStringLiteral("--pdf"),
                                        file(QStringLiteral("x.pdf")), QStringLiteral("daily-summary"),
                                        QStringLiteral("yesterday")},
                                       env);
    EXPECT_EQ(badDate.exitCode, 2);
    EXPECT_FALSE(QFileInfo::exists(data)) << "not even the demo's files";
    QMap<QString, QString> badClock = env;
    badClock.insert(QStringLiteral("TESSALY_NOW"), QStringLiteral("7 Dec 2026"));
    const ProgramRun clock = tessaly(
        {QStringLiteral("--demo"), QStringLiteral("--pdf"), file(QStringLiteral("x.pdf")), QStringLiteral("inventory")},
        badClock);
    EXPECT_EQ(clock.exitCode, 2);
    EXPECT_TRUE(clock.errors.contains(QStringLiteral("yyyy-MM-dd HH:mm:ss"))) << clock.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(data));
    const ProgramRun unconfirmed = tessaly({QStringLiteral("--demo"), QStringLiteral("--restore"), database()}, env);
    EXPECT_EQ(unconfirmed.exitCode, 2);
    EXPECT_FALSE(QFileInfo::exists(data + QStringLiteral("/demo.db")));
    const ProgramRun noBackup = tessaly({QStringLiteral("--demo"), QStringLiteral("--restore"),
                                         file(QStringLiteral("no-such.tessaly-backup")), QStringLiteral("--yes")},
                                        env);
    EXPECT_EQ(noBackup.exitCode, 2);
    EXPECT_TRUE(noBackup.errors.contains(file(QStringLiteral("no-such.tessaly-backup"))))
        << noBackup.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(data)) << "the demo is not made for a restore that can't happen";
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("x.pdf"))));
}

TEST_F(ShopFilesTest, NothingToPrintForTheShopsDataSaysWhyWithStatusThree)
{
    const QString shop = copyOfDemo(QStringLiteral("gone-customer.db"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("gone"));
        db.setDatabaseName(shop);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(
            q.exec(QStringLiteral("delete from customer where id = (select customerid from sales where id = 5)")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("gone"));
    const QString pdf = file(QStringLiteral("gone.pdf"));
    const ProgramRun gone = tessaly({QStringLiteral("--database"), shop, QStringLiteral("--pdf"), pdf,
                                     QStringLiteral("invoice"), QStringLiteral("5")});
    EXPECT_EQ(gone.exitCode, 3);
    EXPECT_TRUE(gone.errors.contains(QStringLiteral("ticket 5 has no customer any more"))) << gone.errors.toStdString();
    const ProgramRun nobody = tessaly({QStringLiteral("--database"), shop, QStringLiteral("--pdf"), pdf,
                                       QStringLiteral("payroll"), QStringLiteral("99"), QStringLiteral("2026"),
                                       QStringLiteral("weekly")});
    EXPECT_EQ(nobody.exitCode, 3);
    EXPECT_TRUE(nobody.errors.contains(QStringLiteral("there is no employee 99"))) << nobody.errors.toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

TEST_F(ShopFilesTest, ADamagedBackupIsCalledDamaged)
{
    const QString backup = file(QStringLiteral("damaged.tessaly-backup"));
    QFile::remove(backup);
    ASSERT_EQ(tessaly({QStringLiteral("--database"), database(), QStringLiteral("--backup"), backup}).exitCode, 0);
    {
        // A stick that lost the second half of the file.
        QFile f(backup);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.resize(f.size() / 2);
        f.seek(f.size() / 2);
        f.write(QByteArray(4096, '\xA5'));
    }
    const ProgramRun run = tessaly({QStringLiteral("--database"), copyOfDemo(QStringLiteral("restore-damaged.db")),
                                    QStringLiteral("--restore"), backup, QStringLiteral("--yes")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(backup + QStringLiteral(" is damaged"))) << run.errors.toStdString();
    EXPECT_FALSE(run.errors.contains(QStringLiteral("not a Tessaly backup")));
}

TEST_F(ShopFilesTest, ALetterheadLineWithACommaPrintsWhole)
{
    const QString home = file(QStringLiteral("letterhead-config"));
    writeSettings(home, "[Letterhead]\nStreet=12 Main Street\nCityStateZip=Portland, OR 97201\n");
    const QString pdf = file(QStringLiteral("portland.pdf"));
    const ProgramRun run = tessaly({QStringLiteral("--database"), database(), QStringLiteral("--pdf"), pdf,
                                    QStringLiteral("invoice"), QStringLiteral("5")},
                                   {{QStringLiteral("XDG_CONFIG_HOME"), home}});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(text(pdf).contains(QStringLiteral("Portland, OR 97201"))) << text(pdf).toStdString();
}

TEST_F(ShopFilesTest, AServerThatNeverAnswersIsGivenUpAfterFiveSeconds)
{
    QTcpServer silent; // accepts the connection and never says a word
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    const QString home = file(QStringLiteral("silent-server-config"));
    writeSettings(
        home,
        QStringLiteral("[Database]\nEngine=SQLServer\nServername=127.0.0.1:%1\n").arg(silent.serverPort()).toUtf8());
    QElapsedTimer clock;
    clock.start();
    const ProgramRun run = tessaly(
        {QStringLiteral("--pdf"), file(QStringLiteral("silent.pdf")), QStringLiteral("inventory")},
        {{QStringLiteral("XDG_CONFIG_HOME"), home}});
    EXPECT_LT(clock.elapsed(), 30000) << "not minutes";
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("Unable to connect"))) << run.errors.toStdString();
}

TEST_F(ShopFilesTest, AReadOnlyDatabaseOpensAndSaysSo)
{
    const QString disk = smallDisk(QStringLiteral("read-only-disk"), 4096);
    if (disk.isEmpty())
        GTEST_SKIP() << "a small file system can't be mounted here";
    const QString shop = disk + QStringLiteral("/shop.db");
    ASSERT_EQ(tessaly({QStringLiteral("--database"), database(), QStringLiteral("--backup"), shop}).exitCode, 0);
    ASSERT_EQ(::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
    const QString pdf = file(QStringLiteral("from-read-only.pdf"));
    const ProgramRun printed = tessaly(
        {QStringLiteral("--database"), shop, QStringLiteral("--pdf"), pdf, QStringLiteral("inventory")});
    EXPECT_EQ(printed.exitCode, 0) << printed.errors.toStdString();
    // The window says it at once, before any change is tried.
    const ProgramRun window = tessaly({QStringLiteral("--database"), shop},
                                      {{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")},
                                       {QStringLiteral("TESSALY_STARTUP_PROBE"), QStringLiteral("1")}});
    EXPECT_TRUE(window.errors.contains(QStringLiteral("is read-only: documents can be printed")))
        << window.errors.toStdString();
    EXPECT_TRUE(window.errors.contains(shop));
    unmount(disk);
}

TEST_F(ShopFilesTest, TheDemoStartsOnAMachineThatHasNeverRunTheProgram)
{
    // A new user's home: neither the data folder nor the settings exist yet.
    const QString home = file(QStringLiteral("new-machine"));
    QDir(home).removeRecursively();
    const ProgramRun run = tessaly({QStringLiteral("--demo")},
                                   {{QStringLiteral("TESSALY_DATA_DIR"), home + QStringLiteral("/data")},
                                    {QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config")},
                                    {QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")},
                                    {QStringLiteral("TESSALY_STARTUP_PROBE"), QStringLiteral("1")}});
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(QFileInfo::exists(home + QStringLiteral("/data/demo.db")));
    // A refusal offscreen is a line and an exit, never a box nobody can close.
    const ProgramRun refused = tessaly(
        {QStringLiteral("--demo"), QStringLiteral("--database"), home + QStringLiteral("/stick/shop.db")},
        {{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")},
         {QStringLiteral("TESSALY_STARTUP_PROBE"), QStringLiteral("1")}});
    EXPECT_EQ(refused.exitCode, 2) << refused.errors.toStdString();
    EXPECT_TRUE(refused.errors.contains(QStringLiteral("is the disk plugged in?"))) << refused.errors.toStdString();
}

TEST_F(ShopFilesTest, ARelativeDataFolderIsNamedWhole)
{
    const ProgramRun run = tessaly(
        {QStringLiteral("--pdf"), file(QStringLiteral("relative.pdf")), QStringLiteral("inventory")},
        {{QStringLiteral("TESSALY_DATA_DIR"), QStringLiteral("relative-shop-folder")}});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(
        run.errors.contains(QDir::current().absoluteFilePath(QStringLiteral("relative-shop-folder/tessaly.db"))))
        << run.errors.toStdString();
}

} // namespace
