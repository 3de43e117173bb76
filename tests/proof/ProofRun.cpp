#include "ProofRun.h"

#include "DataFile.h"
#include "FileRows.h"
#include "ProofLists.h"
#include "ReminderStore.h"

#include <QDir>
#include <QFile>
#include <QProcess>

ProofRun ProofRun::write(const QString& folder, qint64 target, const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(QR_FIU_PRELOAD));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QStringLiteral(QR_PROOF_WRITER),
            QStringList{QStringLiteral("write"), folder, QString::number(target)} + args);
    ProofRun run;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
    }
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.output = p.readAllStandardOutput();
    for (const QByteArray& line : run.output.split('\n')) {
        const QList<QByteArray> f = line.split(' ');
        if (f.size() != 2 && f.size() != 3)
            continue;
        if (f[0] == "load") {
            run.loadStatus = QString::fromLatin1(f[1]);
            run.loaded = f.value(2).toLongLong();
        } else {
            run.tries.append({QString::fromLatin1(f[0]), f[1].toLongLong()});
        }
    }
    return run;
}

namespace ProofFolder {

void put(const QString& folder, qint64 k)
{
    QFile f(QDir(folder).filePath(ReminderStore::kFileName));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(DataFile::serialize(ProofLists::rows(k)));
}

qint64 onFile(const QString& folder)
{
    QFile f(QDir(folder).filePath(ReminderStore::kFileName));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return ProofLists::which(FileRows::parse(f.readAll()));
}

QStringList others(const QString& folder)
{
    QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    names.removeAll(ReminderStore::kFileName);
    return names;
}

} // namespace ProofFolder
