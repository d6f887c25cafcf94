// The daily backups nobody has to remember: made at the first start of a day
// and at the end of a day's work, kept 14 days and 12 months, removed only
// after a new one was written, and a failure said and tried again.
#include "maintenance/AutomaticBackup.h"
#include "data/Backup.h"
#include "data/Clock.h"
#include "data/Settings.h"
#include "maintenance/DailyBackup.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/SeedData.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestEnvironment.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using namespace SeedData;

class AutomaticBackupTest : public ::testing::TestWithParam<Engine>
{
protected:
    void SetUp() override
    {
        TESSALY_USE_FRESH_DATABASE(GetParam());
        forgetSettings();
        QDir(AutomaticBackup::Folder()).removeRecursively();
    }
    void TearDown() override
    {
        Clock::setFixed(std::nullopt);
        forgetSettings();
        QDir(AutomaticBackup::Folder()).removeRecursively();
    }
    static void forgetSettings()
    {
        for (const char *key : {"Folder", "Automatic", "LastFailed", "ServerNoteTold"})
            Settings::remove(QStringLiteral("Backup"), QLatin1String(key));
    }
    static void at(const QDate &day, int hour = 8) { Clock::setFixed(QDateTime(day, QTime(hour, 0))); }
    static QString backupOf(const QDate &day)
    {
        return QDir(AutomaticBackup::Folder()).filePath(AutomaticBackup::FileName(day));
    }
    static QStringList backupsKept() { return QDir(AutomaticBackup::Folder()).entryList(QDir::Files, QDir::Name); }
    // What a backup file holds: a backup written again differs (it is
    // marked with the time it was taken).
    static QByteArray contentsOf(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                           : QByteArray();
    }
    // The program's start at a moment; the failure it said, "" when none.
    static QString startAt(const QDate &day, int hour = 8)
    {
        at(day, hour);
        DailyBackup run;
        return run.atStart();
    }
    RecordingPrompts prompts;
};

// The shop opens three days a week from January to February of the next year.
// Kept in the end: the last 14 days it opened, and the first day it opened
// in each of the last 12 months.
TEST_P(AutomaticBackupTest, AYearOfDailyBackupsKeepsTheLast14DaysAndTheFirstOfEachOfTheLast12Months)
{
    if (GetParam() == Engine::PostgreSQL)
        GTEST_SKIP() << "the keeping rule is the same for every engine; a year of dumps is long";
    customer(QStringLiteral("Year"), QStringLiteral("Round"));
    const auto opens = [](const QDate &day) { return day.dayOfWeek() % 2 == 1 && day.dayOfWeek() < 6; };
    const QDate first(2026, 1, 1), last(2027, 2, 10);
    QList<QDate> opened;
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        if (!opens(day))
            continue;
        ASSERT_EQ(startAt(day), QString()) << day.toString(Qt::ISODate).toStdString();
        opened << day;
        if (opened.size() == 14) {
            EXPECT_EQ(backupsKept().size(), 14) << "nothing is removed in the first two weeks";
        }
    }
    QStringList expected;
    for (qsizetype i = opened.size() - 14; i < opened.size(); ++i)
        expected << AutomaticBackup::FileName(opened[i]);
    for (QDate month(2026, 3, 1); month <= QDate(2027, 2, 1); month = month.addMonths(1)) {
        QDate firstOpened = month;
        while (!opens(firstOpened))
            firstOpened = firstOpened.addDays(1);
        if (!expected.contains(AutomaticBackup::FileName(firstOpened)))
            expected << AutomaticBackup::FileName(firstOpened);
    }
    expected.sort();
    EXPECT_EQ(backupsKept(), expected);
    EXPECT_FALSE(QFileInfo::exists(backupOf(QDate(2026, 2, 2)))) << "the thirteenth month back is gone";
    EXPECT_TRUE(QFileInfo::exists(backupOf(QDate(2026, 3, 2)))) << "the first Monday of March";
    EXPECT_FALSE(QFileInfo::exists(backupOf(QDate(2026, 3, 4))));
}

// Backups dated after today, left by a clock that was set ahead, neither take
// the places of the days kept nor push out the backup just written.
TEST_P(AutomaticBackupTest, BackupsDatedAfterTodayDoNotPushOutTodaysBackup)
{
    customer(QStringLiteral("Dora"), QStringLiteral("Later"));
    ASSERT_EQ(startAt(QDate(2026, 12, 1)), QString()); // December's first, kept as the month's
    for (int d = 1; d <= 15; ++d)
        ASSERT_EQ(startAt(QDate(2027, 1, d)), QString());
    ASSERT_EQ(startAt(QDate(2026, 12, 8)), QString());
    EXPECT_TRUE(QFileInfo::exists(backupOf(QDate(2026, 12, 8))));
    EXPECT_TRUE(QFileInfo::exists(backupOf(QDate(2027, 1, 1))));
}

TEST_P(AutomaticBackupTest, TodaysBackupIsMadeAtTheFirstStartOfTheDayOnly)
{
    customer(QStringLiteral("First"), QStringLiteral("Start"));
    const QDate day(2026, 12, 8);
    EXPECT_EQ(startAt(day, 8), QString());
    ASSERT_TRUE(QFileInfo(backupOf(day)).isFile()) << backupsKept().join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(Backup::Inspect(backupOf(day)).valid);
    const QByteArray morning = contentsOf(backupOf(day));

    QThread::sleep(1); // a dump says when it was taken to the second
    EXPECT_EQ(startAt(day, 11), QString());
    EXPECT_EQ(contentsOf(backupOf(day)), morning) << "a second start the same day makes none";

    EXPECT_EQ(startAt(day.addDays(1), 8), QString());
    EXPECT_EQ(backupsKept().size(), 2);
}

// At the end of the run, a backup when anything was written since the
// start's: the day's work is in it.
TEST_P(AutomaticBackupTest, TheCloseBackupIsMadeWhenTheDaysWorkWroteAnything)
{
    const QDate day(2026, 12, 8);
    customer(QStringLiteral("Morning"), QStringLiteral("Customer"));
    {
        at(day, 8);
        DailyBackup run;
        EXPECT_EQ(run.atStart(), QString());
        const QByteArray morning = contentsOf(backupOf(day));
        QThread::sleep(1); // a dump says when it was taken to the second
        at(day, 12);
        EXPECT_EQ(run.atClose(), QString());
        EXPECT_EQ(contentsOf(backupOf(day)), morning) << "nothing was written: no backup at the end";
    }
    at(day, 13);
    DailyBackup run;
    EXPECT_EQ(run.atStart(), QString());
    const QByteArray noon = contentsOf(backupOf(day));
    customer(QStringLiteral("Afternoon"), QStringLiteral("Customer"));
    QThread::sleep(1);
    at(day, 18);
    EXPECT_EQ(run.atClose(), QString());
    EXPECT_NE(contentsOf(backupOf(day)), noon) << "the day's work was written: a backup at the end";

    // The backup of the end of the day brings the afternoon's customer back.
    Database::Execute(QStringLiteral("delete from customer"));
    const Backup::Result r = Backup::Restore(backupOf(day));
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(count(QStringLiteral("customer")), 2);
}

TEST_P(AutomaticBackupTest, TurnedOffNoneIsMade)
{
    Settings::save(QStringLiteral("Backup"), QStringLiteral("Automatic"), QStringLiteral("false"));
    customer(QStringLiteral("No"), QStringLiteral("Backup"));
    at(QDate(2026, 12, 8), 8);
    DailyBackup run;
    EXPECT_EQ(run.atStart(), QString());
    customer(QStringLiteral("Still"), QStringLiteral("None"));
    EXPECT_EQ(run.atClose(), QString());
    EXPECT_TRUE(backupsKept().isEmpty());
}

// A backup folder that is a file, or gone (a disk not plugged in), is said;
// the next start tries again, the same day too.
TEST_P(AutomaticBackupTest, AFolderThatIsAFileOrGoneIsSaidAndTheNextStartTriesAgain)
{
    const QDate day(2026, 12, 8);
    const QString notAFolder = TestEnvironment::root() + QStringLiteral("/stick-is-a-file");
    QFile f(notAFolder);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a folder\n");
    f.close();
    Settings::save(QStringLiteral("Backup"), QStringLiteral("Folder"), notAFolder);
    const QString said = startAt(day, 8);
    EXPECT_TRUE(said.startsWith(QStringLiteral("The automatic backup was not made (the backup folder ")))
        << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("is a file, not a folder"))) << said.toStdString();
    EXPECT_TRUE(said.endsWith(QStringLiteral("The next start tries again."))) << said.toStdString();
    EXPECT_TRUE(prompts.messages.isEmpty()) << "said once, by the caller";

    const QString gone = TestEnvironment::root() + QStringLiteral("/media/usb/backups");
    Settings::save(QStringLiteral("Backup"), QStringLiteral("Folder"), gone);
    EXPECT_TRUE(startAt(day, 9).contains(QStringLiteral("does not exist: is the disk plugged in?")));
    EXPECT_FALSE(QFileInfo::exists(gone)) << "a folder of another disk is never made on this one";

    QDir().mkpath(gone);
    EXPECT_EQ(startAt(day, 10), QString());
    const QString made = QDir(gone).filePath(AutomaticBackup::FileName(day));
    EXPECT_TRUE(QFileInfo(made).isFile());
    const QByteArray first = contentsOf(made);
    QThread::sleep(1);
    EXPECT_EQ(startAt(day, 11), QString());
    EXPECT_EQ(contentsOf(made), first) << "once made, the day's backup is not made again at the next start";
    QDir(TestEnvironment::root() + QStringLiteral("/media")).removeRecursively();
    QFile::remove(notAFolder);
}

// A backup that can't be written (the day's name is taken by a full disk)
// removes none of the older ones, which a backup written would have.
TEST_P(AutomaticBackupTest, ABackupThatCannotBeWrittenLeavesEveryOlderOne)
{
    customer(QStringLiteral("Kept"), QStringLiteral("Safe"));
    const QDate firstDay(2026, 12, 1);
    for (int i = 0; i < 15; ++i)
        ASSERT_EQ(startAt(firstDay.addDays(i)), QString());
    ASSERT_EQ(backupsKept().size(), 15);
    const QDate full = firstDay.addDays(15);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), backupOf(full)));
    const QString said = startAt(full);
    EXPECT_TRUE(said.contains(QStringLiteral("is not a regular file"))) << said.toStdString();
    EXPECT_TRUE(QFileInfo::exists(backupOf(firstDay.addDays(1)))) << "nothing removed after a failure";
    EXPECT_FALSE(QFileInfo(QStringLiteral("/dev/full")).isFile()) << "the device was replaced by a file";

    ASSERT_TRUE(QFile::remove(backupOf(full)));
    EXPECT_EQ(startAt(full, 9), QString()) << "tried again at the next start, the same day";
    EXPECT_FALSE(QFileInfo::exists(backupOf(firstDay.addDays(1)))) << "removed once the new one was written";
    EXPECT_TRUE(QFileInfo::exists(backupOf(firstDay))) << "the month's first is kept";
    EXPECT_EQ(backupsKept().size(), 15);
}

TEST_P(AutomaticBackupTest, TheListSaysWhenEachWasTakenItsSizeAndEngine)
{
    customer(QStringLiteral("Listed"), QStringLiteral("Customer"));
    ASSERT_EQ(startAt(QDate(2026, 12, 7)), QString());
    ASSERT_EQ(startAt(QDate(2026, 12, 8)), QString());
    const QList<AutomaticBackup::Entry> list = AutomaticBackup::List();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].file, backupOf(QDate(2026, 12, 8))) << "newest first";
    EXPECT_TRUE(list[0].taken.isValid());
    EXPECT_GE(list[0].taken, list[1].taken);
    EXPECT_EQ(list[0].bytes, QFileInfo(list[0].file).size());
    EXPECT_GT(list[0].bytes, 0);
    EXPECT_EQ(list[1].engine, GetParam() == Engine::SQLite ? QStringLiteral("SQLite") : QStringLiteral("PostgreSQL"));
}

INSTANTIATE_TEST_SUITE_P(Engines, AutomaticBackupTest, ::testing::ValuesIn(TestDatabase::Engines()),
                         [](const auto &info) { return TestDatabase::EngineName(info.param); });

} // namespace
