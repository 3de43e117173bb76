#pragma once

#include <QFrame>

// A rule or line drawn on the page. It is part of the page, not a control: a
// press on it drags the window and a double click on it is the body's.
class PageRule : public QFrame {
    Q_OBJECT
public:
    explicit PageRule(QWidget* parent = nullptr);
    // Filled with one colour, whatever the desktop's palette.
    PageRule(const QColor& colour, QWidget* parent);
};
