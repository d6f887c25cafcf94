#include "maintenance/UpdateDownloadWindow.h"

#include "data/UserPrompts.h"

#include <QDir>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <atomic>

namespace {

struct DownloadState
{
    std::atomic<qint64> received{0};
    std::atomic<qint64> total{0};
    std::atomic<bool> cancelled{false};
};

void showProgress(QProgressDialog &dialog, const DownloadState &state)
{
    const qint64 total = state.total;
    const qint64 received = state.received;
    if (total > 0) {
        dialog.setMaximum(1000);
        dialog.setValue(int(received * 1000 / total));
    } else {
        dialog.setMaximum(0); // a busy bar while the size is unknown
    }
    dialog.setLabelText(QStringLiteral("Downloading the update… %1 KB").arg(received / 1024));
}

} // namespace

UpdateDownload::Result RunUpdateDownload(QWidget *owner, const UpdateDownload::Settings &settings)
{
    DownloadState state;
    UpdateDownload::Result result;
    QProgressDialog dialog(QStringLiteral("Connecting to the update server…"), QStringLiteral("Cancel"), 0, 0, owner);
    dialog.setObjectName(QStringLiteral("frmDownload"));
    dialog.setWindowTitle(QStringLiteral("Get Update"));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(300);
    QObject::connect(&dialog, &QProgressDialog::canceled, [&state] { state.cancelled = true; });

    QEventLoop loop;
    QThread *worker = QThread::create([&] {
        result = UpdateDownload::Run(settings, [&state](qint64 received, qint64 total) {
            state.received = received;
            state.total = total;
            return !state.cancelled.load();
        });
    });
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, &dialog, [&] { showProgress(dialog, state); });
    ticker.start(100);
    worker->start();
    loop.exec();
    worker->wait();
    delete worker;
    ticker.stop();
    dialog.reset();

    if (result.ok)
        Prompts().message(QStringLiteral("New Files Downloaded"));
    else if (state.cancelled)
        Prompts().message(QStringLiteral("The update download was cancelled; nothing was kept."),
                          QStringLiteral("Get Update"));
    else
        Prompts().message(QStringLiteral("The update could not be downloaded: %1").arg(result.error),
                          QStringLiteral("Get Update"));
    return result;
}
