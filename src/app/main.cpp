#include "Application.h"
#include "DataPlace.h"
#include "PlatformChoice.h"
#include "SingleInstance.h"

#include <QApplication>
#include <QDir>

#ifndef QR_INSTALLED
#define QR_INSTALLED 0
#endif

int main(int argc, char** argv)
{
    // Names the desktop entry, the icon and the window class for the desktop;
    // read early by what talks to it.
    QGuiApplication::setDesktopFileName(QStringLiteral(QR_APP_ID));
    PlatformChoice::apply();
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Quivera Recordim!"));

    const QString folder = DataPlace::folder(QCoreApplication::applicationDirPath(), QR_INSTALLED);
    SingleInstance instance(QDir(folder).filePath(ReminderStore::kFileName));
    switch (instance.claim()) {
    case SingleInstance::Claim::Restored:
        return 0;
    case SingleInstance::Claim::Unanswered:
        return 1;
    case SingleInstance::Claim::First:
        instance.listen();
        break;
    case SingleInstance::Claim::Unguarded:
        break;
    }

    SystemClock clock;
    Application program(folder, clock);
    QObject::connect(&instance, &SingleInstance::restoreRequested, &app,
                     [&program] { program.restoreWindows(); });
    program.start();
    return app.exec();
}
