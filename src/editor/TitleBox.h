#pragma once

#include <QClipboard>
#include <QLineEdit>

// The one-line title box. What the user brings in, typed, pasted, dropped,
// composed or set by a screen reader, passes LimitaChars without line breaks
// before Qt inserts it, and Qt's own edit does the rest, so Undo and Redo
// restore exactly what was there. A message is drawn in the empty box and is
// never its text.
class TitleBox : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 45;

    explicit TitleBox(QWidget* parent = nullptr);

    // A reminder being corrected goes in whole, even past 45 characters; the
    // user's edits make it no longer than that, or than it was.
    void setProgramText(const QString& text);
    void showMessage(const QString& text);
    bool holdsMessage() const { return holdsMessage_; }

signals:
    // The user's first edit ended the message; the box holds what it brought.
    void messageEditedAway();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    class ScreenReaderEdit;

    // True when the clipboard's text was clean and Qt's own paste should run.
    bool pasteCleaned(QClipboard::Mode mode);
    void endMessage();

    bool holdsMessage_ = false;
};
