#include "TitleBox.h"

#include "LimitaChars.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QValidator>

// Qt asks its validator after each of its own edits, with the edit already in the
// box: those came by the routes the box filters. A screen reader asks before it
// puts a whole new text in, which is the one edit left to filter here.
class TitleBox::ScreenReaderEdit : public QValidator {
public:
    explicit ScreenReaderEdit(TitleBox* box) : QValidator(box), box_(box) {}

    State validate(QString& input, int&) const override
    {
        if (input == box_->text())
            return Acceptable;
        const QString kept = LimitaChars::clean(input, false);
        if (kept == box_->text())
            return Invalid; // only refused characters came
        input = kept;
        return Acceptable;
    }

private:
    TitleBox* box_;
};

TitleBox::TitleBox(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(kMaxLength);
    setValidator(new ScreenReaderEdit(this));
    // The box is empty while a message shows, so any text is the user's first edit.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (holdsMessage_ && !text.isEmpty())
            endMessage();
    });
}

void TitleBox::setProgramText(const QString& text)
{
    holdsMessage_ = false;
    setPlaceholderText({});
    setMaxLength(qMax(kMaxLength, int(text.size())));
    setText(text);
}

void TitleBox::showMessage(const QString& text)
{
    setProgramText({});
    // Drawn as the box's own text would be.
    QPalette look = palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        look.setColor(group, QPalette::PlaceholderText, look.color(group, QPalette::Text));
    setPalette(look);
    setPlaceholderText(text);
    holdsMessage_ = true;
}

void TitleBox::endMessage()
{
    holdsMessage_ = false;
    setPlaceholderText({});
    emit messageEditedAway();
}

bool TitleBox::pasteCleaned(QClipboard::Mode mode)
{
    const QString clip = QGuiApplication::clipboard()->text(mode);
    const QString kept = LimitaChars::clean(clip, false);
    if (kept == clip)
        return false;
    if (!kept.isEmpty())
        insert(kept);
    return true;
}

void TitleBox::keyPressEvent(QKeyEvent* event)
{
    // An empty box has nothing for them to erase, but they end a message.
    if (holdsMessage_ && (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)) {
        endMessage();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        const bool selection = event->key() == Qt::Key_Insert &&
                               event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier) &&
                               QGuiApplication::clipboard()->supportsSelection();
        if (pasteCleaned(selection ? QClipboard::Selection : QClipboard::Clipboard)) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TitleBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton && !isReadOnly() &&
        QGuiApplication::clipboard()->supportsSelection()) {
        const QString clip = QGuiApplication::clipboard()->text(QClipboard::Selection);
        if (LimitaChars::clean(clip, false) != clip) {
            deselect();
            pasteCleaned(QClipboard::Selection);
            event->accept();
            return;
        }
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TitleBox::dropEvent(QDropEvent* event)
{
    const QString brought = event->mimeData()->text();
    const QString kept = LimitaChars::clean(brought, false);
    if (kept == brought) {
        QLineEdit::dropEvent(event);
        return;
    }
    if (kept.isEmpty()) {
        event->ignore();
        return;
    }
    QMimeData cleaned;
    cleaned.setText(kept);
    QDropEvent clean(event->position(), event->possibleActions(), &cleaned, event->buttons(),
                     event->modifiers(), event->type());
    clean.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&clean);
    event->setDropAction(clean.dropAction());
    event->setAccepted(clean.isAccepted());
}

void TitleBox::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    // The menu's Paste takes the filtered route too.
    const QString paste = QLineEdit::tr("&Paste");
    for (QAction* action : menu->actions()) {
        // The editors' Ctrl keys type control codes that the filter refuses, so
        // the menu shows no shortcut that would do nothing.
        action->setText(action->text().section(u'\t', 0, 0));
        if (!action->text().startsWith(paste))
            continue;
        action->disconnect(this);
        connect(action, &QAction::triggered, this, [this] {
            if (!pasteCleaned(QClipboard::Clipboard))
                QLineEdit::paste();
        });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}
