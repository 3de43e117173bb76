#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

// Readable GoogleTest failure output for Qt texts; found by argument lookup.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i) {
        *os << (i ? ", " : " ");
        PrintTo(list.at(i), os);
    }
    *os << " }";
}

inline void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    *os << "hex " << bytes.left(64).toHex(' ').toStdString()
        << (bytes.size() > 64 ? " ..." : "") << " (" << bytes.size() << " bytes)";
}
