#include "Pictures.h"

#include "Picture.h"

static void registerPictures()
{
    Q_INIT_RESOURCE(pictures);
}

namespace Pictures {

void load()
{
    static const bool once = (registerPictures(), true);
    Q_UNUSED(once);
}

QPixmap pixmap(const char* name, QSize size, qreal pixelRatio)
{
    load();
    return Picture(path(name)).pixmap(size, pixelRatio);
}

QIcon icon()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48})
        icon.addPixmap(pixmap("icone", QSize(side, side)));
    return icon;
}

} // namespace Pictures
