#pragma once

#include "timeclock/FrameSource.h"

#include <memory>

// The computer's video cameras through Qt Multimedia. Asks the camera for
// 320 x 240 where it offers that size (else the nearest larger one); the
// window scales what comes.
class CameraFrameSource final : public FrameSource
{
    Q_OBJECT
public:
    explicit CameraFrameSource(QObject *parent = nullptr);
    ~CameraFrameSource() override;

    bool available() const override;
    QString unavailableReason() const override;
    QStringList sourceNames() const override;
    int currentSource() const override { return m_source; }
    void setCurrentSource(int index) override;
    QList<QSize> frameSizes() const override;
    QSize frameSize() const override { return m_size; }
    void setFrameSize(const QSize &size) override;
    void start() override;
    void stop() override;
    bool running() const override;
    QImage latestFrame() override;

private:
    struct Camera;
    void openCamera();

    std::unique_ptr<Camera> m_camera;
    int m_source = 0;
    QSize m_size;
};
