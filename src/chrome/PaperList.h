#pragma once

#include <QObject>
#include <QPixmap>

class QListView;

// Makes a list look printed on the page: no border, the ruled paper tiled from
// the list's top-left corner behind the rows, no horizontal scroll bar.
class PaperList : public QObject {
    Q_OBJECT
public:
    // paper: the resource of the paper picture, one rule every 13 pixels.
    static PaperList* apply(QListView* list, const QString& paper);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PaperList(QListView* list, const QString& paper);

    QListView* list_;
    QPixmap paper_;
};
