#include "TitleBox.h"

#include "LimitaChars.h"

#include <QValidator>

// QLineEdit asks its validator after every change the user makes, whatever its
// route, so comparing with the text before the change finds what came in.
// (QLineEdit's own maximum length would also cut the program's texts.)
class TitleBox::UserEditGuard : public QValidator {
public:
    explicit UserEditGuard(QLineEdit* box) : QValidator(box)
    {
        connect(box, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
    }

    State validate(QString& input, int& pos) const override
    {
        if (bypass_ || input == before_)
            return Acceptable;
        input = LimitaChars::limitEdit(before_, input, TitleBox::kMaxLength, false, pos);
        return Acceptable;
    }

    bool bypass_ = false;

private:
    QString before_;
};

TitleBox::TitleBox(QWidget* parent) : QLineEdit(parent), guard_(new UserEditGuard(this))
{
    setValidator(guard_);
}

void TitleBox::setProgramText(const QString& text)
{
    guard_->bypass_ = true;
    setText(text);
    guard_->bypass_ = false;
}
