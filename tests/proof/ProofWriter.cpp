// A child process for the crash and fault tests: it loads the store in a folder
// and writes the proof lists, with faults switched on only around the writes.
//
//   qr_proof_writer put FOLDER K
//       writes list K, as an earlier session would have left it.
//   qr_proof_writer crash FOLDER
//       steps from the list on file to the next one, forever, printing each k
//       written, until it is killed.
//   qr_proof_writer write FOLDER K [--fiu NAME[:once][:after=N][:errno=E]]
//                    [--at-load] [--fsize BYTES] [--nobody] [--tries N] [--save]
//                    [--unlink | --folder-instead | --rewrite J] [--swap-errno E]
//       loads (with the fault on during the load alone, with --at-load), lets the
//       file be deleted, replaced by a folder or rewritten with list J as another
//       program would, then tries to write list K (or the loaded list again, with
//       --save) and prints one line per try: the status and the list in memory.
//       --swap-errno makes every renameat2 fail with errno E from then on (libfiu
//       has no wrapper for it): EINVAL stands for a file system that cannot swap.

#define FIU_ENABLE 1
#include <fiu-control.h>
#include <fiu.h>

#include "ProofLists.h"
#include "ReminderStore.h"

#include "DataFile.h"

#include <QDir>
#include <QFile>

#include <grp.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char* statusName(StoreStatus s)
{
    switch (s) {
    case StoreStatus::Ok:
        return "Ok";
    case StoreStatus::WriteFailed:
        return "WriteFailed";
    case StoreStatus::ReadFailed:
        return "ReadFailed";
    case StoreStatus::Full:
        return "Full";
    case StoreStatus::NoSuchRow:
        return "NoSuchRow";
    case StoreStatus::CopyUnreadable:
        return "CopyUnreadable";
    case StoreStatus::BadField:
        return "BadField";
    }
    return "?";
}

QStringList storeRows(const ReminderStore& store)
{
    QStringList out;
    for (int i = 0; i < store.count(); ++i)
        out.append(store.rowAt(i));
    return out;
}

// Lets the first `skip` calls through, then fails (once, or for good).
int g_skip = 0;
int g_calls = 0;
int failAfterSkip(const char*, int*, void**, unsigned int*)
{
    return g_calls++ >= g_skip;
}

struct Fault {
    std::string name;
    bool once = false;
    long err = EIO;
    bool armed = false;

    void parse(const std::string& point)
    {
        std::size_t at = point.find(':');
        name = point.substr(0, at);
        while (at != std::string::npos) {
            const std::size_t next = point.find(':', at + 1);
            const std::string opt =
                point.substr(at + 1, next == std::string::npos ? next : next - at - 1);
            if (opt == "once")
                once = true;
            else if (opt.rfind("after=", 0) == 0)
                g_skip = std::atoi(opt.c_str() + 6);
            else if (opt.rfind("errno=", 0) == 0)
                err = std::atol(opt.c_str() + 6);
            at = next;
        }
    }
    // Once means one failure in the whole run, so a later try goes through.
    void arm()
    {
        if (name.empty() || (once && armed))
            return;
        armed = true;
        g_calls = 0;
        fiu_enable_external(name.c_str(), 1, reinterpret_cast<void*>(err), once ? FIU_ONETIME : 0,
                            failAfterSkip);
    }
    void disarm()
    {
        if (!name.empty())
            fiu_disable(name.c_str());
    }
};

// A seccomp filter that answers renameat2 with the error and lets every other
// call through.
bool failSwaps(int error)
{
    sock_filter code[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_renameat2, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (unsigned(error) & SECCOMP_RET_DATA)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program{static_cast<unsigned short>(sizeof code / sizeof code[0]), code};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

void dropToNobody()
{
    if (::getuid() != 0)
        return;
    if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) {
        std::perror("setuid");
        std::exit(5);
    }
}

int crash(const QString& folder)
{
    SystemClock clock;
    ReminderStore store(folder, clock);
    if (store.load() != StoreStatus::Ok)
        return 3;
    qint64 k = ProofLists::which(storeRows(store));
    if (k < 0)
        return 3;
    for (;;) {
        ++k;
        if (store.replaceAt(0, Reminder::fromRow(ProofLists::header(k))) != StoreStatus::Ok)
            return 4;
        const std::string line = std::to_string(k) + "\n";
        if (::write(1, line.data(), line.size()) != ssize_t(line.size()))
            return 4;
    }
}

int write(const QString& folder, qint64 target, int argc, char** argv)
{
    Fault fault;
    rlim_t fsize = 0;
    int tries = 1;
    bool unlinkFirst = false;
    bool folderInstead = false;
    qint64 rewrite = -1;
    bool atLoad = false;
    bool save = false;
    int swapErrno = 0;
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--fiu" && i + 1 < argc)
            fault.parse(argv[++i]);
        else if (a == "--fsize" && i + 1 < argc)
            fsize = std::strtoull(argv[++i], nullptr, 10);
        else if (a == "--tries" && i + 1 < argc)
            tries = std::atoi(argv[++i]);
        else if (a == "--nobody")
            dropToNobody();
        else if (a == "--unlink")
            unlinkFirst = true;
        else if (a == "--folder-instead")
            folderInstead = true;
        else if (a == "--rewrite" && i + 1 < argc)
            rewrite = std::atoll(argv[++i]);
        else if (a == "--at-load")
            atLoad = true;
        else if (a == "--save")
            save = true;
        else if (a == "--swap-errno" && i + 1 < argc)
            swapErrno = std::atoi(argv[++i]);
    }

    SystemClock clock;
    ReminderStore store(folder, clock);
    if (atLoad)
        fault.arm();
    const StoreStatus loaded = store.load();
    fault.disarm();
    std::printf("load %s %lld\n", statusName(loaded),
                static_cast<long long>(ProofLists::which(storeRows(store))));
    std::fflush(stdout);
    if (unlinkFirst || folderInstead || rewrite >= 0)
        QFile::remove(store.path());
    if (folderInstead)
        QDir().mkdir(store.path());
    if (rewrite >= 0) {
        QFile other(store.path());
        if (!other.open(QIODevice::WriteOnly) ||
            other.write(DataFile::serialize(ProofLists::rows(rewrite))) < 0)
            return 7;
    }
    if (swapErrno && !failSwaps(swapErrno))
        return 8;
    if (fsize) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{fsize, fsize};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    for (int t = 0; t < tries; ++t) {
        if (!atLoad)
            fault.arm();
        const StoreStatus s =
            save ? store.saveAll()
                 : store.replaceAt(0, Reminder::fromRow(ProofLists::header(target)));
        fault.disarm();
        std::printf("%s %lld\n", statusName(s),
                    static_cast<long long>(ProofLists::which(storeRows(store))));
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (fiu_init(0) != 0)
        return 6;
    if (argc >= 3 && std::strcmp(argv[1], "crash") == 0)
        return crash(QString::fromLocal8Bit(argv[2]));
    if (argc == 4 && std::strcmp(argv[1], "put") == 0) {
        const QString path =
            QDir(QString::fromLocal8Bit(argv[2])).filePath(ReminderStore::kFileName);
        const FileSwap::Replaced put =
            FileSwap::replace(path, DataFile::serialize(ProofLists::rows(std::atoll(argv[3]))),
                              FileSwap::identify(path));
        return put.result == FileSwap::Replaced::Failed ||
               put.result == FileSwap::Replaced::Appeared;
    }
    if (argc >= 4 && std::strcmp(argv[1], "write") == 0)
        return write(QString::fromLocal8Bit(argv[2]), std::atoll(argv[3]), argc - 4, argv + 4);
    std::fprintf(stderr, "usage: qr_proof_writer crash FOLDER | write FOLDER K [options]\n");
    return 2;
}
