#include "Application.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Quivera Recordim!"));
    SystemClock clock;
    Application program(QCoreApplication::applicationDirPath(), clock);
    program.start();
    return app.exec();
}
