#include "MouseEvents.h"
#include "PictureButton.h"
#include "WindowDragger.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

struct WindowDraggerTest : ::testing::Test {
    WindowDraggerTest()
    {
        window.setGeometry(300, 200, 200, 150);
        button->setGeometry(10, 10, 30, 30);
        label->setGeometry(50, 10, 60, 20);
        label->setText(QStringLiteral("07"));
        picture->setGeometry(0, 100, 200, 50);
        picture->setAttribute(Qt::WA_TransparentForMouseEvents);
        connect(dragger, &WindowDragger::dragFinished, [this] {
            finishedAt.append(window.pos());
        });
        connect(dragger, &WindowDragger::bodyDoubleClicked, [this] { ++doubleClicks; });
        window.show();
    }
    static void connect(auto* sender, auto signal, auto slot) { QObject::connect(sender, signal, slot); }

    QWidget window{nullptr, Qt::FramelessWindowHint};
    PictureButton* button = new PictureButton(&window);
    QLabel* label = new QLabel(&window);
    QWidget* picture = new QWidget(&window);
    WindowDragger* dragger = WindowDragger::install(&window);
    QList<QPoint> finishedAt;
    int doubleClicks = 0;
};

TEST_F(WindowDraggerTest, AnyButtonOnTheBodyMovesTheWindowWhileHeld)
{
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        const QPoint before = window.pos();
        const QPoint start = window.mapToGlobal(QPoint(100, 60));
        MouseEvents::press(&window, start, button);
        MouseEvents::moveTo(&window, start + QPoint(-40, 25), button);
        EXPECT_EQ(window.pos(), before + QPoint(-40, 25));
        EXPECT_TRUE(finishedAt.isEmpty()) << "the drag ends only on release";
        MouseEvents::moveTo(&window, start + QPoint(-70, 30), button);
        MouseEvents::release(&window, start + QPoint(-70, 30), button);
        EXPECT_EQ(window.pos(), before + QPoint(-70, 30));
        ASSERT_EQ(finishedAt.size(), 1);
        EXPECT_EQ(finishedAt.first(), window.pos());
        finishedAt.clear();
    }
}

TEST_F(WindowDraggerTest, DragLastsUntilTheLastButtonComesUp)
{
    const QPoint start = window.mapToGlobal(QPoint(100, 60));
    MouseEvents::press(&window, start, Qt::LeftButton);
    MouseEvents::press(&window, start, Qt::RightButton, Qt::LeftButton);
    MouseEvents::release(&window, start, Qt::RightButton, Qt::LeftButton);
    EXPECT_TRUE(dragger->dragging());
    MouseEvents::moveTo(&window, start + QPoint(5, 5), Qt::LeftButton);
    MouseEvents::release(&window, start + QPoint(5, 5), Qt::LeftButton);
    EXPECT_FALSE(dragger->dragging());
    EXPECT_EQ(finishedAt.size(), 1);
}

TEST_F(WindowDraggerTest, ClickWithoutMovingStillFinishesOnce)
{
    const QPoint before = window.pos();
    MouseEvents::drag(&window, QPoint(100, 60), QPoint(0, 0));
    EXPECT_EQ(window.pos(), before);
    EXPECT_EQ(finishedAt.size(), 1);
}

TEST_F(WindowDraggerTest, PressesOnControlsDoNotMoveTheWindow)
{
    const QPoint before = window.pos();
    for (QWidget* control : {static_cast<QWidget*>(button), static_cast<QWidget*>(label)}) {
        const QPoint at = control->mapToGlobal(QPoint(5, 5));
        MouseEvents::press(control, at);
        MouseEvents::moveTo(control, at + QPoint(30, 30), Qt::LeftButton);
        MouseEvents::release(control, at + QPoint(30, 30));
    }
    EXPECT_EQ(window.pos(), before);
    EXPECT_TRUE(finishedAt.isEmpty());
}

TEST_F(WindowDraggerTest, PictureTransparentForTheMouseCountsAsBody)
{
    const QPoint before = window.pos();
    MouseEvents::drag(&window, QPoint(100, 120), QPoint(12, -8));
    EXPECT_EQ(window.pos(), before + QPoint(12, -8));
}

TEST_F(WindowDraggerTest, BackgroundPictureCoveringTheWindowCountsAsBody)
{
    auto* background = new QLabel(&window);
    background->setGeometry(window.rect());
    background->lower();
    background->show();
    const QPoint before = window.pos();
    const QPoint start = window.mapToGlobal(QPoint(150, 60));
    MouseEvents::press(background, start);
    // Moves and the release go to the pressed picture, which passes them on.
    MouseEvents::moveTo(background, start + QPoint(7, 9), Qt::LeftButton);
    MouseEvents::release(background, start + QPoint(7, 9));
    EXPECT_EQ(window.pos(), before + QPoint(7, 9));
    EXPECT_FALSE(dragger->dragging());

    MouseEvents::doubleClick(background, window.mapToGlobal(QPoint(150, 60)));
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(WindowDraggerTest, DoubleClickOnTheBodyIsReportedAndStartsNoDrag)
{
    const QPoint at = window.mapToGlobal(QPoint(100, 60));
    MouseEvents::press(&window, at);
    MouseEvents::release(&window, at);
    MouseEvents::doubleClick(&window, at);
    MouseEvents::moveTo(&window, at + QPoint(20, 20), Qt::LeftButton);
    MouseEvents::release(&window, at + QPoint(20, 20));
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(finishedAt.size(), 1) << "only the first press dragged";
    EXPECT_FALSE(dragger->dragging());
}

TEST_F(WindowDraggerTest, DoubleClickOnAControlIsNotTheBodys)
{
    MouseEvents::doubleClick(label, label->mapToGlobal(QPoint(5, 5)));
    MouseEvents::doubleClick(button, button->mapToGlobal(QPoint(5, 5)));
    EXPECT_EQ(doubleClicks, 0);
}

TEST_F(WindowDraggerTest, HidingTheWindowEndsTheDrag)
{
    MouseEvents::press(&window, window.mapToGlobal(QPoint(100, 60)));
    window.hide();
    EXPECT_FALSE(dragger->dragging());
    EXPECT_EQ(finishedAt.size(), 1);
}

} // namespace
