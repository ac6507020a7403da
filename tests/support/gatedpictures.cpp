#include "gatedpictures.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageIOHandler>
#include <QImageIOPlugin>
#include <QVariant>

namespace testsupport {

void Gate::pass(const QString &fileName)
{
    QMutexLocker locker(&mutex);
    arrived << fileName;
    ++waiting;
    change.wakeAll();
    while (!open)
        change.wait(&mutex);
    --waiting;
}

void Gate::finished()
{
    QMutexLocker locker(&mutex);
    ++done;
}

void Gate::setOpen(bool isOpen)
{
    QMutexLocker locker(&mutex);
    open = isOpen;
    change.wakeAll();
}

void Gate::openAfter(int ms)
{
    QMutexLocker locker(&mutex);
    QDeadlineTimer deadline(ms);
    while (!open && !deadline.hasExpired())
        change.wait(&mutex, deadline);
    open = true;
    change.wakeAll();
}

int Gate::held() const
{
    QMutexLocker locker(&mutex);
    return waiting;
}

QStringList Gate::reached() const
{
    QMutexLocker locker(&mutex);
    return arrived;
}

int Gate::finishedCount() const
{
    QMutexLocker locker(&mutex);
    return done;
}

void Gate::reset()
{
    QMutexLocker locker(&mutex);
    open = false;
    arrived.clear();
    done = 0;
}

Gate &gate()
{
    static Gate instance;
    return instance;
}

} // namespace testsupport

namespace {
QString gatedName(const QIODevice *device)
{
    const auto *file = qobject_cast<const QFile *>(device);
    const QString name = file ? QFileInfo(file->fileName()).fileName() : QString();
    return name.startsWith("gated") ? name : QString();
}

// Reads the gated PNG files in place of Qt's PNG reader, passing the gate first.
class GatedHandler : public QImageIOHandler
{
public:
    bool canRead() const override
    {
        if (gatedName(device()).isEmpty())
            return false;
        setFormat("png");
        return true;
    }
    bool read(QImage *image) override
    {
        testsupport::gate().pass(gatedName(device()));
        *image = QImage(10, 10, QImage::Format_RGB32);
        image->fill(Qt::green);
        testsupport::gate().finished();
        return true;
    }
    bool supportsOption(ImageOption option) const override { return option == Size; }
    QVariant option(ImageOption option) const override
    {
        return option == Size ? QVariant(QSize(10, 10)) : QVariant();
    }
};
} // namespace

class GatedPlugin : public QImageIOPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "gated.json")
public:
    Capabilities capabilities(QIODevice *device, const QByteArray &) const override
    {
        return gatedName(device).isEmpty() ? Capabilities() : CanRead;
    }
    QImageIOHandler *create(QIODevice *device, const QByteArray &format) const override
    {
        auto *handler = new GatedHandler;
        handler->setDevice(device);
        handler->setFormat(format);
        return handler;
    }
};

#include "gatedpictures.moc"
