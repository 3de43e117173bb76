#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

// Runs cases of this test program again, in a child on an offscreen screen of
// another kind: its device pixel ratio, its logical DPI, and Qt's scaling on or
// off. Qt 6.4's offscreen platform takes these from a JSON file only (options
// after "offscreen:" other than configfile are ignored). With Qt's scaling on,
// a logical DPI above 96 becomes a device pixel ratio; off, it stays the DPI.
struct OtherScreen {
    double dpr = 1.0;
    int logicalDpi = 96;
    bool qtScaling = true;
};

struct ScreenRunResult {
    int exitCode = -1;
    int passed = 0;
    QString output;
};

inline ScreenRunResult runOnScreen(const QString& gtestFilter, const OtherScreen& screen)
{
    ScreenRunResult result;
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return result;
    file.write(QStringLiteral(R"({"screens":[{"name":"other","x":0,"y":0,"width":1600,)"
                              R"("height":1200,"logicalDpi":%1,"logicalBaseDpi":96,"dpr":%2}]})")
                   .arg(screen.logicalDpi)
                   .arg(screen.dpr)
                   .toUtf8());
    file.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Named relative to the child's folder: a Windows path's drive colon would
    // end the option, as colons separate the platform's options.
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=screen.json"));
    env.insert(QStringLiteral("QT_ENABLE_HIGHDPI_SCALING"),
               screen.qtScaling ? QStringLiteral("1") : QStringLiteral("0"));
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.setWorkingDirectory(dir.path());
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=") + gtestFilter});
    if (!child.waitForFinished(120000)) {
        child.kill();
        child.waitForFinished();
        return result;
    }
    result.exitCode = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
    result.output = QString::fromLocal8Bit(child.readAll());
    const QRegularExpressionMatch passed =
        QRegularExpression(QStringLiteral(R"(\[  PASSED  \] (\d+) test)")).match(result.output);
    result.passed = passed.hasMatch() ? passed.captured(1).toInt() : 0;
    return result;
}
