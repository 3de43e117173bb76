#pragma once

#include <QAccessible>
#include <QPointer>

#include <optional>

class TextGate;

// Qt's own interface for a text box, with every text a screen reader brings
// passed through the box's gate first. Qt's interface is made by its own
// factory and stays in Qt's cache beside this one, which the cache returns for
// the box since it came last; the cache deletes both with the box, and at exit
// in any order, asking each for its object first.
class AccessibleGatedText : public QAccessibleInterface,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface {
public:
    // Qt's interface for a box that has a gate, wrapped; null for any other.
    static QAccessibleInterface* wrap(QObject* box);

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QColor foregroundColor() const override;
    QColor backgroundColor() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;
    void virtual_hook(int id, void* data) override;

    // QAccessibleTextInterface, as Qt's.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // QAccessibleEditableTextInterface: what is brought passes the gate.
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    AccessibleGatedText(QAccessibleInterface* qts, TextGate* gate);

    QAccessibleTextInterface* qtText() const { return qts_->textInterface(); }
    QAccessibleEditableTextInterface* qtEdit() const { return qts_->editableTextInterface(); }
    // What the gate lets take [from, to)'s place; null when text brought only
    // what it refuses, which then changes nothing.
    std::optional<QString> admitted(const QString& text, int from, int to) const;

    QAccessibleInterface* qts_;
    QPointer<QObject> box_;
    QPointer<TextGate> gate_;
};
