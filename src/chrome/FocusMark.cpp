#include "FocusMark.h"

#include "PageColours.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPainter>
#include <QWidget>

namespace {

FocusMark* instance = nullptr;

// Drawn over its control as a child of it, so it moves, sinks and hides with it.
class Frame : public QWidget {
public:
    explicit Frame(QWidget* control) : QWidget(control)
    {
        setObjectName(QStringLiteral("focusMark"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(QPen(PageColours::kInk, 1, Qt::DotLine));
        p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
};

// Only what the keyboard reaches by Tab is marked: not the hidden list that
// holds the focus so that no row does.
bool markable(const QWidget* widget)
{
    return widget && (widget->focusPolicy() & Qt::TabFocus) && widget->isVisible();
}

} // namespace

FocusMark::FocusMark(QObject* parent) : QObject(parent) {}

void FocusMark::install()
{
    if (instance)
        return;
    instance = new FocusMark(qApp);
    qApp->installEventFilter(instance);
}

void FocusMark::showForKeys()
{
    if (instance)
        instance->setShown(true);
}

void FocusMark::moveFocus(QWidget* to)
{
    if (!instance) {
        to->setFocus(Qt::OtherFocusReason);
        return;
    }
    instance->keep_ = true;
    to->setFocus(Qt::OtherFocusReason);
    instance->keep_ = false;
    instance->follow();
}

void FocusMark::setShown(bool shown)
{
    shown_ = shown;
    follow();
}

void FocusMark::follow()
{
    QWidget* focus = QApplication::focusWidget();
    if (!shown_ || !markable(focus)) {
        if (frame_)
            frame_->hide();
        return;
    }
    if (!frame_)
        frame_ = new Frame(focus);
    else if (frame_->parentWidget() != focus)
        frame_->setParent(focus);
    frame_->setGeometry(focus->rect());
    frame_->raise();
    frame_->show();
}

bool FocusMark::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
        if (shown_)
            setShown(false);
        break;
    case QEvent::FocusIn:
        if (watched->isWidgetType() && !keep_) {
            switch (static_cast<QFocusEvent*>(event)->reason()) {
            case Qt::TabFocusReason:
            case Qt::BacktabFocusReason:
            case Qt::ShortcutFocusReason:
                shown_ = true;
                break;
            case Qt::MouseFocusReason:
            case Qt::OtherFocusReason:
            case Qt::PopupFocusReason:
                shown_ = false;
                break;
            default:
                break;
            }
        }
        if (watched->isWidgetType())
            follow();
        break;
    case QEvent::FocusOut:
        // The window went to the back: no control of ours holds the keys.
        if (frame_ && frame_->parentWidget() == watched && !QApplication::focusWidget())
            frame_->hide();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
