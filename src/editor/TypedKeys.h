#pragma once

#include <QObject>
#include <QString>

class DescriptionBox;
class QKeyEvent;
class QWidget;
class TitleBox;

// Puts LimitaChars between the keyboard and the two text boxes of an editor.
// What a key press would type is filtered, the control codes of Ctrl+letter
// included; keys that type nothing (Delete, arrows, Home, End, selection) edit
// as usual. Tab, Backtab and Escape pass untouched to the window. A key that
// brings several characters, and an input method's commit, are cleaned as a
// paste is; the title takes no more than its 45 characters leave room for.
class TypedKeys : public QObject {
    Q_OBJECT
public:
    TypedKeys(TitleBox* title, DescriptionBox* description, QObject* parent = nullptr);

    // The characters a key press types, as a Windows keyboard would deliver them.
    static QString typedText(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPress(QWidget* box, QKeyEvent& event);
    bool inputMethod(QWidget* box, QEvent& event);
    // What a box lets in where `replaced` characters besides its selection go.
    QString admit(QWidget* box, const QString& brought, int replaced) const;

    TitleBox* title_;
    DescriptionBox* description_;
};
