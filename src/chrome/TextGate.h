#pragma once

#include <QObject>

#include <functional>

class QWidget;

// What a text box lets in from a screen reader: the text a reader sets, inserts
// or pastes passes the box's own filter before Qt's accessible interface for
// the box applies it. A child of its box.
class TextGate : public QObject {
    Q_OBJECT
public:
    // What may take the place of the box's characters [from, to) when `text` is
    // brought there.
    using Admit = std::function<QString(const QString& text, int from, int to)>;

    TextGate(QWidget* box, Admit admit);

    QString admit(const QString& text, int from, int to) const { return admit_(text, from, to); }

    // The gate of a box, or none.
    static TextGate* of(const QObject* box);

private:
    Admit admit_;
};
