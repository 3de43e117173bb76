#include "Picture.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPainter>

#include <optional>

// The host build renders every picture into :/prerendered/NAME/WxH-PERCENT.png,
// logical size times scale, and writes its own size into NAME/size.
struct Picture::Data {
    struct Held {
        QSize logical;
        QSize pixels;
        QString path;
    };
    QSize defaultSize;
    QList<Held> held;
    mutable QHash<QString, QImage> decoded;

    explicit Data(const QString& resource)
    {
        const QString folder =
            QStringLiteral(":/prerendered/") + QFileInfo(resource).completeBaseName();
        QFile size(folder + QStringLiteral("/size"));
        if (!size.open(QIODevice::ReadOnly))
            return;
        const QList<QByteArray> wh = size.readAll().trimmed().split(' ');
        if (wh.size() == 2)
            defaultSize = QSize(wh[0].toInt(), wh[1].toInt());
        for (const QString& name : QDir(folder).entryList({QStringLiteral("*.png")})) {
            const QStringList parts = QFileInfo(name).completeBaseName().split(u'-');
            const QStringList logical = parts.value(0).split(u'x');
            if (parts.size() != 2 || logical.size() != 2)
                continue;
            const QSize size(logical[0].toInt(), logical[1].toInt());
            held.append({size, size * (parts[1].toInt() / 100.0), folder + u'/' + name});
        }
    }

    // The image made for exactly these device pixels, else the smallest larger
    // one (the largest when none is), which the painter scales.
    const Held* nearest(QSize pixels) const
    {
        const Held* best = nullptr;
        for (const Held& h : held) {
            if (h.pixels == pixels)
                return &h;
            const bool covers = h.pixels.width() >= pixels.width() &&
                                h.pixels.height() >= pixels.height();
            const bool bestCovers = best && best->pixels.width() >= pixels.width() &&
                                    best->pixels.height() >= pixels.height();
            const qint64 area = qint64(h.pixels.width()) * h.pixels.height();
            const qint64 bestArea = best ? qint64(best->pixels.width()) * best->pixels.height() : 0;
            if (!best || (covers && (!bestCovers || area < bestArea)) ||
                (!covers && !bestCovers && area > bestArea))
                best = &h;
        }
        return best;
    }

    QImage image(const Held& h) const
    {
        auto it = decoded.constFind(h.path);
        if (it == decoded.constEnd())
            it = decoded.insert(h.path, QImage(h.path).convertToFormat(
                                            QImage::Format_ARGB32_Premultiplied));
        return *it;
    }
};

Picture::Picture(const QString& resource) : d_(std::make_shared<Data>(resource)) {}
Picture::~Picture() = default;
Picture::Picture(const Picture&) = default;
Picture& Picture::operator=(const Picture&) = default;

bool Picture::isValid() const
{
    return d_ && !d_->held.isEmpty();
}

QSize Picture::defaultSize() const
{
    return d_ ? d_->defaultSize : QSize();
}

void Picture::render(QPainter* painter, const QRectF& target) const
{
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const Data::Held* h = d_ ? d_->nearest((target.size() * ratio).toSize()) : nullptr;
    if (!h)
        return;
    const QImage image = d_->image(*h);
    painter->save();
    if (image.size() != (target.size() * ratio).toSize())
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(target, image);
    painter->restore();
}

