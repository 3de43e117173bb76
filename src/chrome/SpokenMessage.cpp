#include "SpokenMessage.h"

#include "Accessibility.h"
#include "Activation.h"

#include <QLabel>
#include <QTimer>

SpokenMessage::SpokenMessage(QWidget* window)
    : QObject(window), line_(new QLabel(window)), wait_(new QTimer(this))
{
    line_->setObjectName(QStringLiteral("mensagemFalada"));
    line_->setGeometry(0, 0, 0, 0);
    line_->setTextFormat(Qt::PlainText);
    line_->hide();
    Accessibility::setLabelRole(line_, QAccessible::Notification);
    // Looked at again until the command that spoke has finished moving the focus.
    wait_->setInterval(10);
    connect(wait_, &QTimer::timeout, this, &SpokenMessage::showWhenSettled);
}

void SpokenMessage::say(const QString& text)
{
    // Only a notification that starts showing is heard.
    line_->hide();
    line_->setText(text);
    wait_->start();
}

void SpokenMessage::hush()
{
    wait_->stop();
    line_->hide();
}

void SpokenMessage::showWhenSettled()
{
    if (Activation::pending())
        return;
    wait_->stop();
    line_->show();
}
