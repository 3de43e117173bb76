#pragma once

#include <QByteArray>
#include <QStringList>

// Reminders shaped like typed ones, the same every run, for the benchmarks.
namespace SampleList {

QStringList rows(int n);
// The data file a save of rows(n) writes; made once per n.
QByteArray file(int n);

} // namespace SampleList
