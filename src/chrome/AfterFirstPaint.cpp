#include "AfterFirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

class PaintWatch : public QObject {
public:
    PaintWatch(QWidget* window, QObject* context, std::function<void()> work)
        : QObject(context), work_(std::move(work))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, parent(), work_);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> work_;
};

} // namespace

namespace AfterFirstPaint {

void run(QWidget* window, QObject* context, std::function<void()> work)
{
    if (window->windowHandle() && window->windowHandle()->isExposed())
        QTimer::singleShot(0, context, std::move(work));
    else
        new PaintWatch(window, context, std::move(work));
}

} // namespace AfterFirstPaint
