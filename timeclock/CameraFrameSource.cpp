#include "timeclock/CameraFrameSource.h"

#include "timeclock/CaptureFrame.h"

#if TESSALY_HAVE_MULTIMEDIA
#include <QCamera>
#include <QCameraDevice>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QVideoFrame>
#include <QVideoSink>
#endif

namespace {
const QString kNoCameraText = QStringLiteral("No camera was found on this computer.\n"
                                             "Connect a camera, then open Picture Capture again.");
}

#if TESSALY_HAVE_MULTIMEDIA

struct CameraFrameSource::Camera
{
    QMediaCaptureSession session;
    QVideoSink sink;
    std::unique_ptr<QCamera> camera;
    QVideoFrame last;
};

namespace {

QList<QCameraDevice> cameraDevices()
{
    return QMediaDevices::videoInputs();
}

QList<QSize> cameraFrameSizes(const QCameraDevice &device)
{
    QList<QSize> sizes;
    for (const QCameraFormat &f : device.videoFormats()) {
        if (!sizes.contains(f.resolution()))
            sizes.append(f.resolution());
    }
    return sizes;
}

} // namespace

CameraFrameSource::CameraFrameSource(QObject *parent) : FrameSource(parent), m_camera(std::make_unique<Camera>())
{
    m_camera->session.setVideoSink(&m_camera->sink);
    connect(&m_camera->sink, &QVideoSink::videoFrameChanged, this,
            [this](const QVideoFrame &frame) { m_camera->last = frame; });
}

CameraFrameSource::~CameraFrameSource()
{
    stop();
}

bool CameraFrameSource::available() const
{
    return !cameraDevices().isEmpty();
}

QString CameraFrameSource::unavailableReason() const
{
    return available() ? QString() : kNoCameraText;
}

QStringList CameraFrameSource::sourceNames() const
{
    QStringList names;
    for (const QCameraDevice &d : cameraDevices())
        names.append(d.description());
    return names;
}

void CameraFrameSource::setCurrentSource(int index)
{
    if (index < 0 || index >= cameraDevices().size() || index == m_source)
        return;
    const bool wasRunning = running();
    m_source = index;
    m_size = QSize();
    m_camera->camera.reset();
    if (wasRunning)
        start();
}

QList<QSize> CameraFrameSource::frameSizes() const
{
    const QList<QCameraDevice> devices = cameraDevices();
    return m_source < devices.size() ? cameraFrameSizes(devices[m_source]) : QList<QSize>();
}

void CameraFrameSource::setFrameSize(const QSize &size)
{
    m_size = size;
    if (!m_camera->camera)
        return;
    for (const QCameraFormat &f : m_camera->camera->cameraDevice().videoFormats()) {
        if (f.resolution() == size) {
            m_camera->camera->setCameraFormat(f);
            return;
        }
    }
}

void CameraFrameSource::openCamera()
{
    const QList<QCameraDevice> devices = cameraDevices();
    if (m_source >= devices.size())
        return;
    m_camera->camera = std::make_unique<QCamera>(devices[m_source]);
    connect(m_camera->camera.get(), &QCamera::errorOccurred, this,
            [this](QCamera::Error, const QString &text) { emit failed(text); });
    m_camera->session.setCamera(m_camera->camera.get());
    if (!m_size.isValid())
        m_size = CaptureFrame::Preferred(cameraFrameSizes(devices[m_source]));
    setFrameSize(m_size);
}

void CameraFrameSource::start()
{
    if (!available())
        return;
    if (!m_camera->camera)
        openCamera();
    if (m_camera->camera)
        m_camera->camera->start();
}

void CameraFrameSource::stop()
{
    if (m_camera->camera)
        m_camera->camera->stop();
}

bool CameraFrameSource::running() const
{
    return m_camera->camera && m_camera->camera->isActive();
}

QImage CameraFrameSource::latestFrame()
{
    return m_camera->last.isValid() ? m_camera->last.toImage() : QImage();
}

#else // without Qt Multimedia: no camera at all

struct CameraFrameSource::Camera
{ };

CameraFrameSource::CameraFrameSource(QObject *parent) : FrameSource(parent)
{ }

CameraFrameSource::~CameraFrameSource() = default;

bool CameraFrameSource::available() const
{
    return false;
}

QString CameraFrameSource::unavailableReason() const
{
    return kNoCameraText;
}

QStringList CameraFrameSource::sourceNames() const
{
    return {};
}

void CameraFrameSource::setCurrentSource(int)
{ }

QList<QSize> CameraFrameSource::frameSizes() const
{
    return {};
}

void CameraFrameSource::setFrameSize(const QSize &size)
{
    m_size = size;
}

void CameraFrameSource::openCamera()
{ }
void CameraFrameSource::start()
{ }
void CameraFrameSource::stop()
{ }

bool CameraFrameSource::running() const
{
    return false;
}

QImage CameraFrameSource::latestFrame()
{
    return QImage();
}

#endif
