#pragma once

#include <QWidget>

#include <initializer_list>

// Puts the controls one after the other in their window's Tab order. Which of
// them Tab stops at is each one's own focus policy.
inline void chainTabs(std::initializer_list<QWidget*> stops)
{
    QWidget* before = nullptr;
    for (QWidget* stop : stops) {
        if (before)
            QWidget::setTabOrder(before, stop);
        before = stop;
    }
}
