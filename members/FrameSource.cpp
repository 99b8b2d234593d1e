#include "members/FrameSource.h"

#include <QCamera>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QPointer>
#include <QVideoFrame>
#include <QVideoSink>

FrameSource::FrameSource(QObject *parent) : QObject(parent) {}

FrameSource::~FrameSource() = default;

void FrameSource::start()
{
    if (m_active)
        return;
    m_busy.storeRelease(0);
    m_active = startDevice();
}

void FrameSource::stop()
{
    if (!m_active)
        return;
    m_active = false;
    stopDevice();
}

bool FrameSource::offer(const QVideoFrame &videoFrame)
{
    return offerConverted([videoFrame] { return videoFrame.toImage(); });
}

bool FrameSource::offer(const QImage &image)
{
    return offerConverted([image] { return image; });
}

bool FrameSource::offerConverted(std::function<QImage()> convert)
{
    if (!m_busy.testAndSetAcquire(0, 1)) {
        m_dropped.fetchAndAddRelaxed(1);
        return false;
    }
    // The conversion runs on the source's own (user-interface) thread, as does the drawing; the
    // busy mark is cleared only once the receiver has drawn the frame.
    QMetaObject::invokeMethod(
        this,
        [this, convert = std::move(convert)] {
            if (m_active) {
                const QImage image = convert();
                if (!image.isNull())
                    emit frame(image);
            }
            m_busy.storeRelease(0);
        },
        Qt::QueuedConnection);
    return true;
}

struct CameraFrameSource::Device
{
    ~Device()
    {
        session.setCamera(nullptr);
        session.setVideoSink(nullptr);
        delete camera;
        delete sink;
    }
    QMediaCaptureSession session;
    QCamera *camera = nullptr;
    QVideoSink *sink = nullptr;
};

CameraFrameSource::CameraFrameSource(QObject *parent) : FrameSource(parent) {}

CameraFrameSource::~CameraFrameSource()
{
    stop();
    if (m_device) {
        // No frame may reach a source that is being destroyed.
        disconnect(m_device->sink, nullptr, this, nullptr);
        delete m_device;
    }
}

bool CameraFrameSource::isAvailable() const
{
    return !QMediaDevices::defaultVideoInput().isNull();
}

bool CameraFrameSource::startDevice()
{
    const QCameraDevice input = QMediaDevices::defaultVideoInput();
    if (input.isNull())
        return false;
    if (!m_device) {
        m_device = new Device;
        m_device->camera = new QCamera(input);
        m_device->sink = new QVideoSink;
        m_device->session.setCamera(m_device->camera);
        m_device->session.setVideoSink(m_device->sink);
        // Frames arrive on the camera's thread: hand them over from there.
        connect(
            m_device->sink, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame &f) { offer(f); },
            Qt::DirectConnection);
        connect(m_device->camera, &QCamera::errorOccurred, this,
                [this](QCamera::Error error, const QString &text) {
                    if (error != QCamera::NoError && isActive()) {
                        stop();
                        emit failed(text);
                    }
                });
    }
    m_device->camera->start();
    return true;
}

void CameraFrameSource::stopDevice()
{
    if (m_device)
        m_device->camera->stop();
}

namespace FrameSources {

namespace {
Factory &factory()
{
    static Factory f;
    return f;
}
} // namespace

FrameSource *create(QObject *parent)
{
    if (factory())
        return factory()(parent);
    return new CameraFrameSource(parent);
}

void setFactory(Factory f)
{
    factory() = std::move(f);
}

} // namespace FrameSources
