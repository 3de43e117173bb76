#include "TypedKeys.h"

#include "LimitaChars.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QWidget>

namespace {

constexpr int kCR = 13;
constexpr int kLF = 10;

bool multiLine(const QWidget* box)
{
    return qobject_cast<const QPlainTextEdit*>(box) != nullptr;
}

// Replays an allowed control code as the key that edits it in a Qt box.
bool sendKey(QWidget* box, Qt::Key key, const QString& text)
{
    QKeyEvent replay(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(box, &replay);
    return true;
}

} // namespace

TypedKeys::TypedKeys(QWidget* first, QWidget* second, QObject* parent)
    : QObject(parent), first_(first), second_(second)
{
    for (QWidget* box : {first_, second_}) {
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
    if (box == first_ || box == second_) {
        if (event->type() == QEvent::KeyPress)
            return keyPress(box, static_cast<QKeyEvent&>(*event));
        if (event->type() == QEvent::InputMethod)
            return inputMethod(box, *event);
    }
    return QObject::eventFilter(watched, event);
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
        const QString kept = LimitaChars::clean(typed, true);
        if (kept == typed)
            return false;
        if (!kept.isEmpty())
            sendKey(box, Qt::Key_unknown, kept);
        return true;
    }
    const int code = LimitaChars::filter(typed.front().unicode());
    const bool returnKey = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    if (code == LimitaChars::kRefused)
        return true;
    if (code == LimitaChars::kBackspace && event.key() != Qt::Key_Backspace)
        return sendKey(box, Qt::Key_Backspace, typed);
    if ((code == kCR || code == kLF) && !returnKey)
        return sendKey(box, Qt::Key_Return, QStringLiteral("\r"));
    return false;
}

bool TypedKeys::inputMethod(QWidget* box, QEvent& event)
{
    auto& composed = static_cast<QInputMethodEvent&>(event);
    const QString kept = LimitaChars::clean(composed.commitString(), multiLine(box));
    if (kept == composed.commitString())
        return false;
    QInputMethodEvent filtered(composed.preeditString(), composed.attributes());
    filtered.setCommitString(kept, composed.replacementStart(), composed.replacementLength());
    QCoreApplication::sendEvent(box, &filtered);
    return true;
}
