#pragma once

#include <QCursor>

class QWidget;

// The hand shown over the clickable pictures and labels, drawn from
// :/pictures/cursor_mao.svg; the system's pointing hand while the picture is not
// registered.
QCursor handCursor();

// Gives the hand to every widget under root marked with Qt::PointingHandCursor,
// the shape the layouts use to mark the controls that want it.
void applyHandCursor(QWidget* root);
