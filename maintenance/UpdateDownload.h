#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

// Fetches the update package "tessaly.zip" from the update provider's FTP
// server into the download folder, under a name made from the clock
// ("new" + yyyyMMddHHmmss + ".zip"). It does not install anything.
namespace UpdateDownload {

struct Settings
{
    QString host; // host or host:port; empty: not set up
    QString user; // the provider's login
    QString password = QStringLiteral("quillmer");
    QString folder; // where the file lands (created when missing)
    QString remoteFile = QStringLiteral("tessaly.zip");
    int connectTimeoutSeconds = 15;
    int stallSeconds = 30; // slower than 1 byte/s this long: the server is gone
};

// Section "Update" of the settings store: "FtpHost", "FtpUser",
// "DownloadFolder" (default: the program folder).
Settings FromSettingsStore();

struct Result
{
    bool ok = false;
    QString file;  // the file written (ok) or that would have been
    QString error; // why not (not ok)
    qint64 bytes = 0;
};

// Progress: bytes so far and in all (0 when the server did not say).
// Returning false from it cancels the download.
using Progress = std::function<bool(qint64 received, qint64 total)>;

// The local file name for a moment.
QString LocalFileName(const QDateTime &moment);

// Downloads in active mode with no proxy, never overwriting a file. The file
// is written under a temporary name and renamed only when it arrived whole;
// a partial file is removed. Blocks; run it off the window's thread.
Result Run(const Settings &settings, const Progress &progress = {});

} // namespace UpdateDownload
