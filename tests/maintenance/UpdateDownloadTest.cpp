// The update download against a real FTP server on a loopback port.
#include "maintenance/UpdateDownload.h"
#include "data/Clock.h"
#include "tests/support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <gtest/gtest.h>

namespace {

class FtpServer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = TestEnvironment::root() + QStringLiteral("/ftp");
        downloads = TestEnvironment::root() + QStringLiteral("/downloads");
        QDir(root).removeRecursively();
        QDir(downloads).removeRecursively();
        QDir().mkpath(root);
        QFile zip(root + QStringLiteral("/tessaly.zip"));
        ASSERT_TRUE(zip.open(QIODevice::WriteOnly));
        payload = QByteArray("PK\x03\x04 update package ") + QByteArray(200000, 'x');
        zip.write(payload);
        zip.close();

        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        port = probe.serverPort();
        probe.close();
        // Debian's own interpreter, which has python3-pyftpdlib.
        const QString python = QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                                 : QStringLiteral("python3");
        server.start(python,
                     {QStringLiteral("-m"), QStringLiteral("pyftpdlib"), QStringLiteral("-i"),
                      QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(port), QStringLiteral("-d"),
                      root, QStringLiteral("-u"), QStringLiteral("updates@example.com"), QStringLiteral("-P"),
                      QStringLiteral("quillmer")});
        ASSERT_TRUE(server.waitForStarted(5000)) << "python3-pyftpdlib is needed";
        bool up = false;
        for (int i = 0; i < 100 && !up; ++i) {
            QTcpSocket s;
            s.connectToHost(QHostAddress::LocalHost, port);
            up = s.waitForConnected(100);
            if (!up)
                QThread::msleep(50);
        }
        ASSERT_TRUE(up) << "the FTP server did not start";
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(14, 5, 9)));
    }
    void TearDown() override
    {
        Clock::setFixed(std::nullopt);
        server.kill();
        server.waitForFinished(3000);
    }
    UpdateDownload::Settings settings() const
    {
        UpdateDownload::Settings s;
        s.host = QStringLiteral("127.0.0.1:%1").arg(port);
        s.user = QStringLiteral("updates@example.com");
        s.folder = downloads;
        s.connectTimeoutSeconds = 5;
        return s;
    }
    QStringList downloaded() const { return QDir(downloads).entryList(QDir::Files); }

    QProcess server;
    QString root, downloads;
    QByteArray payload;
    quint16 port = 0;
};

TEST_F(FtpServer, TheFileArrivesWholeUnderANameFromTheClock)
{
    qint64 lastSeen = 0;
    const auto r = UpdateDownload::Run(settings(), [&](qint64 got, qint64) {
        lastSeen = got;
        return true;
    });
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(downloaded(), QStringList{QStringLiteral("new20261207140509.zip")});
    QFile f(r.file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), payload);
    EXPECT_EQ(r.bytes, payload.size());
    EXPECT_EQ(lastSeen, payload.size());
    // A second download in the same second never overwrites the first.
    const auto again = UpdateDownload::Run(settings());
    EXPECT_FALSE(again.ok);
    EXPECT_EQ(downloaded().size(), 1);
}

TEST_F(FtpServer, AMissingRemoteFileReportsTheErrorAndLeavesNoFile)
{
    QFile::remove(root + QStringLiteral("/tessaly.zip"));
    const auto r = UpdateDownload::Run(settings());
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_TRUE(downloaded().isEmpty());
}

TEST_F(FtpServer, ARefusedLoginReportsTheErrorAndLeavesNoFile)
{
    UpdateDownload::Settings s = settings();
    s.password = QStringLiteral("wrong");
    const auto r = UpdateDownload::Run(s);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(QStringLiteral("Login"), Qt::CaseInsensitive)
                || r.error.contains(QStringLiteral("530")))
        << r.error.toStdString();
    EXPECT_TRUE(downloaded().isEmpty());
}

TEST_F(FtpServer, ACancelledDownloadLeavesNoPartialFile)
{
    const auto r = UpdateDownload::Run(settings(), [](qint64 got, qint64) { return got < 1000; });
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(downloaded().isEmpty());
}

TEST(UpdateDownloadSettings, NoHostSaysSo)
{
    UpdateDownload::Settings s;
    s.folder = TestEnvironment::root();
    const auto r = UpdateDownload::Run(s);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(QStringLiteral("FtpHost")));
}

} // namespace
