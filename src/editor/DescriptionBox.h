#pragma once

#include <QPlainTextEdit>

// The multi-line description box. What the user brings in, pasted, dropped or
// set by a screen reader, is cleaned one way (LimitaChars::clean) before Qt
// inserts it; line breaks are CR LF outside the box, whatever the box keeps
// inside.
class DescriptionBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit DescriptionBox(QWidget* parent = nullptr);

    // The text with every line break as CR LF, as the store escapes it.
    QString storedText() const;
    void setStoredText(const QString& text);

    // What may go in for `brought`: it cleaned.
    static QString admit(QStringView brought);

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};
