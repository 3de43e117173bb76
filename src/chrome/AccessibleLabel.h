#pragma once

#include <QAccessibleWidget>

class QLabel;

// A label as Accessibility::setLabelRole made it: static text by default, a
// notification, or a button or link whose press action clicks it as the mouse does.
// Everything is read at each call, since the role is given after the label
// was built and the interface may have been asked for before.
class AccessibleLabel : public QAccessibleWidget {
public:
    explicit AccessibleLabel(QWidget* widget);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString& action) const override;

private:
    QLabel* label() const;
    bool acts() const;
    bool offered() const;
};
