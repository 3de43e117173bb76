#pragma once

#include <QKeyCombination>
#include <QList>
#include <QObject>

#include <functional>

class QWidget;

// The keys that run a window's commands, taken in their turn among the other keys.
// A screen reader holds each key press until it has heard of it, and Qt's shortcuts
// run at once, ahead of the keys typed before them: the last letters of a title,
// the arrow that chose a row. These are key presses like any other, so they keep
// their place. Held keys act once.
class OrderedShortcuts : public QObject {
    Q_OBJECT
public:
    // Watches the window and every widget in it, those added later too.
    explicit OrderedShortcuts(QWidget* window);

    void add(QKeyCombination keys, std::function<void()> act);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QObject* object);
    const std::function<void()>* find(const QEvent* event) const;

    QList<std::pair<QKeyCombination, std::function<void()>>> commands_;
};
