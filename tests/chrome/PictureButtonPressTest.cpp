#include "Accessibility.h"
#include "ClickableLabel.h"
#include "MouseEvents.h"
#include "PictureButton.h"

#include <QAccessibleActionInterface>
#include <QCoreApplication>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct PictureButtonPressTest : ::testing::Test {
    PictureButtonPressTest()
    {
        window.setGeometry(100, 100, 300, 200);
        first->setGeometry(40, 39, 29, 32);
        second->setGeometry(80, 39, 29, 32);
        first->setSinks(true);
        second->setSinks(true);
        QObject::connect(first, &PictureButton::clicked,
                         [this] { clickedAt.append(first->pos()); });
        window.show();
    }
    QPoint inside(PictureButton* b) const { return b->mapToGlobal(QPoint(5, 5)); }
    QPoint elsewhere() const { return window.mapToGlobal(QPoint(250, 180)); }

    QWidget window;
    PictureButton* first = new PictureButton(&window);
    PictureButton* second = new PictureButton(&window);
    QList<QPoint> clickedAt;
};

TEST_F(PictureButtonPressTest, SinksOnePixelRightAndDownWhileHeldWithAnyButton)
{
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        MouseEvents::press(first, inside(first), button);
        EXPECT_EQ(first->pos(), QPoint(41, 40));
        MouseEvents::release(first, inside(first), button);
        EXPECT_EQ(first->pos(), QPoint(40, 39));
    }
}

// A press from a screen reader that clicked at once would run a modal box or a
// quit inside the reader's call and hang the reader.
TEST_F(PictureButtonPressTest, ReaderPressClicksOnceItsCallHasReturned)
{
    // Before the controls: Qt keeps the first interface it made for a widget.
    Accessibility::install();
    auto* button = new PictureButton(&window);
    button->setGeometry(120, 39, 29, 32);
    int buttonClicks = 0;
    QObject::connect(button, &PictureButton::clicked, [&] { ++buttonClicks; });
    auto* label = new QLabel(QStringLiteral("Vencimento:"), &window);
    label->setGeometry(10, 100, 60, 13);
    Accessibility::setLabelRole(label, QAccessible::Button);
    int labelClicks = 0;
    QObject::connect(ClickableLabel::install(label), &ClickableLabel::clicked,
                     [&] { ++labelClicks; });
    button->show();
    label->show();

    for (QWidget* control : {static_cast<QWidget*>(button), static_cast<QWidget*>(label)}) {
        QAccessibleActionInterface* actions =
            QAccessible::queryAccessibleInterface(control)->actionInterface();
        ASSERT_TRUE(actions);
        ASSERT_EQ(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        actions->doAction(QAccessibleActionInterface::pressAction());
    }
    EXPECT_EQ(buttonClicks, 0);
    EXPECT_EQ(labelClicks, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(buttonClicks, 1);
    EXPECT_EQ(labelClicks, 1);
}

TEST_F(PictureButtonPressTest, ClickArrivesAfterThePictureIsBackInPlace)
{
    MouseEvents::press(first, inside(first));
    EXPECT_TRUE(clickedAt.isEmpty());
    MouseEvents::release(first, inside(first));
    ASSERT_EQ(clickedAt.size(), 1);
    EXPECT_EQ(clickedAt.first(), QPoint(40, 39));
}

TEST_F(PictureButtonPressTest, ReleasedElsewhereGoesBackWithoutAClick)
{
    MouseEvents::press(first, inside(first));
    MouseEvents::release(first, elsewhere());
    EXPECT_EQ(first->pos(), QPoint(40, 39));
    EXPECT_TRUE(clickedAt.isEmpty());
}

TEST_F(PictureButtonPressTest, ReleaseOnTheSpotThePictureLeftStillClicks)
{
    // The top-left pixel is no longer covered by the sunk picture; whether the
    // release is on the button is judged at its rest position.
    const QPoint edge = first->mapToGlobal(QPoint(0, 0));
    MouseEvents::press(first, edge);
    MouseEvents::release(first, edge);
    EXPECT_EQ(clickedAt.size(), 1);
}

TEST_F(PictureButtonPressTest, OnlyTheLeftButtonClicks)
{
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        MouseEvents::press(first, inside(first), button);
        MouseEvents::release(first, inside(first), button);
    }
    EXPECT_TRUE(clickedAt.isEmpty());
}

TEST_F(PictureButtonPressTest, TwoButtonsPressedInTurnBothReturn)
{
    MouseEvents::press(first, inside(first));
    MouseEvents::release(first, elsewhere());
    MouseEvents::press(second, inside(second));
    EXPECT_EQ(first->pos(), QPoint(40, 39));
    EXPECT_EQ(second->pos(), QPoint(81, 40));
    MouseEvents::release(second, inside(second));
    EXPECT_EQ(second->pos(), QPoint(80, 39));
}

TEST_F(PictureButtonPressTest, SecondMouseButtonWhileHeldDoesNotSinkTwice)
{
    MouseEvents::press(first, inside(first), Qt::LeftButton);
    MouseEvents::press(first, inside(first), Qt::RightButton, Qt::LeftButton);
    EXPECT_EQ(first->pos(), QPoint(41, 40));
    MouseEvents::release(first, inside(first), Qt::RightButton, Qt::LeftButton);
    EXPECT_EQ(first->pos(), QPoint(41, 40)) << "still held with the left button";
    MouseEvents::release(first, inside(first), Qt::LeftButton);
    EXPECT_EQ(first->pos(), QPoint(40, 39));
    EXPECT_EQ(clickedAt.size(), 1);
}

TEST_F(PictureButtonPressTest, SecondPressOfADoubleClickSinksButDoesNotClick)
{
    MouseEvents::press(first, inside(first));
    MouseEvents::release(first, inside(first));
    MouseEvents::doubleClick(first, inside(first));
    EXPECT_EQ(first->pos(), QPoint(41, 40));
    MouseEvents::release(first, inside(first));
    EXPECT_EQ(first->pos(), QPoint(40, 39));
    EXPECT_EQ(clickedAt.size(), 1);
    // The next ordinary press is a click again.
    MouseEvents::press(first, inside(first));
    MouseEvents::release(first, inside(first));
    EXPECT_EQ(clickedAt.size(), 2);
}

TEST_F(PictureButtonPressTest, HiddenWhileHeldComesBackAndPressesAgain)
{
    MouseEvents::press(first, inside(first));
    first->hide();
    EXPECT_EQ(first->pos(), QPoint(40, 39));
    first->show();
    MouseEvents::press(first, inside(first));
    EXPECT_EQ(first->pos(), QPoint(41, 40));
    MouseEvents::release(first, inside(first));
    EXPECT_EQ(clickedAt.size(), 1);
}

TEST_F(PictureButtonPressTest, ButtonThatDoesNotSinkStaysPut)
{
    first->setSinks(false);
    MouseEvents::press(first, inside(first));
    EXPECT_EQ(first->pos(), QPoint(40, 39));
    MouseEvents::release(first, inside(first));
    EXPECT_EQ(clickedAt.size(), 1);
}

TEST_F(PictureButtonPressTest, SpaceOrEnterClicksOnItsReleaseOnceHoweverLongHeld)
{
    // Only a picture that acts is a Tab stop, and a click never focuses it.
    EXPECT_EQ(first->focusPolicy(), Qt::TabFocus);
    EXPECT_EQ(second->focusPolicy(), Qt::NoFocus);
    const auto key = [this](Qt::Key k, bool press, bool repeat) {
        QTest::simulateEvent(first, press, k, Qt::NoModifier, k == Qt::Key_Space ? " " : "\r",
                             repeat);
    };
    for (Qt::Key k : {Qt::Key_Space, Qt::Key_Return}) {
        key(k, true, false);
        EXPECT_EQ(first->pos(), QPoint(41, 40));
        for (int repeats = 0; repeats < 2; ++repeats) {
            key(k, false, true);
            key(k, true, true);
        }
        EXPECT_TRUE(clickedAt.isEmpty());
        key(k, false, false);
        ASSERT_EQ(clickedAt.size(), 1);
        EXPECT_EQ(clickedAt.takeFirst(), QPoint(40, 39));
    }
    QTest::keyClick(first, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(clickedAt.isEmpty());
}

} // namespace
