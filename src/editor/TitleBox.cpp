#include "TitleBox.h"

#include "LimitaChars.h"
#include "TextGate.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QSignalBlocker>

namespace {

// While it lives, what the box does is not told to a screen reader.
class Unheard {
public:
    Unheard() : told_(QAccessible::installUpdateHandler([](QAccessibleEvent*) {})) {}
    ~Unheard() { QAccessible::installUpdateHandler(told_); }
    Unheard(const Unheard&) = delete;
    Unheard& operator=(const Unheard&) = delete;

private:
    QAccessible::UpdateHandler told_;
};

} // namespace

TitleBox::TitleBox(QWidget* parent) : QLineEdit(parent)
{
    // First: a screen reader may ask for the box while it is being set up.
    new TextGate(this,
                 [this](const QString& text, int from, int to) { return admit(text, to - from); });
    setMaxLength(kMaxLength);
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
    // Qt's limit holds what came; admit() keeps the user's edits to 45.
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

QString TitleBox::admit(QStringView brought, int replaced) const
{
    const qsizetype room = kMaxLength - (text().size() - replaced);
    return LimitaChars::clean(brought, false).left(qMax<qsizetype>(0, room));
}

void TitleBox::redoEdit()
{
    redo();
    // Qt 6.4 to 6.8 redo a selection replaced or cut from its left end
    // (Shift+Left, then a letter) as a selection that starts before the text:
    // the next key would erase the wrong letters and leave a NUL in the title.
    // In an empty box it lies hidden until the next letter comes.
    if (text().isEmpty() || (hasSelectedText() && selectionStart() < 0))
        deselect();
}

// QLineEdit starts a new Undo step whenever its cursor moves or it is cleared,
// and has no other public way to: the cursor steps aside and back, or an empty
// box is cleared, unseen and unheard.
void TitleBox::separateUndoStep()
{
    // Taking a selection out starts a step by itself.
    if (hasSelectedText())
        return;
    const Unheard unheard;
    const QSignalBlocker quiet(this);
    if (text().isEmpty()) {
        clear();
        return;
    }
    const int at = cursorPosition();
    setCursorPosition(at > 0 ? at - 1 : at + 1);
    setCursorPosition(at);
}

// As Qt's paste: apart from the typing before and after it.
void TitleBox::insertAsOneStep(const QString& text)
{
    separateUndoStep();
    insert(text);
    separateUndoStep();
}

bool TitleBox::pasteAdmitted(QClipboard::Mode mode)
{
    const QString clip = QGuiApplication::clipboard()->text(mode);
    const QString kept = admit(clip, int(selectedText().size()));
    if (kept == clip)
        return false;
    if (!kept.isEmpty())
        insertAsOneStep(kept);
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
        if (pasteAdmitted(selection ? QClipboard::Selection : QClipboard::Clipboard)) {
            event->accept();
            return;
        }
    }
    if (event->matches(QKeySequence::Redo)) {
        redoEdit();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TitleBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton && !isReadOnly() &&
        QGuiApplication::clipboard()->supportsSelection()) {
        // Qt's own middle-button paste deselects first too.
        deselect();
        if (pasteAdmitted(QClipboard::Selection)) {
            event->accept();
            return;
        }
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TitleBox::dropEvent(QDropEvent* event)
{
    // A drop goes in at the drop point; the selection stays.
    const QString brought = event->mimeData()->text();
    const QString kept = admit(brought, 0);
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
    const QString paste = QLineEdit::tr("&Paste");
    const QString redoText = QLineEdit::tr("&Redo");
    for (QAction* action : menu->actions()) {
        // The editors' Ctrl keys type control codes that the filter refuses, so
        // the menu shows no shortcut that would do nothing.
        action->setText(action->text().section(u'\t', 0, 0));
        if (action->text().startsWith(paste)) {
            action->disconnect(this);
            connect(action, &QAction::triggered, this, [this] {
                if (!pasteAdmitted(QClipboard::Clipboard))
                    QLineEdit::paste();
            });
        } else if (action->text().startsWith(redoText)) {
            action->disconnect(this);
            connect(action, &QAction::triggered, this, &TitleBox::redoEdit);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}
