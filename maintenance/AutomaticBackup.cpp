#include "maintenance/AutomaticBackup.h"

#include "data/AppPaths.h"
#include "data/Backup.h"
#include "data/Clock.h"
#include "data/DateText.h"
#include "data/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <functional>

namespace AutomaticBackup {

namespace {

const QString kSection = QStringLiteral("Backup");
const QString kFailedKey = QStringLiteral("LastFailed");
const QString kServerNoteKey = QStringLiteral("ServerNoteTold");
const QString kSuffix = QStringLiteral(".tessaly-backup");
constexpr int kDailyKept = 14;
constexpr int kMonthlyKept = 12;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString namedFolder()
{
    return Settings::get(kSection, QStringLiteral("Folder")).trimmed();
}

// The day a backup's name is of; invalid for any other file.
QDate dayOfName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^tessaly-(\\d{4}-\\d\\d-\\d\\d)\\.tessaly-backup$"));
    const QRegularExpressionMatch m = pattern.match(name);
    return m.hasMatch() ? QDate::fromString(m.captured(1), Qt::ISODate) : QDate();
}

// The days kept of those that have a backup: the newest 14, and the first
// of each of the 12 newest months.
QSet<QDate> daysKept(QList<QDate> days)
{
    std::sort(days.begin(), days.end(), std::greater<QDate>());
    QSet<QDate> kept;
    for (int i = 0; i < days.size() && i < kDailyKept; ++i)
        kept.insert(days[i]);
    QMap<int, QDate> firstOfMonth; // year * 100 + month → its first day with a backup
    for (const QDate &day : days)
        firstOfMonth[day.year() * 100 + day.month()] = day; // newest first: the last one set is the month's first
    const QList<QDate> firsts = firstOfMonth.values();      // oldest month first
    for (qsizetype i = qMax<qsizetype>(0, firsts.size() - kMonthlyKept); i < firsts.size(); ++i)
        kept.insert(firsts[i]);
    return kept;
}

// Removes the daily backups the rule no longer keeps; the names of those
// removed, and in *failed of those that could not be.
QStringList prune(const QString &folder, QStringList *failed)
{
    const QDir dir(folder);
    QMap<QDate, QString> byDay;
    const QStringList names = dir.entryList({QStringLiteral("tessaly-*") + kSuffix}, QDir::Files);
    for (const QString &name : names) {
        const QDate day = dayOfName(name);
        if (day.isValid())
            byDay.insert(day, dir.filePath(name));
    }
    // Days after today (a clock that was set wrong) take none of the places
    // and are never removed; today's backup, just written, always stays.
    const QDate today = Clock::today();
    QList<QDate> past;
    for (const QDate &day : byDay.keys()) {
        if (day <= today)
            past << day;
    }
    QSet<QDate> kept = daysKept(past);
    kept.insert(today);
    for (const QDate &day : byDay.keys()) {
        if (day > today)
            kept.insert(day);
    }
    QStringList removed;
    for (auto it = byDay.cbegin(); it != byDay.cend(); ++it) {
        if (kept.contains(it.key()))
            continue;
        if (QFile::remove(it.value()))
            removed << it.value();
        else
            *failed << it.value();
    }
    return removed;
}

QString withoutFullStop(QString text)
{
    text = text.trimmed();
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

Outcome failed(const QString &file, const QString &reason)
{
    Settings::save(kSection, kFailedKey, DateText::toDb(Clock::now()));
    Outcome o;
    o.file = file;
    o.message = QStringLiteral("The automatic backup was not made (%1). The next start tries again.")
                    .arg(withoutFullStop(reason));
    return o;
}

// The folder, ready to take a backup; "" when it is, else why not.
QString prepareFolder(const QString &folder)
{
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir())
        return QStringLiteral("the backup folder %1 is a file, not a folder").arg(native(folder));
    // A folder named in the settings is on a disk of its own: one that is
    // not plugged in is said, never made on this disk instead.
    if (!info.exists() && namedFolder().isEmpty() && !QDir().mkpath(folder))
        return QStringLiteral("the backup folder %1 could not be made").arg(native(folder));
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("the backup folder %1 does not exist: is the disk plugged in?").arg(native(folder));
    return QString();
}

} // namespace

QString Folder()
{
    const QString named = namedFolder();
    if (named.isEmpty())
        return QDir(AppPaths::programFolder()).filePath(QStringLiteral("backups"));
    return QDir::cleanPath(QDir(AppPaths::programFolder()).absoluteFilePath(named));
}

bool IsOn()
{
    return Settings::get(kSection, QStringLiteral("Automatic"))
               .trimmed()
               .compare(QLatin1String("false"), Qt::CaseInsensitive)
        != 0
        && Backup::CanCreateHere();
}

QString FileName(const QDate &day)
{
    return QStringLiteral("tessaly-%1").arg(day.toString(Qt::ISODate)) + kSuffix;
}

bool IsDue()
{
    // A regular file: a name taken by anything else is no backup.
    return !QFileInfo(QDir(Folder()).filePath(FileName(Clock::today()))).isFile()
        || Settings::contains(kSection, kFailedKey);
}

Outcome Make()
{
    const QString folder = Folder();
    const QString file = QDir(folder).filePath(FileName(Clock::today()));
    if (const QString wrong = prepareFolder(folder); !wrong.isEmpty())
        return failed(file, wrong);
    const Backup::Result written = Backup::Create(file);
    if (!written.ok)
        return failed(file, written.message);
    Settings::remove(kSection, kFailedKey);
    Outcome o;
    o.ok = true;
    o.file = written.file;
    o.message = written.message;
    o.removed = prune(folder, &o.notRemoved);
    if (!o.notRemoved.isEmpty())
        o.message += QStringLiteral(" These older backups could not be removed: %1.")
                         .arg(QDir::toNativeSeparators(o.notRemoved.join(QStringLiteral(", "))));
    return o;
}

QList<Entry> List()
{
    const QDir dir(Folder());
    QList<Entry> entries;
    const QStringList names = dir.entryList({QStringLiteral("*") + kSuffix}, QDir::Files);
    for (const QString &name : names) {
        const QString file = dir.filePath(name);
        const Backup::Summary summary = Backup::Summarize(file);
        entries << Entry{file, summary.taken, QFileInfo(file).size(), summary.engine};
    }
    // Two taken within one second (a dump says no more) go by their names.
    std::sort(entries.begin(), entries.end(),
              [](const Entry &a, const Entry &b) { return a.taken != b.taken ? a.taken > b.taken : a.file > b.file; });
    return entries;
}

QString TakeServerNote()
{
    QString why;
    if (Backup::CanCreateHere(&why) || Settings::get(kSection, kServerNoteKey) == QLatin1String("true"))
        return QString();
    Settings::save(kSection, kServerNoteKey, QStringLiteral("true"));
    return QStringLiteral("Tessaly makes no automatic backups of this database: %1. Set up the server's own "
                          "backups of it.")
        .arg(why);
}

} // namespace AutomaticBackup
