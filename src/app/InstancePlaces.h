#pragma once

#include <QByteArray>
#include <QString>

// Where a running copy keeps its lock and its socket, which each system places
// its own way.
namespace InstancePlaces {

// Names the user, so that another user's copy of the same data file runs beside
// this one.
QByteArray user();

struct Places {
    QString lock;         // tried first
    QString fallbackLock; // when no lock can be made there
    QString server;       // the local socket's name
};

// For the data file at dataPath; name is unique to that file and the user.
Places of(const QString& dataPath, const QString& name);

} // namespace InstancePlaces
