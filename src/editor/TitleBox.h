#pragma once

#include <QLineEdit>

// The one-line title box: everything that reaches it from the user, typed,
// pasted, dropped or composed, passes LimitaChars without line breaks, and the
// user can make it no longer than 45 characters.
class TitleBox : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 45;

    explicit TitleBox(QWidget* parent = nullptr);

    // The program's own texts go in whole: a reminder being corrected, or a
    // message, which is never a title. The user's first edit of a message
    // replaces it with what that edit brought in.
    void setProgramText(const QString& text);
    void showMessage(const QString& text);
    bool holdsMessage() const { return holdsMessage_; }

signals:
    // The user's edit ended the message; the box holds what the user put in.
    void messageEditedAway();

private:
    class UserEditGuard;
    UserEditGuard* guard_;
    bool holdsMessage_ = false;
};
