#include "AccessibleGatedText.h"

#include "TextGate.h"

namespace {

// The box whose Qt interface is being made, which the program's factory then
// leaves to Qt's.
QObject* making = nullptr;

} // namespace

QAccessibleInterface* AccessibleGatedText::wrap(QObject* box)
{
    TextGate* gate = TextGate::of(box);
    if (!gate || box == making)
        return nullptr;
    making = box;
    QAccessibleInterface* qts = QAccessible::queryAccessibleInterface(box);
    making = nullptr;
    if (!qts || !qts->editableTextInterface() || !qts->textInterface())
        return nullptr;
    return new AccessibleGatedText(qts, gate);
}

AccessibleGatedText::AccessibleGatedText(QAccessibleInterface* qts, TextGate* gate)
    : qts_(qts), box_(qts->object()), gate_(gate)
{
}

std::optional<QString> AccessibleGatedText::admitted(const QString& text, int from, int to) const
{
    if (!gate_)
        return text;
    const QString kept = gate_->admit(text, from, to);
    if (kept.isEmpty() && !text.isEmpty())
        return std::nullopt;
    return kept;
}

bool AccessibleGatedText::isValid() const
{
    return box_ && qts_->isValid();
}

// Asked by the cache as it deletes this, when Qt's interface may be gone.
QObject* AccessibleGatedText::object() const
{
    return box_;
}

QWindow* AccessibleGatedText::window() const
{
    return qts_->window();
}

QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
AccessibleGatedText::relations(QAccessible::Relation match) const
{
    return qts_->relations(match);
}

QAccessibleInterface* AccessibleGatedText::focusChild() const
{
    return qts_->focusChild();
}

QAccessibleInterface* AccessibleGatedText::childAt(int x, int y) const
{
    return qts_->childAt(x, y);
}

QAccessibleInterface* AccessibleGatedText::parent() const
{
    return qts_->parent();
}

QAccessibleInterface* AccessibleGatedText::child(int index) const
{
    return qts_->child(index);
}

int AccessibleGatedText::childCount() const
{
    return qts_->childCount();
}

int AccessibleGatedText::indexOfChild(const QAccessibleInterface* child) const
{
    return qts_->indexOfChild(child);
}

QString AccessibleGatedText::text(QAccessible::Text t) const
{
    return qts_->text(t);
}

void AccessibleGatedText::setText(QAccessible::Text t, const QString& text)
{
    if (t != QAccessible::Value) {
        qts_->setText(t, text);
        return;
    }
    if (const auto kept = admitted(text, 0, characterCount()))
        qts_->setText(t, *kept);
}

QRect AccessibleGatedText::rect() const
{
    return qts_->rect();
}

QAccessible::Role AccessibleGatedText::role() const
{
    return qts_->role();
}

QAccessible::State AccessibleGatedText::state() const
{
    return qts_->state();
}

QColor AccessibleGatedText::foregroundColor() const
{
    return qts_->foregroundColor();
}

QColor AccessibleGatedText::backgroundColor() const
{
    return qts_->backgroundColor();
}

void* AccessibleGatedText::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return qts_->interface_cast(type);
}

void AccessibleGatedText::virtual_hook(int id, void* data)
{
    qts_->virtual_hook(id, data);
}

void AccessibleGatedText::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    qtText()->selection(selectionIndex, startOffset, endOffset);
}

int AccessibleGatedText::selectionCount() const
{
    return qtText()->selectionCount();
}

void AccessibleGatedText::addSelection(int startOffset, int endOffset)
{
    qtText()->addSelection(startOffset, endOffset);
}

void AccessibleGatedText::removeSelection(int selectionIndex)
{
    qtText()->removeSelection(selectionIndex);
}

void AccessibleGatedText::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    qtText()->setSelection(selectionIndex, startOffset, endOffset);
}

int AccessibleGatedText::cursorPosition() const
{
    return qtText()->cursorPosition();
}

void AccessibleGatedText::setCursorPosition(int position)
{
    qtText()->setCursorPosition(position);
}

QString AccessibleGatedText::text(int startOffset, int endOffset) const
{
    return qtText()->text(startOffset, endOffset);
}

QString AccessibleGatedText::textBeforeOffset(int offset,
                                              QAccessible::TextBoundaryType boundaryType,
                                              int* startOffset, int* endOffset) const
{
    return qtText()->textBeforeOffset(offset, boundaryType, startOffset, endOffset);
}

QString AccessibleGatedText::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const
{
    return qtText()->textAfterOffset(offset, boundaryType, startOffset, endOffset);
}

QString AccessibleGatedText::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                          int* startOffset, int* endOffset) const
{
    return qtText()->textAtOffset(offset, boundaryType, startOffset, endOffset);
}

int AccessibleGatedText::characterCount() const
{
    return qtText()->characterCount();
}

QRect AccessibleGatedText::characterRect(int offset) const
{
    return qtText()->characterRect(offset);
}

int AccessibleGatedText::offsetAtPoint(const QPoint& point) const
{
    return qtText()->offsetAtPoint(point);
}

void AccessibleGatedText::scrollToSubstring(int startIndex, int endIndex)
{
    qtText()->scrollToSubstring(startIndex, endIndex);
}

QString AccessibleGatedText::attributes(int offset, int* startOffset, int* endOffset) const
{
    return qtText()->attributes(offset, startOffset, endOffset);
}

void AccessibleGatedText::deleteText(int startOffset, int endOffset)
{
    qtEdit()->deleteText(startOffset, endOffset);
}

void AccessibleGatedText::insertText(int offset, const QString& text)
{
    if (const auto kept = admitted(text, offset, offset))
        qtEdit()->insertText(offset, *kept);
}

void AccessibleGatedText::replaceText(int startOffset, int endOffset, const QString& text)
{
    if (const auto kept = admitted(text, startOffset, endOffset))
        qtEdit()->replaceText(startOffset, endOffset, *kept);
}
