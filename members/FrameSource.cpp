#include "members/FrameSource.h"

#include "members/CameraDevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QPointer>

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

namespace {

// The camera module's maker, loaded once: beside the program, or in the build folder it was built in.
CameraDeviceMaker cameraMaker()
{
    static const CameraDeviceMaker maker = [] {
        const QStringList folders = {QCoreApplication::applicationDirPath(),
                                     QStringLiteral(CORVALLA_MODULE_DIR)};
        for (const QString &folder : folders) {
            QLibrary module(QDir(folder).filePath(QStringLiteral("libcorvalla_camera.so")));
            if (auto make = reinterpret_cast<CameraDeviceMaker>(module.resolve(CORVALLA_CAMERA_ENTRY)))
                return make; // the module stays loaded
        }
        return CameraDeviceMaker(nullptr);
    }();
    return maker;
}

} // namespace

CameraFrameSource::CameraFrameSource(QObject *parent) : FrameSource(parent) {}

CameraFrameSource::~CameraFrameSource()
{
    stop();
    delete m_device; // no frame reaches the source after this
}

CameraDevice *CameraFrameSource::device() const
{
    if (!m_device) {
        if (const CameraDeviceMaker make = cameraMaker())
            m_device = make();
    }
    return m_device;
}

bool CameraFrameSource::isAvailable() const
{
    return device() && device()->isAvailable();
}

bool CameraFrameSource::startDevice()
{
    CameraDevice *camera = device();
    if (!camera)
        return false;
    QPointer<CameraFrameSource> self(this);
    return camera->start(
        [this](std::function<QImage()> convert) { return offerConverted(std::move(convert)); },
        [self](const QString &reason) {
            if (self && self->isActive()) {
                self->stop();
                emit self->failed(reason);
            }
        });
}

void CameraFrameSource::stopDevice()
{
    if (m_device)
        m_device->stop();
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
