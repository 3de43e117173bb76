#pragma once

#include <QAccessibleWidget>

// A picture on a page: a picture button that something listens to is a button
// whose press action clicks it; artwork, a page background or a rule, and a
// picture that is hidden or parked, is not offered.
class AccessiblePicture : public QAccessibleWidget {
public:
    explicit AccessiblePicture(QWidget* widget);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString& action) const override;

private:
    bool acts() const;
    bool offered() const;
};
