// Renders the program's SVG icon as a square PNG, for the icon theme's fixed
// sizes: IconPng SVG SIZE OUT.PNG
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s SVG SIZE OUT.PNG\n", argv[0]);
        return 2;
    }
    // The icon's text needs the font database, which needs a platform, not a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    const int side = QByteArray(argv[2]).toInt();
    if (!svg.isValid() || side <= 0)
        return 1;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    return image.save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : 1;
}
