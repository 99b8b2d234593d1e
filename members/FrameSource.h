#pragma once

#include <QAtomicInt>
#include <QImage>
#include <QObject>
#include <functional>

class CameraDevice;

// A source of live pictures for the webcam window. Frames may arrive on any thread (a camera
// delivers them on its own); each is converted and handed out by frame() on the thread the source
// lives in, one at a time: while a frame is being handed out and drawn, newer ones are dropped
// rather than queued, so a slow screen never falls behind the camera.
class FrameSource : public QObject
{
    Q_OBJECT
public:
    explicit FrameSource(QObject *parent = nullptr);
    ~FrameSource() override;

    // Whether there is a device to switch on.
    virtual bool isAvailable() const = 0;
    void start();
    void stop();
    bool isActive() const { return m_active; }

    // Frames dropped because the previous one was still being drawn.
    int droppedFrames() const { return m_dropped.loadRelaxed(); }

signals:
    // On the source's thread; the receiver draws the frame before returning.
    void frame(const QImage &image);
    // The device stopped or could not be started.
    void failed(const QString &reason);

protected:
    virtual bool startDevice() = 0;
    virtual void stopDevice() = 0;
    // Thread-safe: called by the device for each new frame, converted only when it is taken. False
    // when the frame was dropped.
    bool offer(const QImage &image);
    bool offerConverted(std::function<QImage()> convert);

private:
    bool m_active = false;
    QAtomicInt m_busy;
    QAtomicInt m_dropped;
};

// The system's default video input, through the camera module (Qt Multimedia), which is loaded
// when the source is first asked for its camera; without the module there is no camera.
class CameraFrameSource : public FrameSource
{
    Q_OBJECT
public:
    explicit CameraFrameSource(QObject *parent = nullptr);
    ~CameraFrameSource() override;
    bool isAvailable() const override;

protected:
    bool startDevice() override;
    void stopDevice() override;

private:
    CameraDevice *device() const;

    mutable CameraDevice *m_device = nullptr;
};

namespace FrameSources {
// The source a webcam window uses: the camera, unless a factory has been installed (tests install
// one that generates frames).
FrameSource *create(QObject *parent);
using Factory = std::function<FrameSource *(QObject *parent)>;
void setFactory(Factory factory); // an empty factory restores the camera
} // namespace FrameSources
