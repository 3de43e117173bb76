#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One run of the proof writer in a child process.
struct ProofRun {
    struct Try {
        QString status;
        qint64 inMemory = -1; // the list the store holds afterwards
    };
    QString loadStatus;
    qint64 loaded = -1;
    QList<Try> tries;
    QByteArray output;
    int exitCode = -1;

    // Runs `write FOLDER target args...`, with libfiu's POSIX wrappers preloaded.
    static ProofRun write(const QString& folder, qint64 target, const QStringList& args = {});
};

// What a checker sees in the folder.
namespace ProofFolder {
// Writes list k the way a user's earlier session would have left it.
void put(const QString& folder, qint64 k);
// The list lembretes.dat holds, or -1 when it holds none of them.
qint64 onFile(const QString& folder);
// Every name in the folder besides lembretes.dat.
QStringList others(const QString& folder);
} // namespace ProofFolder
