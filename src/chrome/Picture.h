#pragma once

#include <QPainter>
#include <QPixmap>
#include <QRectF>
#include <QSize>
#include <QString>

#include <memory>

// One of the program's pictures, named by its SVG resource (":/pictures/x.svg").
// Linux draws the SVG at whatever size is asked; the Windows build carries no SVG
// renderer and holds the picture pre-rendered at every size the windows draw it,
// at each of kScales, scaling the nearest one only for a size it lacks.
class Picture {
public:
    static constexpr qreal kScales[] = {1, 1.25, 1.5, 1.75, 2, 2.5, 3};

    Picture() = default; // draws nothing
    explicit Picture(const QString& resource);
    ~Picture();
    Picture(const Picture&);
    Picture& operator=(const Picture&);

    bool isValid() const;
    // The size the picture was drawn for, in logical pixels.
    QSize defaultSize() const;
    // Draws the picture stretched over target, sharp at the painter's pixel ratio.
    void render(QPainter* painter, const QRectF& target) const;
    // The picture drawn at size, sharp at the given pixel ratio, on transparency:
    // whatever draws it on each platform.
    QPixmap pixmap(QSize size, qreal pixelRatio = 1.0) const
    {
        QPixmap out(size * pixelRatio);
        out.setDevicePixelRatio(pixelRatio);
        out.fill(Qt::transparent);
        QPainter painter(&out);
        render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
        return out;
    }

private:
    struct Data;
    std::shared_ptr<const Data> d_;
};
