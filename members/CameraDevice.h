#pragma once

#include <QImage>
#include <QString>
#include <functional>

// The camera as the webcam window reaches it. The camera code (and Qt Multimedia with it) lives in
// the program's camera module, loaded only when a webcam window first looks for a camera, so the
// program starts without it.
class CameraDevice
{
public:
    // Hands a new frame over, converted only if it is taken; callable from any thread. False when
    // the frame was dropped.
    using Offer = std::function<bool(std::function<QImage()> convert)>;
    // The camera stopped or could not be started; on the thread the device was started on.
    using Failed = std::function<void(const QString &reason)>;

    virtual ~CameraDevice() = default;
    // Whether the system has a video input to switch on.
    virtual bool isAvailable() const = 0;
    virtual bool start(Offer offer, Failed failed) = 0;
    virtual void stop() = 0;
};

// The camera module's one entry point: a new device for the system's default video input.
extern "C" {
typedef CameraDevice *(*CameraDeviceMaker)();
}
#define CORVALLA_CAMERA_ENTRY "corvallaCameraDevice"
