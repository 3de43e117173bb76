#pragma once

#include <QClipboard>
#include <QLineEdit>

// The one-line title box. What the user brings in passes LimitaChars before Qt
// inserts it, and no further than 45 characters leave room for: a key's one
// character its filter (TypedKeys), anything longer, pasted, dropped, composed,
// set by a screen reader or typed by one key, its clean(). Qt's own edit does
// the rest, so Undo and Redo restore exactly what was there. A message is drawn
// in the empty box and is never its text.
class TitleBox : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 45;

    explicit TitleBox(QWidget* parent = nullptr);

    // A reminder being corrected goes in whole, even past 45 characters, and
    // Undo brings it back so; what the user adds never takes the title past 45.
    void setProgramText(const QString& text);
    void showMessage(const QString& text);
    bool holdsMessage() const { return holdsMessage_; }

    // What may go in where `replaced` of the box's characters go: `brought`
    // cleaned, and no more of it than 45 characters leave room for.
    QString admit(QStringView brought, int replaced) const;

    // Qt's Redo, without the selection it can leave behind (see the .cpp).
    void redoEdit();

signals:
    // The user's first edit ended the message; the box holds what it brought.
    void messageEditedAway();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // A paste whose text Qt cannot take as it stands goes in cleaned, as Qt's
    // paste would put it; false leaves the paste to Qt.
    bool pasteAdmitted(QClipboard::Mode mode);
    void insertAsOneStep(const QString& text);
    void separateUndoStep();
    void endMessage();

    bool holdsMessage_ = false;
};
