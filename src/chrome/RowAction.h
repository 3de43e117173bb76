#pragma once

#include <QObject>
#include <QString>

class QAbstractItemView;

// The action a screen reader offers on each row of a list, besides selecting it:
// what a double click on the row does, for instance.
class RowAction : public QObject {
    Q_OBJECT
public:
    // Lives as long as the view.
    static RowAction* install(QAbstractItemView* view, const QString& name);
    // The view's, if it has one.
    static RowAction* of(const QAbstractItemView* view);

    QString name() const { return name_; }

signals:
    // Posted, never emitted inside the screen reader's call.
    void triggered(int row);

private:
    RowAction(QAbstractItemView* view, const QString& name);

    QString name_;
};
