#include "TypedKeys.h"

#include "DescriptionBox.h"
#include "LimitaChars.h"
#include "TitleBox.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace {

constexpr int kCR = 13;
constexpr int kLF = 10;

// Replays an allowed control code as the key that edits it in a Qt box.
bool sendKey(QWidget* box, Qt::Key key, const QString& text)
{
    QKeyEvent replay(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(box, &replay);
    return true;
}

// Cleaned text typed as keys: Qt types a key's text only when it begins with a
// printable character, so each line break is a Return of its own.
void typeCleaned(QWidget* box, const QString& text)
{
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            sendKey(box, Qt::Key_Return, QStringLiteral("\r"));
        if (!lines.at(i).isEmpty())
            sendKey(box, Qt::Key_unknown, lines.at(i));
    }
}

// What a commit's replacement takes away besides the selection: Qt removes the
// range only where it lies within the text once the selection is gone.
int replacedBy(const QInputMethodEvent& composed, const QLineEdit& box)
{
    const int selected = int(box.selectedText().size());
    const int at = box.hasSelectedText() ? box.selectionStart() : box.cursorPosition();
    const int from = qMax(0, at + composed.replacementStart());
    const int length = composed.replacementLength();
    return from + length <= box.text().size() - selected ? length : 0;
}

} // namespace

TypedKeys::TypedKeys(TitleBox* title, DescriptionBox* description, QObject* parent)
    : QObject(parent), title_(title), description_(description)
{
    for (QWidget* box : {static_cast<QWidget*>(title_), static_cast<QWidget*>(description_)}) {
        box->setFocusPolicy(Qt::StrongFocus);
        box->installEventFilter(this);
    }
}

QString TypedKeys::typedText(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers mods = event.modifiers();
    const int key = event.key();
    // Ctrl+letter types a control code, whatever text the platform reports.
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && key >= Qt::Key_A &&
        key <= Qt::Key_Z)
        return QString(QChar(char16_t(key - Qt::Key_A + 1)));
    // X11 reports DEL as the text of Delete, but the key only edits.
    if (key == Qt::Key_Delete)
        return {};
    return event.text();
}

bool TypedKeys::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QWidget*>(watched);
    if (box == title_ || box == description_) {
        if (event->type() == QEvent::KeyPress)
            return keyPress(box, static_cast<QKeyEvent&>(*event));
        if (event->type() == QEvent::InputMethod)
            return inputMethod(box, *event);
    }
    return QObject::eventFilter(watched, event);
}

QString TypedKeys::admit(QWidget* box, const QString& brought, int replaced) const
{
    if (box == title_)
        return title_->admit(brought, replaced + int(title_->selectedText().size()));
    return DescriptionBox::admit(brought);
}

bool TypedKeys::keyPress(QWidget* box, QKeyEvent& event)
{
    // Keys of the window, not characters: the filter would drop their control codes.
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab ||
        event.key() == Qt::Key_Escape)
        return false;
    const QString typed = typedText(event);
    if (typed.isEmpty())
        return false;
    if (typed.size() > 1) {
        const QString kept = admit(box, typed, 0);
        if (kept == typed)
            return false;
        typeCleaned(box, kept);
        return true;
    }
    const int code = LimitaChars::filter(typed.front().unicode());
    const bool returnKey = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    if (code == LimitaChars::kRefused)
        return true;
    if (code == LimitaChars::kBackspace && event.key() != Qt::Key_Backspace)
        return sendKey(box, Qt::Key_Backspace, typed);
    if (code == kCR || code == kLF)
        return returnKey ? false : sendKey(box, Qt::Key_Return, QStringLiteral("\r"));
    // A full title takes no more letters.
    return code != LimitaChars::kBackspace && admit(box, typed, 0).isEmpty();
}

bool TypedKeys::inputMethod(QWidget* box, QEvent& event)
{
    auto& composed = static_cast<QInputMethodEvent&>(event);
    const QString commit = composed.commitString();
    const QString kept = admit(box, commit, box == title_ ? replacedBy(composed, *title_) : 0);
    if (kept == commit)
        return false;
    // A commit that brings nothing the box takes replaces nothing either.
    QInputMethodEvent filtered(composed.preeditString(), composed.attributes());
    if (!kept.isEmpty())
        filtered.setCommitString(kept, composed.replacementStart(), composed.replacementLength());
    QCoreApplication::sendEvent(box, &filtered);
    return true;
}
