#include "Application.h"
#include "PlatformChoice.h"

#include <QApplication>

int main(int argc, char** argv)
{
    PlatformChoice::apply();
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Quivera Recordim!"));
    SystemClock clock;
    Application program(QCoreApplication::applicationDirPath(), clock);
    program.start();
    return app.exec();
}
