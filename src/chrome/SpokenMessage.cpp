#include "SpokenMessage.h"

#include "Accessibility.h"
#include "Activation.h"

#include <QGuiApplication>
#include <QLabel>
#include <QTimer>
#include <QWindow>

SpokenMessage::SpokenMessage(QWidget* window)
    : QObject(window), line_(new QLabel(window)), wait_(new QTimer(this))
{
    line_->setObjectName(QStringLiteral("mensagemFalada"));
    line_->setGeometry(0, 0, 0, 0);
    line_->setTextFormat(Qt::PlainText);
    line_->hide();
    Accessibility::setLabelRole(line_, QAccessible::Notification);
    wait_->setSingleShot(true);
    connect(wait_, &QTimer::timeout, this, &SpokenMessage::showWhenSettled);
}

void SpokenMessage::say(const QString& text)
{
    // Only a notification that starts showing is heard.
    line_->hide();
    line_->setText(text);
    // The command that spoke may go on to ask for a window: looked at once it is done.
    disconnect(arrival_);
    wait_->start(10);
}

void SpokenMessage::hush()
{
    disconnect(arrival_);
    wait_->stop();
    line_->hide();
}

void SpokenMessage::showWhenSettled()
{
    if (Activation::pending()) {
        if (!arrival_)
            // Queued: the widgets learn which window is active after the signal.
            arrival_ = connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
                               &SpokenMessage::showWhenSettled, Qt::QueuedConnection);
        wait_->start(Activation::kPatienceMs);
        return;
    }
    disconnect(arrival_);
    wait_->stop();
    line_->show();
}
