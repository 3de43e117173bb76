#pragma once

#include <QObject>
#include <QString>

class QKeyEvent;
class QWidget;

// Puts LimitaChars between the keyboard and the two text boxes of an editor.
// What a key press would type is filtered, the control codes of Ctrl+letter
// included; keys that type nothing (Delete, arrows, Home, End, selection) edit
// as usual. Tab, Backtab and Escape pass untouched to the window.
class TypedKeys : public QObject {
    Q_OBJECT
public:
    TypedKeys(QWidget* first, QWidget* second, QObject* parent = nullptr);

    // The characters a key press types, as a Windows keyboard would deliver them.
    static QString typedText(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPress(QWidget* box, QKeyEvent& event);
    bool inputMethod(QWidget* box, QEvent& event);

    QWidget* first_;
    QWidget* second_;
};
