#include "TitleBox.h"

#include "LimitaChars.h"

#include <QValidator>

// QLineEdit asks its validator after every change the user makes, whatever its
// route, with the cursor where the change left it, so comparing with the text
// before the change finds what came in and where.
// (QLineEdit's own maximum length would also cut the program's texts.)
class TitleBox::UserEditGuard : public QValidator {
public:
    explicit UserEditGuard(TitleBox* box) : QValidator(box), box_(box)
    {
        connect(box, &QLineEdit::textChanged, this,
                [this](const QString& text) { before_ = text; });
    }

    State validate(QString& input, int& pos) const override
    {
        if (bypass_ || input == before_)
            return Acceptable;
        if (box_->holdsMessage_)
            editMessageAway(input, pos);
        else
            input = LimitaChars::limitEdit(before_, input, TitleBox::kMaxLength, false, pos);
        return Acceptable;
    }

    bool bypass_ = false;

private:
    // The edit applies to an empty box: a key leaves that key, Backspace nothing.
    void editMessageAway(QString& input, int& pos) const
    {
        const LimitaChars::Change change = LimitaChars::changeOf(before_, input, pos);
        const QString brought =
            LimitaChars::clean(change.inserted(input), false).left(TitleBox::kMaxLength);
        if (brought.isEmpty() && !change.removes(before_)) {
            input = before_; // only refused characters came: the message stays
            return;
        }
        input = brought;
        pos = int(brought.size());
        box_->holdsMessage_ = false;
        emit box_->messageEditedAway();
    }

    TitleBox* box_;
    QString before_;
};

TitleBox::TitleBox(QWidget* parent) : QLineEdit(parent), guard_(new UserEditGuard(this))
{
    setValidator(guard_);
}

void TitleBox::setProgramText(const QString& text)
{
    holdsMessage_ = false;
    guard_->bypass_ = true;
    setText(text);
    guard_->bypass_ = false;
}

void TitleBox::showMessage(const QString& text)
{
    setProgramText(text);
    holdsMessage_ = true;
}
