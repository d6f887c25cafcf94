#include "maintenance/UpdateDownload.h"

#include "data/AppPaths.h"
#include "data/Clock.h"
#include "data/Settings.h"

#include <QDir>
#include <QFile>
#include <QUrl>
#include <curl/curl.h>

namespace UpdateDownload {

namespace {

struct Transfer
{
    QFile *file = nullptr;
    const Progress *progress = nullptr;
    qint64 written = 0;
    bool writeFailed = false;
};

size_t writeChunk(char *data, size_t size, size_t count, void *user)
{
    auto *t = static_cast<Transfer *>(user);
    const qint64 n = qint64(size * count);
    if (t->file->write(data, n) != n) {
        t->writeFailed = true;
        return 0; // makes curl stop with a write error
    }
    t->written += n;
    return size_t(n);
}

int progressChunk(void *user, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t)
{
    auto *t = static_cast<Transfer *>(user);
    if (t->progress && *t->progress && !(*t->progress)(qint64(now), qint64(total)))
        return 1; // cancelled
    return 0;
}

QString urlFor(const Settings &s)
{
    QUrl url;
    url.setScheme(QStringLiteral("ftp"));
    QString host = s.host.trimmed();
    const int colon = host.lastIndexOf(QLatin1Char(':'));
    if (colon > 0) {
        url.setPort(host.mid(colon + 1).toInt());
        host = host.left(colon);
    }
    url.setHost(host);
    url.setPath(QLatin1Char('/') + s.remoteFile);
    return url.toString(QUrl::FullyEncoded);
}

CURLcode perform(const Settings &s, Transfer &transfer, char *errorBuffer)
{
    CURL *curl = curl_easy_init();
    if (!curl)
        return CURLE_FAILED_INIT;
    const QByteArray url = urlFor(s).toUtf8();
    const QByteArray user = s.user.toUtf8();
    const QByteArray password = s.password.toUtf8();
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, password.constData());
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "MyFTP Control");
    curl_easy_setopt(curl, CURLOPT_PROXY, "");    // a direct connection
    curl_easy_setopt(curl, CURLOPT_FTPPORT, "-"); // active mode
    curl_easy_setopt(curl, CURLOPT_FTP_USE_EPRT, 0L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, long(s.connectTimeoutSeconds));
    curl_easy_setopt(curl, CURLOPT_ACCEPTTIMEOUT_MS, long(s.connectTimeoutSeconds) * 1000L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, long(s.stallSeconds));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, writeChunk);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, progressChunk);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    const CURLcode rc = curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    return rc;
}

} // namespace

Settings FromSettingsStore()
{
    Settings s;
    const QString section = QStringLiteral("Update");
    s.host = ::Settings::get(section, QStringLiteral("FtpHost")).trimmed();
    s.user = ::Settings::get(section, QStringLiteral("FtpUser")).trimmed();
    s.folder = ::Settings::get(section, QStringLiteral("DownloadFolder"), AppPaths::programFolder());
    return s;
}

QString LocalFileName(const QDateTime &moment)
{
    return QStringLiteral("new") + moment.toString(QStringLiteral("yyyyMMddHHmmss")) + QStringLiteral(".zip");
}

Result Run(const Settings &s, const Progress &progress)
{
    Result result;
    if (s.host.isEmpty()) {
        result.error = QStringLiteral("No update server is set up (settings section \"Update\", key \"FtpHost\").");
        return result;
    }
    if (!QDir().mkpath(s.folder)) {
        result.error =
            QStringLiteral("The download folder %1 can't be created.").arg(QDir::toNativeSeparators(s.folder));
        return result;
    }
    result.file = QDir(s.folder).filePath(LocalFileName(Clock::now()));
    if (QFile::exists(result.file)) {
        result.error = QStringLiteral("%1 exists already.").arg(QDir::toNativeSeparators(result.file));
        return result;
    }
    QFile part(result.file + QStringLiteral(".part"));
    if (!part.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        result.error = part.errorString();
        return result;
    }
    Transfer transfer;
    transfer.file = &part;
    transfer.progress = &progress;
    char errorBuffer[CURL_ERROR_SIZE] = {0};
    const CURLcode rc = perform(s, transfer, errorBuffer);
    const bool flushed = part.flush();
    part.close();
    if (rc != CURLE_OK || transfer.writeFailed || !flushed) {
        part.remove();
        result.error = transfer.writeFailed || !flushed ? part.errorString()
            : errorBuffer[0]                            ? QString::fromUtf8(errorBuffer)
                                                        : QString::fromUtf8(curl_easy_strerror(rc));
        return result;
    }
    if (!part.rename(result.file)) {
        result.error = part.errorString();
        part.remove();
        return result;
    }
    result.ok = true;
    result.bytes = transfer.written;
    return result;
}

} // namespace UpdateDownload
