#include "PageBackground.h"

#include <QPainter>

PageBackground::PageBackground(const QString& picture, QWidget* parent)
    : QWidget(parent), renderer_(picture)
{
    setObjectName(QStringLiteral("fundo"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(parent->rect());
    lower();
}

void PageBackground::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    renderer_.render(&painter, QRectF(rect()));
}
