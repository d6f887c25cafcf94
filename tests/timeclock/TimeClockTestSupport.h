#pragma once

#include "data/Database.h"
#include "gate/PinSource.h"
#include "tests/support/PdfReader.h"
#include "tests/support/ScriptedPins.h"
#include "timeclock/FrameSource.h"

#include <QImage>
#include <QList>
#include <QProcess>
#include <QString>
#include <chrono>
#include <future>
#include <optional>
#include <ostream>
#include <thread>

// Readable QStrings in test failures.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// A camera the test holds in its hand: it delivers whatever frame it was
// last given, while started.
class ScriptedFrames final : public FrameSource
{
public:
    explicit ScriptedFrames(bool present = true) : m_present(present) { }
    bool available() const override { return m_present; }
    QString unavailableReason() const override
    {
        return m_present ? QString() : QStringLiteral("No camera was found on this computer.");
    }
    QStringList sourceNames() const override
    {
        return m_present ? QStringList{QStringLiteral("Front desk"), QStringLiteral("Back door")} : QStringList();
    }
    int currentSource() const override { return m_sourceIndex; }
    void setCurrentSource(int index) override { m_sourceIndex = index; }
    QList<QSize> frameSizes() const override { return {QSize(640, 480), QSize(320, 240)}; }
    QSize frameSize() const override { return m_size; }
    void setFrameSize(const QSize &size) override { m_size = size; }
    void start() override { m_running = m_present; }
    void stop() override { m_running = false; }
    bool running() const override { return m_running; }
    QImage latestFrame() override { return m_running ? m_frame : QImage(); }

    void deliver(const QImage &frame) { m_frame = frame; }

private:
    bool m_present;
    bool m_running = false;
    int m_sourceIndex = 0;
    QSize m_size;
    QImage m_frame;
};

// The text of a PDF as laid out on its pages.
inline QString PdfText(const QString &path)
{
    return PdfReader::text(path);
}

// A frame of two colours, top and bottom: a picture stored upside down
// swaps them.
inline QImage TwoColourFrame(QRgb top, QRgb bottom, QSize size = QSize(640, 480))
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, y < size.height() / 2 ? top : bottom);
    return image;
}

// Another counter clocking the same employee in at the same moment: its own
// thread and connection, its row written but not committed until this
// counter's clock-in waits behind it (on a server, where both find no open
// row first) or a moment has passed (SQLite, where the second waits for the
// file before it reads).
class OtherCounterClockingIn
{
public:
    OtherCounterClockingIn(int employeeId, const QString &timeIn)
    {
        std::promise<void> written;
        std::future<void> ready = written.get_future();
        m_thread = std::thread([this, employeeId, timeIn, p = std::move(written)]() mutable {
            bool said = false;
            m_committed = Database::Transaction([&] {
                const bool ok = Database::InsertRow(QStringLiteral("TimeInOut"),
                                                    {QStringLiteral("employeeid"), QStringLiteral("timein")},
                                                    {employeeId, timeIn})
                    > 0;
                if (!said) {
                    said = true;
                    p.set_value();
                }
                if (ok)
                    waitForTheOtherCounter();
                return ok;
            });
            if (!said)
                p.set_value();
            Database::CloseConnections();
        });
        ready.wait();
    }
    ~OtherCounterClockingIn() { join(); }
    OtherCounterClockingIn(const OtherCounterClockingIn &) = delete;
    OtherCounterClockingIn &operator=(const OtherCounterClockingIn &) = delete;

    bool committed()
    {
        join();
        return m_committed;
    }

private:
    void join()
    {
        if (m_thread.joinable())
            m_thread.join();
    }
    static void waitForTheOtherCounter()
    {
        using namespace std::chrono_literals;
        if (Database::CurrentDialect().engine() != Engine::PostgreSQL) {
            std::this_thread::sleep_for(300ms);
            return;
        }
        for (int i = 0; i < 500; ++i) {
            const auto waiting = Database::GetRS(
                QStringLiteral("select count(*) from pg_locks where not granted and pid in "
                               "(select pid from pg_stat_activity where datname = current_database())"));
            if (waiting && waiting->value(0, 0).toInt() > 0)
                return;
            std::this_thread::sleep_for(10ms);
        }
    }
    std::thread m_thread;
    bool m_committed = false;
};
