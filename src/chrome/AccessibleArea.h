#pragma once

#include <QAccessibleWidget>

// A plain widget or frame: not offered, nor anything in it, while it lies
// outside its window (a parked calendar, a stand-in kept below the page).
class AccessibleArea : public QAccessibleWidget {
public:
    AccessibleArea(QWidget* widget, QAccessible::Role role);

    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    QStringList actionNames() const override;
};
