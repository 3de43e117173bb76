#include "PaperList.h"

#include "PageColours.h"
#include "PaperDelegate.h"
#include "Picture.h"

#include <QEvent>
#include <QListView>
#include <QPainter>
#include <QScrollBar>

namespace {
constexpr int kPaperSize = 260;
}

PaperList* PaperList::apply(QListView* list, const QString& paper)
{
    return new PaperList(list, paper);
}

PaperList::PaperList(QListView* list, const QString& paper) : QObject(list), list_(list)
{
    const qreal ratio = list->devicePixelRatioF();
    paper_ = QPixmap(QSize(kPaperSize, kPaperSize) * ratio);
    paper_.setDevicePixelRatio(ratio);
    paper_.fill(PageColours::kPaper);
    if (!paper.isEmpty()) {
        QPainter painter(&paper_);
        Picture(paper).render(&painter, QRectF(0, 0, kPaperSize, kPaperSize));
    }

    list->setFrameShape(QFrame::NoFrame);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setUniformItemSizes(true);
    list->setItemDelegate(new PaperDelegate(list));
    list->viewport()->setAutoFillBackground(false);
    list->viewport()->installEventFilter(this);
    // A scroll moves the painted pixels; repaint all so the rules stay put under
    // the rows.
    connect(list->verticalScrollBar(), &QScrollBar::valueChanged, list->viewport(),
            qOverload<>(&QWidget::update));
}

bool PaperList::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && watched == list_->viewport()) {
        QPainter painter(list_->viewport());
        painter.drawTiledPixmap(list_->viewport()->rect(), paper_);
    }
    return QObject::eventFilter(watched, event);
}
