#pragma once

#include <QPlainTextEdit>

// The multi-line description box. Pasted and dropped text passes LimitaChars;
// line breaks are CR LF outside the box, whatever the box keeps inside.
class DescriptionBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit DescriptionBox(QWidget* parent = nullptr);

    // The text with every line break as CR LF, as the store escapes it.
    QString storedText() const;
    void setStoredText(const QString& text);

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};
