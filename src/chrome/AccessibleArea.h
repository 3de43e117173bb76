#pragma once

#include <QAccessibleWidget>

// A plain widget or frame: not offered, nor anything in it, while it lies
// outside its window (a parked calendar, a stand-in kept below the page). A
// transparent Tab stop laid over a control that cannot take the keyboard itself
// reads as that control, so the reader names what the keys act on.
class AccessibleArea : public QAccessibleWidget {
public:
    AccessibleArea(QWidget* widget, QAccessible::Role role);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

private:
    // The control a transparent Tab stop lies over: the sibling under its middle,
    // else its parent.
    QAccessibleInterface* standsFor() const;
};
