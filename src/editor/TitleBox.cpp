#include "TitleBox.h"

#include "LimitaChars.h"

#include <QValidator>

namespace {

// QLineEdit asks its validator after every change the user makes, whatever its
// route, so comparing with the text before the change finds what came in.
// (QLineEdit's own maximum length would also cut the program's texts.)
class UserEditGuard : public QValidator {
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

} // namespace

TitleBox::TitleBox(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new UserEditGuard(this));
}

void TitleBox::setProgramText(const QString& text)
{
    auto* guard = static_cast<UserEditGuard*>(const_cast<QValidator*>(validator()));
    guard->bypass_ = true;
    setText(text);
    guard->bypass_ = false;
}
