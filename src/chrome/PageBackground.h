#pragma once

#include "Picture.h"

#include <QWidget>


// The page picture under every control of a window. It takes no mouse input, so
// presses on the page still reach the window for dragging.
class PageBackground : public QWidget {
    Q_OBJECT
public:
    // Fills parent and goes to the bottom of its stack.
    PageBackground(const QString& picture, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Picture renderer_;
};
