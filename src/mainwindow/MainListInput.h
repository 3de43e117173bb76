#pragma once

#include <QObject>

class ListState;
class MainListCommands;
class QListWidget;

// The main list's input: the keys, the mouse, and a screen reader's selection
// and row action, each led to the list's commands. Every route that picks a row
// ends in the commands' one way into the selection.
class MainListInput : public QObject {
    Q_OBJECT
public:
    MainListInput(ListState& state, MainListCommands& commands, QListWidget* lstLembretes,
                  QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void keyDown(QEvent* event);
    // Space and the page keys, which the list's key rules and its own handling
    // never see. True when the key was one of them.
    bool ownKey(QEvent* event);
    // Runs the selection for the row the list itself selected, by a key, a drag
    // or a screen reader, and keeps the chosen row selected when the list let
    // go of it.
    void takeListSelection();

    ListState& state_;
    MainListCommands& commands_;
    QListWidget* lstLembretes;
    // Set while the filter hands a key on to the list, which filters it again.
    bool passingKey_ = false;
};
