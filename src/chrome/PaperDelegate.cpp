#include "PaperDelegate.h"

#include "PageColours.h"

#include <QPainter>

namespace {
// Blue ink thinned out, so the rules stay visible through the selection.
const QColor kSelection = [] {
    QColor ink = PageColours::kInk;
    ink.setAlpha(64);
    return ink;
}();
constexpr int kIndent = 2;
} // namespace

void PaperDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const
{
    painter->save();
    if (option.state & QStyle::State_Selected)
        painter->fillRect(option.rect, kSelection);
    painter->setFont(option.font);
    painter->setPen(option.palette.color(QPalette::Text));
    painter->drawText(option.rect.adjusted(kIndent, 0, -kIndent, 0),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      shownText(index.data(Qt::DisplayRole).toString()));
    painter->restore();
}

QString PaperDelegate::shownText(const QString& row)
{
    return row.section(QLatin1Char('\t'), 0, 0);
}

QSize PaperDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return {option.rect.width(), kRowHeight};
}
