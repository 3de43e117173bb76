#pragma once

#include <QFrame>

// A rule or line drawn on the page. It is part of the page, not a control: a
// press on it drags the window and a double click on it is the body's.
class PageRule : public QFrame {
    Q_OBJECT
    // Filled with one colour, whatever the desktop's palette; opaque, so the page
    // under it is not drawn.
    Q_PROPERTY(QColor colour READ colour WRITE setColour)
public:
    explicit PageRule(QWidget* parent = nullptr);
    PageRule(const QColor& colour, QWidget* parent);

    QColor colour() const { return palette().color(QPalette::Window); }
    void setColour(const QColor& colour);
};
