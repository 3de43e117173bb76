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

    // The program's own texts (messages, a reminder being corrected) go in whole.
    void setProgramText(const QString& text);

private:
    class UserEditGuard;
    UserEditGuard* guard_;
};
