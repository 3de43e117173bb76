#include "PageColours.h"

#include <QPalette>
#include <QWidget>

namespace PageColours {

namespace {

// The face of the desktop's buttons, pinned to Windows' own.
const QColor kButtonFace{0xEC, 0xE9, 0xD8};
const QColor kHint{0x80, 0x80, 0x80};

QPalette paperPalette()
{
    // Every role is set, so the palette resolves nothing from the desktop.
    QPalette pal(kButtonFace, kPaper);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        pal.setColor(role, kText);
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::AlternateBase})
        pal.setColor(role, kPaper);
    pal.setColor(QPalette::Button, kButtonFace);
    pal.setColor(QPalette::Highlight, kInk);
    pal.setColor(QPalette::HighlightedText, kPaper);
    pal.setColor(QPalette::PlaceholderText, kHint);
    pal.setColor(QPalette::Link, kInk);
    pal.setColor(QPalette::LinkVisited, kInk);
    pal.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    pal.setColor(QPalette::ToolTipText, kText);
    return pal;
}

} // namespace

void makePage(QWidget* page)
{
    page->setAutoFillBackground(true);
    page->setPalette(paperPalette());
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, colour);
    widget->setPalette(pal);
}

} // namespace PageColours
