#include "WrittenRow.h"

#include <algorithm>

namespace WrittenRow {

QByteArrayView textsOf(QByteArrayView line)
{
    qsizetype at = -1;
    for (int field = 0; field < DataFile::kFields - 2; ++field) {
        at = line.indexOf(DataFile::kSeparator, at + 1);
        if (at < 0)
            return {};
    }
    return line.sliced(at + 1);
}

int stampOrder(QByteArrayView x, QByteArrayView y)
{
    const qsizetype both = std::min(x.size(), y.size());
    const int c = both == 0 ? 0 : std::memcmp(x.data(), y.data(), size_t(both));
    return c != 0 ? c : x.size() < y.size() ? -1 : x.size() > y.size() ? 1 : 0;
}

Fields fieldsOf(QByteArrayView line)
{
    Fields f;
    qsizetype from = 0;
    for (std::size_t i = 0; i + 1 < f.size(); ++i) {
        qsizetype at = line.indexOf(DataFile::kSeparator, from);
        if (at < 0)
            at = line.size();
        f[i] = line.sliced(from, at - from);
        from = std::min(at + 1, line.size());
    }
    f.back() = line.sliced(from);
    return f;
}

} // namespace WrittenRow
