#include "DesktopTrash.h"

#include <QFile>

// The Recycle Bin, through the shell; it names where the file went when it can.
QString DesktopTrash::moveInto(const QString& path)
{
    QString moved;
    return QFile::moveToTrash(path, &moved) ? moved : QString();
}
