#include "Picture.h"

#include <QPainter>
#include <QSvgRenderer>

struct Picture::Data {
    explicit Data(const QString& resource) { renderer.load(resource); }
    mutable QSvgRenderer renderer;
};

Picture::Picture(const QString& resource) : d_(std::make_shared<Data>(resource)) {}
Picture::~Picture() = default;
Picture::Picture(const Picture&) = default;
Picture& Picture::operator=(const Picture&) = default;

bool Picture::isValid() const
{
    return d_ && d_->renderer.isValid();
}

QSize Picture::defaultSize() const
{
    return d_ ? d_->renderer.defaultSize() : QSize();
}

void Picture::render(QPainter* painter, const QRectF& target) const
{
    if (d_)
        d_->renderer.render(painter, target);
}

