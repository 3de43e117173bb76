#include "PageScrollBar.h"

#include "PageColours.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

void tintScrollBar(QAbstractScrollArea* box)
{
    QScrollBar* bar = box->verticalScrollBar();
    QPalette pal = bar->palette();
    pal.setColor(QPalette::Window, PageColours::kPaper);
    pal.setColor(QPalette::Button, QColor(0xEE, 0xF3, 0xFB));
    pal.setColor(QPalette::ButtonText, QColor(0x5A, 0x7E, 0xB5));
    pal.setColor(QPalette::WindowText, QColor(0x5A, 0x7E, 0xB5));
    bar->setPalette(pal);
    // A screen reader offers its actions, so it needs a name too.
    bar->setAccessibleName(QStringLiteral("Rolagem"));
}
