#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QSize>
#include <QStringList>
#include <functional>
#include <memory>

// Where the picture capture window gets its frames: a camera in the
// program, a script in tests. The window starts and stops it (its live
// view) and takes the newest frame ten times a second.
class FrameSource : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Whether there is a camera to deliver frames; when not, the reason
    // the window shows in place of the picture.
    virtual bool available() const = 0;
    virtual QString unavailableReason() const { return QString(); }

    // The cameras to choose from ("Video Source") and the one in use.
    virtual QStringList sourceNames() const = 0;
    virtual int currentSource() const = 0;
    virtual void setCurrentSource(int index) = 0;

    // The frame sizes the camera in use offers ("Video Size") and the one
    // asked of it.
    virtual QList<QSize> frameSizes() const = 0;
    virtual QSize frameSize() const = 0;
    virtual void setFrameSize(const QSize &size) = 0;

    // The camera connected and delivering, or let go.
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool running() const = 0;

    // The newest frame as delivered; null before the first.
    virtual QImage latestFrame() = 0;

signals:
    // The camera stopped with an error.
    void failed(const QString &reason);
};

// A new source for a capture window: the installed factory's, else the
// computer's cameras.
std::unique_ptr<FrameSource> NewFrameSource();
// Installs a factory (tests); an empty function restores the cameras.
void SetFrameSourceFactory(std::function<std::unique_ptr<FrameSource>()> factory);
