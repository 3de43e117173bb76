#include "Application.h"
#include "PlatformChoice.h"
#include "ProgramIcon.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    PlatformChoice::apply();
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Quivera Recordim!"));
    app.setWindowIcon(ProgramIcon::icon());
    SystemClock clock;
    Application program(QCoreApplication::applicationDirPath(), clock);
    program.start();
    return app.exec();
}
