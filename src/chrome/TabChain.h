#pragma once

#include <QList>
#include <QWidget>

// Puts the controls one after the other in their window's Tab order, a control
// with a focus proxy by its proxy. Which of them Tab stops at is each one's own
// focus policy, now and later.
inline void chainTabs(const QList<QWidget*>& controls)
{
    QList<QWidget*> stops;
    QList<Qt::FocusPolicy> policies;
    for (QWidget* stop : controls) {
        while (stop->focusProxy())
            stop = stop->focusProxy();
        stops.append(stop);
        policies.append(stop->focusPolicy());
        // Qt orders only controls that take the focus at the time.
        stop->setFocusPolicy(Qt::TabFocus);
    }
    for (qsizetype i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
    for (qsizetype i = 0; i < stops.size(); ++i)
        stops[i]->setFocusPolicy(policies[i]);
}
