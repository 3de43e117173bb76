#pragma once

#include <QColor>

class QWidget;

// The colours of the notepad page. A page is paper whatever the desktop's
// theme: every colour the layouts fix is set here, never left to the system.
namespace PageColours {

// The layouts' blue ink: rules, captions, a concluded reminder.
inline const QColor kInk{0x31, 0x6A, 0xC5};
// The pale blue of the rules around the text boxes.
inline const QColor kPaleRule{0xB6, 0xCB, 0xED};
inline const QColor kPaper{0xFF, 0xFF, 0xFF};
inline const QColor kText{0x00, 0x00, 0x00};

// A white page: paints its own white background, and hands the widgets on it a
// complete palette of fixed colours (black text on white boxes and lists), so
// no role falls through to the desktop's palette.
void makePage(QWidget* page);

// The text colour of one label, or of any widget that writes in WindowText.
void setTextColour(QWidget* widget, const QColor& colour);

} // namespace PageColours
