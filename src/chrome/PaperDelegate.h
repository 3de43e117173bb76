#pragma once

#include <QStyledItemDelegate>

// Draws a list row as if written on ruled paper: one 13-pixel row per rule, the
// text without a box behind it, and only what the user wrote (a visible row
// carries the store index after its first TAB).
class PaperDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 13;

    using QStyledItemDelegate::QStyledItemDelegate;

    // What is drawn of a row: the text before its first TAB.
    static QString shownText(const QString& row);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
