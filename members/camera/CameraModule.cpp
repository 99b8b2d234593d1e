// The camera module: the system's default video input through Qt Multimedia, loaded by the webcam
// window when it first looks for a camera.
#include "members/CameraDevice.h"

#include <QCamera>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QObject>
#include <QVideoFrame>
#include <QVideoSink>

namespace {

class MultimediaCamera : public CameraDevice
{
public:
    ~MultimediaCamera() override
    {
        stop();
        if (m_sink)
            QObject::disconnect(m_sink, nullptr, nullptr, nullptr); // no frame after this
        m_session.setCamera(nullptr);
        m_session.setVideoSink(nullptr);
        delete m_camera;
        delete m_sink;
    }

    bool isAvailable() const override { return !QMediaDevices::defaultVideoInput().isNull(); }

    bool start(Offer offer, Failed failed) override
    {
        const QCameraDevice input = QMediaDevices::defaultVideoInput();
        if (input.isNull())
            return false;
        if (!m_camera) {
            m_camera = new QCamera(input);
            m_sink = new QVideoSink;
            m_session.setCamera(m_camera);
            m_session.setVideoSink(m_sink);
            // Frames arrive on the camera's thread: they are handed over from there.
            QObject::connect(
                m_sink, &QVideoSink::videoFrameChanged, m_sink,
                [offer](const QVideoFrame &frame) { offer([frame] { return frame.toImage(); }); },
                Qt::DirectConnection);
            QObject::connect(m_camera, &QCamera::errorOccurred, m_camera,
                             [failed](QCamera::Error error, const QString &text) {
                                 if (error != QCamera::NoError)
                                     failed(text);
                             });
        }
        m_camera->start();
        return true;
    }

    void stop() override
    {
        if (m_camera)
            m_camera->stop();
    }

private:
    QMediaCaptureSession m_session;
    QCamera *m_camera = nullptr;
    QVideoSink *m_sink = nullptr;
};

} // namespace

extern "C" Q_DECL_EXPORT CameraDevice *corvallaCameraDevice()
{
    return new MultimediaCamera;
}
