// Draws the program's SVG pictures for the Windows build, which has no Qt SVG,
// with the same code the Linux build draws them with at run time.
//   qr_host_pictures prerender SVG_FOLDER OUT.qrc [NAME=WxH,WxH...]...
//     every picture at its own size and the extra sizes named, at each of
//     Picture::kScales, beside OUT.qrc, which lists them under :/prerendered
//   qr_host_pictures ico SVG OUT.ico
//     a Windows icon with PNG images from 16 to 256 pixels
#include "Picture.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMap>
#include <QPixmap>

#include <cstdio>

namespace {

int prerender(const QString& svgFolder, const QString& qrcPath, const QStringList& extras)
{
    QMap<QString, QList<QSize>> extraSizes;
    for (const QString& extra : extras) {
        const QStringList nameSizes = extra.split(u'=');
        for (const QString& size : nameSizes.value(1).split(u',', Qt::SkipEmptyParts)) {
            const QStringList wh = size.split(u'x');
            extraSizes[nameSizes[0]].append(QSize(wh.value(0).toInt(), wh.value(1).toInt()));
        }
    }
    const QDir out = QFileInfo(qrcPath).absoluteDir();
    QString qrc = QStringLiteral("<RCC>\n<qresource prefix=\"/prerendered\">\n");
    for (const QFileInfo& svg : QDir(svgFolder).entryInfoList({QStringLiteral("*.svg")})) {
        const QString name = svg.completeBaseName();
        const Picture picture(svg.absoluteFilePath());
        if (!picture.isValid()) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(svg.filePath()));
            return 1;
        }
        out.mkpath(name);
        QFile size(out.filePath(name + QStringLiteral("/size")));
        if (!size.open(QIODevice::WriteOnly))
            return 1;
        size.write(QStringLiteral("%1 %2\n")
                       .arg(picture.defaultSize().width())
                       .arg(picture.defaultSize().height())
                       .toLatin1());
        size.close();
        qrc += QStringLiteral("<file>%1/size</file>\n").arg(name);
        QList<QSize> sizes{picture.defaultSize()};
        sizes += extraSizes.value(name);
        for (const QSize& logical : sizes)
            for (qreal scale : Picture::kScales) {
                const QString file = QStringLiteral("%1/%2x%3-%4.png")
                                         .arg(name)
                                         .arg(logical.width())
                                         .arg(logical.height())
                                         .arg(qRound(scale * 100));
                if (!picture.pixmap(logical, scale).toImage().save(out.filePath(file), "PNG"))
                    return 1;
                qrc += QStringLiteral("<file>%1</file>\n").arg(file);
            }
    }
    qrc += QStringLiteral("</qresource>\n</RCC>\n");
    QFile list(qrcPath);
    // Rewritten only when it changes, so that a reconfigure rebuilds nothing.
    if (list.open(QIODevice::ReadOnly) && list.readAll() == qrc.toUtf8())
        return 0;
    list.close();
    if (!list.open(QIODevice::WriteOnly) || list.write(qrc.toUtf8()) != qrc.toUtf8().size())
        return 1;
    return 0;
}

// An ICO file: a directory of images, each stored as a whole PNG.
int ico(const QString& svg, const QString& outPath)
{
    const Picture picture(svg);
    if (!picture.isValid())
        return 1;
    const int sides[] = {16, 24, 32, 48, 64, 128, 256};
    QList<QByteArray> pngs;
    for (int side : sides) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture.pixmap(QSize(side, side)).toImage().save(&buffer, "PNG");
        pngs.append(png);
    }
    QFile out(outPath);
    if (!out.open(QIODevice::WriteOnly))
        return 1;
    QDataStream stream(&out);
    stream.setByteOrder(QDataStream::LittleEndian);
    stream << quint16(0) << quint16(1) << quint16(pngs.size());
    quint32 offset = 6 + 16 * pngs.size();
    for (int i = 0; i < pngs.size(); ++i) {
        const quint8 side = sides[i] == 256 ? 0 : quint8(sides[i]); // 0 stands for 256
        stream << side << side << quint8(0) << quint8(0) << quint16(1) << quint16(32)
               << quint32(pngs[i].size()) << offset;
        offset += pngs[i].size();
    }
    for (const QByteArray& png : pngs)
        stream.writeRawData(png.constData(), png.size());
    return stream.status() == QDataStream::Ok && out.flush() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    // Text in the pictures needs the font database, which needs a platform, not a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() >= 3 && args[0] == u"prerender")
        return prerender(args[1], args[2], args.mid(3));
    if (args.size() == 3 && args[0] == u"ico")
        return ico(args[1], args[2]);
    std::fprintf(stderr,
                 "usage: %s prerender SVG_FOLDER OUT.qrc [NAME=WxH,...]...\n"
                 "       %s ico SVG OUT.ico\n",
                 argv[0], argv[0]);
    return 2;
}
