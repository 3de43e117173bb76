// The least a Qt Widgets program does to show a window the size of the main
// one: start the application, map one frameless 249x345 window and paint it.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setFixedSize(249, 345);
    window.show();
    return app.exec();
}
