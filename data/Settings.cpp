#include "data/Settings.h"

#include "data/UserPrompts.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSettings>
#include <atomic>

namespace {

std::atomic<quint64> g_generation{0};
std::atomic<bool> g_failureTold{false};

// A setting that could not be kept is said, once a run: the user learns
// that the window sizes and choices of this run will not come back, and
// where the file is that could not be written.
void written(QSettings &s)
{
    s.sync();
    ++g_generation;
    if (s.status() == QSettings::NoError || g_failureTold.exchange(true))
        return;
    Prompts().message(QStringLiteral("The settings could not be written to %1; changes made now will be lost when "
                                     "the program ends.")
                          .arg(QDir::toNativeSeparators(s.fileName())),
                      QStringLiteral("Tessaly"));
}

QSettings store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tessaly"),
                     QStringLiteral("Tessaly"));
}

QString path(const QString &section, const QString &key)
{
    return section.trimmed() + QLatin1Char('/') + key;
}

const QString &storeFile()
{
    static const QString file = store().fileName();
    return file;
}

std::atomic<bool> g_unreadableTold{false};

// A settings file that is there but cannot be read is said, once a run:
// the program would otherwise run on its defaults (another database among
// them) without a word.
void sayIfUnreadable()
{
    if (g_unreadableTold)
        return;
    const QFileInfo file(storeFile());
    if (!file.exists() || file.isReadable() || g_unreadableTold.exchange(true))
        return;
    Prompts().message(QStringLiteral("The settings file %1 cannot be read; Tessaly runs on its defaults (the embedded "
                                     "database among them) until it can.")
                          .arg(QDir::toNativeSeparators(file.absoluteFilePath())),
                      QStringLiteral("Tessaly"));
}

} // namespace

namespace Settings {

QString get(const QString &section, const QString &key, const QString &defaultValue)
{
    sayIfUnreadable();
    const QVariant value = store().value(path(section, key));
    if (!value.isValid())
        return defaultValue;
    // A value written by hand without quotes, such as
    // "CityStateZip=Portland, OR 97201", is read by the store as a list at
    // its commas; it is one value, with its commas.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

void save(const QString &section, const QString &key, const QString &value)
{
    QSettings s = store();
    s.setValue(path(section, key), value);
    written(s);
}

bool contains(const QString &section, const QString &key)
{
    return store().contains(path(section, key));
}

void remove(const QString &section, const QString &key)
{
    QSettings s = store();
    s.remove(path(section, key));
    written(s);
}

quint64 generation()
{
    // A file changed by hand (or by another program) while this one runs
    // counts as a change too.
    static QMutex mutex;
    static QDateTime seenModified;
    static qint64 seenSize = -1;
    const QFileInfo file(storeFile());
    const QDateTime modified = file.exists() ? file.lastModified() : QDateTime();
    const qint64 size = file.exists() ? file.size() : -1;
    QMutexLocker lock(&mutex);
    if (modified != seenModified || size != seenSize) {
        seenModified = modified;
        seenSize = size;
        ++g_generation;
    }
    return g_generation;
}

double getNumber(const QString &section, const QString &key, double defaultValue)
{
    bool ok = false;
    const double value = get(section, key).trimmed().toDouble(&ok);
    return ok ? value : defaultValue;
}

} // namespace Settings

void SaveObjectSetting(const QString &section, const QString &objectName, const QString &key, const QString &value)
{
    Settings::save(section, objectName.trimmed() + QLatin1Char('.') + key, value);
}

QString GetObjectSetting(const QString &section, const QString &objectName, const QString &key,
                         const QString &defaultValue)
{
    return Settings::get(section, objectName.trimmed() + QLatin1Char('.') + key, defaultValue);
}
