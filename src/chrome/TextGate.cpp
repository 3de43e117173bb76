#include "TextGate.h"

#include <QWidget>

TextGate::TextGate(QWidget* box, Admit admit) : QObject(box), admit_(std::move(admit)) {}

TextGate* TextGate::of(const QObject* box)
{
    return box->findChild<TextGate*>(QString(), Qt::FindDirectChildrenOnly);
}
