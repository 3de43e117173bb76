#include "PaperList.h"
#include "PaperDelegate.h"

#include <QImage>
#include <QListWidget>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

// The main window's list: 238 x 197 pixels.
class PaperListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.resize(238, 197);
        PaperList::apply(&list, QString());
    }

    QImage grab()
    {
        list.show();
        return list.grab().toImage();
    }

    QListWidget list;
};

TEST_F(PaperListTest, FifteenRowsOfThirteenPixelsFillTheList)
{
    for (int i = 0; i < 20; ++i)
        list.addItem(QStringLiteral("Lembrete %1\t\t\t\t%1").arg(i));
    list.show();
    for (int row = 0; row < 15; ++row) {
        const QRect at = list.visualItemRect(list.item(row));
        EXPECT_EQ(at.top(), 13 * row);
        EXPECT_EQ(at.height(), 13);
    }
    EXPECT_EQ(list.itemAt(QPoint(5, 13 * 14 + 6)), list.item(14));
    EXPECT_GT(list.visualItemRect(list.item(15)).bottom(), list.viewport()->height());
}

TEST_F(PaperListTest, RowsHoldThirteenPixelsWhateverTheFont)
{
    QFont big = list.font();
    big.setPixelSize(30);
    list.setFont(big);
    list.addItem(QStringLiteral("grande"));
    list.show();
    EXPECT_EQ(list.visualItemRect(list.item(0)).height(), 13);
}

TEST_F(PaperListTest, ShowsOnlyTheTextBeforeTheFirstTab)
{
    list.addItem(QStringLiteral("07/12/26  Concluído  Dentista"));
    const QImage plain = grab();
    list.item(0)->setText(QStringLiteral("07/12/26  Concluído  Dentista\t\t\t\t12345"));
    list.viewport()->repaint();
    EXPECT_EQ(list.grab().toImage(), plain);
    list.item(0)->setText(QStringLiteral("07/12/26  Concluído  Dentistas"));
    list.viewport()->repaint();
    EXPECT_NE(list.grab().toImage(), plain) << "the text must show at all";
}

TEST_F(PaperListTest, NoBorderNoHorizontalBarAndTheSelectionShows)
{
    EXPECT_EQ(list.frameShape(), QFrame::NoFrame);
    list.addItem(QStringLiteral("uma linha muito longa ").repeated(10));
    const QImage unselected = grab();
    EXPECT_FALSE(list.horizontalScrollBar()->isVisible());
    list.setCurrentRow(0);
    list.viewport()->repaint();
    EXPECT_NE(list.grab().toImage(), unselected);
}

} // namespace
