#include "PageRule.h"

PageRule::PageRule(QWidget* parent) : QFrame(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

PageRule::PageRule(const QColor& colour, QWidget* parent) : PageRule(parent)
{
    setColour(colour);
}

void PageRule::setColour(const QColor& colour)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
}
