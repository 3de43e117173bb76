#pragma once

#include <QAccessible>

class QLabel;
class QWidget;

// What a screen reader is told about the program's own kinds of control: picture
// buttons are buttons, artwork and what lies outside its window is not offered,
// labels a click acts on are buttons or links, spoken messages are notifications
// and the rows of a list read as words.
namespace Accessibility {

// Once, before the first window is built.
void install();

// The role a label takes: Notification for a spoken message, Button or Link for a label a
// click acts on (its press action clicks it as the mouse does). A label that acts
// but has no name is not offered.
void setLabelRole(QLabel* label, QAccessible::Role role);
QAccessible::Role labelRole(const QLabel* label);

// The layouts park controls below their window's bottom edge, where nobody sees them.
bool outsideWindow(const QWidget* widget);

} // namespace Accessibility
