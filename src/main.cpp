#include "Application.h"
#include "PlatformChoice.h"

#include <QApplication>

int main(int argc, char** argv)
{
    PlatformChoice::apply();
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Quivera Recordim!"));
    // Names the program to the desktop, notifications included.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.quivera.Recordim"));
    SystemClock clock;
    Application program(QCoreApplication::applicationDirPath(), clock);
    program.start();
    program.watchDueReminders();
    return app.exec();
}
