#pragma once

#include "sales/AdminGate.h"
#include "tests/support/PdfReader.h"
#include "tests/support/ScriptedPins.h"
#include "timeclock/FrameSource.h"

#include <QImage>
#include <QList>
#include <QProcess>
#include <QString>
#include <optional>
#include <ostream>

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
    explicit ScriptedFrames(bool present = true)
        : m_present(present)
    {
    }
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
