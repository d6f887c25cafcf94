// The program with its windows backs the shop's database up by itself; the
// runs of the command line, the demo and a file named on the command line
// never do.
#include "tests/app/ProgramRun.h"

namespace {

class AutomaticBackupRunTest : public BatchCommandTest
{
protected:
    void SetUp() override
    {
        home = file(QStringLiteral("backup-home"));
        QDir(home).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(home + QStringLiteral("/data")));
        ASSERT_TRUE(QFile::copy(database(), home + QStringLiteral("/data/tessaly.db")));
    }
    ProgramRun run(const QStringList &args, const QString &now, bool window)
    {
        QMap<QString, QString> env{{QStringLiteral("TESSALY_DATA_DIR"), home + QStringLiteral("/data")},
                                   {QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config")},
                                   {QStringLiteral("TESSALY_NOW"), now}};
        if (window) {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            env.insert(QStringLiteral("TESSALY_STARTUP_PROBE"), QStringLiteral("1"));
        }
        return tessaly(args, env);
    }
    void settings(const QByteArray &text)
    {
        QDir().mkpath(home + QStringLiteral("/config/Tessaly"));
        QFile f(home + QStringLiteral("/config/Tessaly/Tessaly.conf"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    QStringList backups() const
    {
        return QDir(home + QStringLiteral("/data/backups")).entryList(QDir::Files, QDir::Name);
    }
    QString home;
};

TEST_F(AutomaticBackupRunTest, TheWindowsBackUpTheShopsDatabaseAndTheCommandLineNever)
{
    const QString now = QStringLiteral("2026-12-07 15:00:00");
    ASSERT_EQ(
        run({QStringLiteral("--pdf"), home + QStringLiteral("/stock.pdf"), QStringLiteral("inventory")}, now, false)
            .exitCode,
        0);
    ASSERT_EQ(run({QStringLiteral("--backup"), home + QStringLiteral("/script.tessaly-backup")}, now, false).exitCode,
              0);
    EXPECT_TRUE(backups().isEmpty()) << "a script's --backup is its own";

    const ProgramRun window = run({}, now, true);
    EXPECT_EQ(window.exitCode, 0) << window.errors.toStdString();
    EXPECT_EQ(backups(), QStringList{QStringLiteral("tessaly-2026-12-07.tessaly-backup")})
        << window.errors.toStdString();

    EXPECT_EQ(run({QStringLiteral("--demo")}, QStringLiteral("2026-12-08 08:00:00"), true).exitCode, 0);
    EXPECT_EQ(run({QStringLiteral("--database"), home + QStringLiteral("/data/tessaly.db")},
                  QStringLiteral("2026-12-08 09:00:00"), true)
                  .exitCode,
              0);
    EXPECT_EQ(backups().size(), 1) << "neither the demo nor a file named on the command line is backed up";

    settings("[Backup]\nAutomatic=false\n");
    EXPECT_EQ(run({}, QStringLiteral("2026-12-09 08:00:00"), true).exitCode, 0);
    EXPECT_EQ(backups().size(), 1);
}

TEST_F(AutomaticBackupRunTest, AFailedBackupIsSaidAndTheProgramGoesOn)
{
    const QString notAFolder = home + QStringLiteral("/not-a-folder");
    QFile f(notAFolder);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    settings("[Backup]\nFolder=" + notAFolder.toUtf8() + "\n");
    const ProgramRun window = run({}, QStringLiteral("2026-12-07 08:00:00"), true);
    EXPECT_EQ(window.exitCode, 0) << window.errors.toStdString();
    EXPECT_EQ(window.errors.count(QStringLiteral("The automatic backup was not made")), 1)
        << window.errors.toStdString();
    EXPECT_TRUE(window.errors.contains(QStringLiteral("is a file, not a folder"))) << window.errors.toStdString();
}

} // namespace
