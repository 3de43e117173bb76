#include "ConflictName.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char* name;
    bool conflict;
};

const NameCase kNames[] = {
    {"lembretes.sync-conflict-20261208-143015-ABCDEF2.dat", true},
    {"lembretes (conflicted copy 2026-12-08 143015).dat", true},
    {"lembretes (conflicted copy Maria Silva 2026-12-08 143015).dat", true},
    {"lembretes (conflicted copy 2026-12-08 143015) (conflicted copy 2026-12-09 080000).dat", true},
    {"lembretes_conflict-20261208-143015.dat", true},
    {"lembretes_conflict-20261208-143015_conflict-20261209-080000.dat", true},
    {"lembretes (Notebook's conflicted copy 2026-12-08).dat", true},
    {"lembretes (Notebook's conflicted copy 2026-12-08 2).dat", true},

    {"lembretes.dat", false},
    {"lembretes.dat.lock", false},
    {"lembretes.dat.aBcDeF", false},
    {"Lembretes.sync-conflict-20261208-143015-ABCDEF2.dat", false},
    {"lembretes.sync-conflict-20261208-143015-ABCDEF2.dat.tmp", false},
    {"lembretes.sync-conflict-20261208-143015-ABCDEF.dat", false},
    {"lembretes.sync-conflict-20261208-143015-abcdef2.dat", false},
    {"lembretes.sync-conflict-20261208-143015-ABCDEF8.dat", false},
    {"lembretes.sync-conflict-20261308-143015-ABCDEF2.dat", false},
    {"lembretes.sync-conflict-20261208-243015-ABCDEF2.dat", false},
    {"lembretes.sync-conflict-2026128-143015-ABCDEF2.dat", false},
    {"outros.sync-conflict-20261208-143015-ABCDEF2.dat", false},
    {"lembretes (conflicted copy 2026-12-08).dat", false},
    {"lembretes (conflicted copy 2026-12-08 1430).dat", false},
    {"lembretes (conflicted copy 2026-02-30 143015).dat", false},
    {"lembretes (conflicted copy 2026-12-08 143015) .dat", false},
    {"lembretes(conflicted copy 2026-12-08 143015).dat", false},
    {"lembretes (conflicted copy 2026-12-08 143015).txt", false},
    {"lembretes_conflict-20261208.dat", false},
    {"lembretes_conflict-20261208-143015-1.dat", false},
    {"lembretes (Notebook's conflicted copy 2026-12-08 0).dat", false},
    {"lembretes (Notebook's conflicted copy 26-12-08).dat", false},
    {"lembretes (conflicted copy of Notebook 2026-12-08).dat", false},
    {"lembretes ('s conflicted copy 2026-12-08).dat", false},
};

} // namespace

TEST(ConflictName, recognisesEachToolsNamesAndNoNearMiss)
{
    for (const NameCase& c : kNames) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ConflictName::isConflictCopy(QString::fromUtf8(c.name)), c.conflict);
    }
}
