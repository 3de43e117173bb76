#include "RatioReporter.h"

#include "DataFile.h"
#include "DiskFlush.h"
#include "DueNotice.h"
#include "DueRule.h"
#include "ListState.h"
#include "ReminderStore.h"
#include "RowList.h"
#include "SampleList.h"
#include "VisibleRow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <memory>

namespace {

const FixedClock kClock(QDateTime(QDate(2026, 3, 14), QTime(9, 5, 0)));

// A folder of its own holding a list of n reminders.
struct Folder {
    explicit Folder(int n) : bytes(SampleList::file(n)) { restore(); }
    QString file() const { return dir.filePath(ReminderStore::kFileName); }
    // Synced, so the next timed write does not also pay for flushing this one.
    void restore() const
    {
        QFile f(file());
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.flush() ||
            ::fsync(f.handle()) != 0)
            std::abort();
    }

    QTemporaryDir dir;
    QByteArray bytes;
};

std::unique_ptr<ReminderStore> loaded(const Folder& folder)
{
    auto store = std::make_unique<ReminderStore>(folder.dir.path(), kClock);
    if (store->load() != StoreStatus::Ok)
        std::abort();
    return store;
}

void check(benchmark::State& state, StoreStatus status)
{
    if (status != StoreStatus::Ok)
        state.SkipWithError("the store refused the operation");
}

void setBytes(benchmark::State& state, const Folder& folder)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * folder.bytes.size());
}

void load(benchmark::State& state)
{
    const Folder folder(int(state.range(0)));
    ReminderStore store(folder.dir.path(), kClock);
    for (auto _ : state) {
        check(state, store.load());
        benchmark::DoNotOptimize(store.count());
    }
    setBytes(state, folder);
}

// The least a loader that keeps rows must do: read the file and make one string
// per line.
void readFloor(benchmark::State& state)
{
    const Folder folder(int(state.range(0)));
    for (auto _ : state) {
        QFile f(folder.file());
        if (!f.open(QIODevice::ReadOnly))
            std::abort();
        const QByteArray bytes = f.readAll();
        QStringList lines;
        const char* start = bytes.constData();
        const char* const end = start + bytes.size();
        while (const void* lf = std::memchr(start, '\n', size_t(end - start))) {
            const char* next = static_cast<const char*>(lf) + 1;
            lines.append(QString::fromLatin1(start, next - start - 2));
            start = next;
        }
        benchmark::DoNotOptimize(lines.size());
    }
    setBytes(state, folder);
}

// The least a safe writer must do: the same bytes to a temporary file, synced,
// renamed over the old one, and the folder synced.
void writeFloor(benchmark::State& state)
{
    const Folder folder(int(state.range(0)));
    const QByteArray target = QFile::encodeName(folder.file());
    const QByteArray temp = target + ".tmp";
    const QByteArray dir = QFile::encodeName(folder.dir.path());
    for (auto _ : state) {
        const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::write(fd, folder.bytes.constData(), size_t(folder.bytes.size())) !=
                          folder.bytes.size())
            std::abort();
        ::fsync(fd);
        ::close(fd);
        ::rename(temp.constData(), target.constData());
        const int dfd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY);
        ::fsync(dfd);
        ::close(dfd);
    }
    setBytes(state, folder);
}

// The write the store made before it followed its file: through QSaveFile,
// every step checked, the file and then its folder synced.
bool writeBefore(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size() || !file.flush() ||
        !DiskFlush::flushFile(file.handle())) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    DiskFlush::syncFolder(QFileInfo(path).absolutePath());
    return true;
}

// The save as it was before the store followed its file: the same rows written
// through QSaveFile with no look at the file first, and kept as the list.
void saveBefore(benchmark::State& state)
{
    const Folder folder(int(state.range(0)));
    RowList list = RowList::fromFile(folder.bytes);
    for (auto _ : state) {
        RowList written = list.saved();
        if (!writeBefore(folder.file(), written.file()))
            state.SkipWithError("the write failed");
        list = std::move(written);
    }
    setBytes(state, folder);
}

void saveAll(benchmark::State& state)
{
    const Folder folder(int(state.range(0)));
    const auto store = loaded(folder);
    for (auto _ : state)
        check(state, store->saveAll());
    setBytes(state, folder);
}

// Appends the last reminder the list has room for, then deletes it again
// untimed, so every round starts from the same list.
void append(benchmark::State& state)
{
    const Folder folder(int(state.range(0)) - 1);
    const auto store = loaded(folder);
    for (auto _ : state) {
        check(state,
              store->append({.due = Reminder::kNoDue,
                             .title = QStringLiteral("Novo lembrete"),
                             .description = QStringLiteral("Descrição do \"novo\" lembrete")}));
        state.PauseTiming();
        check(state, store->deleteAt(store->count() - 1));
        state.ResumeTiming();
    }
    setBytes(state, folder);
}

void replaceAt(benchmark::State& state)
{
    const Folder folder(int(state.range(0)));
    const auto store = loaded(folder);
    const int k = store->count() / 2;
    Reminder r = store->reminderAt(k);
    const QString titles[] = {r.title, QStringLiteral("Título corrigido")};
    int turn = 0;
    for (auto _ : state) {
        r.title = titles[++turn % 2];
        check(state, store->replaceAt(k, r));
    }
    setBytes(state, folder);
}

// Deletes a reminder from the middle, then appends one untimed, so the list
// keeps its size.
void deleteAt(benchmark::State& state)
{
    const Folder folder(int(state.range(0)));
    const auto store = loaded(folder);
    for (auto _ : state) {
        check(state, store->deleteAt(store->count() / 2));
        state.PauseTiming();
        check(state, store->append({.due = Reminder::kNoDue,
                                    .title = QStringLiteral("Outro"),
                                    .description = QString()}));
        state.ResumeTiming();
    }
    setBytes(state, folder);
}

// What another computer did to the list, as the reload sees it.
enum class Elsewhere { CorrectedAndAdded, Added, Deleted };

// Another computer corrected a reminder in the middle of the list and added one,
// or only added one, or deleted one from the middle, while 100 status changes
// wait here for a save; the reload merges them and finds the selected reminder
// again for the first page. Only that way is timed: the way back to the list
// as it was, with the same changes pending, is not.
void reload(benchmark::State& state)
{
    const int n = int(state.range(0));
    const auto change = Elsewhere(state.range(1));
    const Folder folder(n - 1);
    const auto store = loaded(folder);
    for (int k = 0; k < 100; ++k) {
        const int at = k * (n - 1) / 100;
        store->setStatus(at, ListState::toggledStatus(store->reminderAt(at).status));
    }
    QStringList rows = SampleList::rows(n - 1);
    if (change == Elsewhere::CorrectedAndAdded) {
        Reminder corrected = Reminder::fromRow(rows[n / 2]);
        corrected.title = QStringLiteral("Título corrigido no outro computador");
        rows[n / 2] = corrected.toRow();
    }
    if (change == Elsewhere::Deleted)
        rows.removeAt(n / 2);
    else
        rows << Reminder{QStringLiteral("29.12.31.23.59.59"), Reminder::kNoDue, Reminder::kOpen,
                         QStringLiteral("Novo do outro computador"), QString()}
                    .toRow();
    const QByteArray changed = DataFile::serialize(rows);
    // Synced, as the file the load reads: what is timed is the store's work.
    auto put = [&folder](const QByteArray& bytes) {
        QFile f(folder.file());
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.flush() ||
            ::fsync(f.handle()) != 0)
            std::abort();
    };
    ListState list;
    list.showFirstPage(store->count());
    const Reminder selected = store->reminderAt(list.page().at(3));
    for (auto _ : state) {
        state.PauseTiming();
        put(folder.bytes);
        if (const FileChange back = store->followFile(false);
            back != FileChange::Reloaded && back != FileChange::Unchanged)
            std::abort();
        put(changed);
        state.ResumeTiming();
        if (store->followFile(false) != FileChange::Reloaded)
            state.SkipWithError("the change was not seen");
        list.showFirstPage(store->count());
        QStringList visible;
        const int again = store->indexOf(selected);
        for (int index : list.page()) {
            visible.append(VisibleRow::make(store->reminderAt(index), index));
            if (index == again)
                list.select(int(visible.size()) - 1);
        }
        benchmark::DoNotOptimize(visible.size());
    }
    setBytes(state, folder);
}

// The first-page fill as the main window does it: the paging state, then the
// text of each of the (at most 15) visible rows.
void showFirstPage(benchmark::State& state)
{
    const Folder folder(int(state.range(0)));
    const auto store = loaded(folder);
    ListState list;
    QStringList visible;
    for (auto _ : state) {
        list.showFirstPage(store->count());
        visible.clear();
        for (int index : list.page())
            visible.append(VisibleRow::make(store->reminderAt(index), index));
        benchmark::DoNotOptimize(visible.size());
    }
}

// The rows a page of the visible list shows, as the list is filled.
QStringList pageRows(const ReminderStore& store, const ListState& list)
{
    QStringList visible;
    for (int index : list.page())
        visible.append(VisibleRow::make(store.reminderAt(index), index));
    return visible;
}

// One page forward and back, refilling the rows each time.
void pageTurns(benchmark::State& state)
{
    const Folder folder(int(state.range(0)));
    const auto store = loaded(folder);
    ListState list;
    list.showFirstPage(store->count());
    for (auto _ : state) {
        list.showOlderPage();
        benchmark::DoNotOptimize(pageRows(*store, list).size());
        list.showNewerPage();
        benchmark::DoNotOptimize(pageRows(*store, list).size());
    }
}

// Selecting a row: its state and the reminder the viewer shows.
void selection(benchmark::State& state)
{
    const Folder folder(int(state.range(0)));
    const auto store = loaded(folder);
    ListState list;
    list.showFirstPage(store->count());
    const QStringList visible = pageRows(*store, list);
    int position = 0;
    for (auto _ : state) {
        list.select(position);
        const Reminder shown =
            store->reminderAt(VisibleRow::storeIndex(visible.at(position)).value_or(0));
        benchmark::DoNotOptimize(shown.title.size());
        position = (position + 1) % int(visible.size());
    }
}

// A double click: the new status in memory, the row rebuilt, away and back.
void toggle(benchmark::State& state)
{
    const Folder folder(int(state.range(0)));
    const auto store = loaded(folder);
    ListState list;
    list.showFirstPage(store->count());
    const int index = list.page().front();
    for (auto _ : state) {
        const QString status = ListState::toggledStatus(store->reminderAt(index).status);
        store->setStatus(index, status);
        benchmark::DoNotOptimize(VisibleRow::make(store->reminderAt(index), index).size());
        for (int position : list.toggleRefresh(0))
            list.select(position);
    }
}

// The least a look for due reminders must do: read each row through the store
// and find where its due and status fields end.
void rowsFloor(benchmark::State& state)
{
    const Folder folder(int(state.range(0)));
    const auto store = loaded(folder);
    for (auto _ : state) {
        qsizetype ends = 0;
        for (int k = 0; k < store->count(); ++k) {
            const QString row = store->rowAt(k);
            ends += row.indexOf(u'\t', row.indexOf(u'\t', row.indexOf(u'\t') + 1) + 1);
        }
        benchmark::DoNotOptimize(ends);
    }
}

// The check for due reminders on the day a quarter of the list falls due: the
// scan, the sort and the notice's text.
void dueCheck(benchmark::State& state)
{
    const Folder folder(int(state.range(0)));
    const auto store = loaded(folder);
    const QDate today(2026, 3, 20);
    for (auto _ : state) {
        const DueNotice notice =
            DueNotice::compose(*store, DueRule::scan(store->rows(), today), today);
        benchmark::DoNotOptimize(notice.lines.size());
    }
}

constexpr int kSmall = RatioReporter::kSmall;
constexpr int kLarge = RatioReporter::kLarge;
static_assert(kLarge == ReminderStore::kMaxRows, "the large list is a full file");

BENCHMARK(readFloor)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(load)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(writeFloor)->Arg(kLarge)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(saveBefore)->Arg(kLarge)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(saveAll)->Arg(kLarge)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(append)->Arg(kLarge)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(replaceAt)->Arg(kLarge)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(deleteAt)->Arg(kLarge)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(reload)
    ->Args({kLarge, int(Elsewhere::CorrectedAndAdded)})
    ->Args({kLarge, int(Elsewhere::Added)})
    ->Args({kLarge, int(Elsewhere::Deleted)})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(showFirstPage)->Arg(40)->Arg(kLarge)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(pageTurns)->Arg(40)->Arg(kLarge)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(selection)->Arg(40)->Arg(kLarge)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(toggle)->Arg(40)->Arg(kLarge)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(rowsFloor)->Arg(kLarge)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(dueCheck)->Arg(kLarge)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    std::printf("Data file of %d reminders: %.1f MB\n", kLarge,
                double(SampleList::file(kLarge).size()) / (1024.0 * 1024.0));
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
