// Times start-up as the user sees it: from starting a program to the first paint
// of its window, both seen by the X server (the window's MapNotify, then its first
// Damage event), and reads the program's peak memory once it has settled. The
// floors (a bare window, and one painting the main page's picture and a page of
// text), the program on an empty list and on the benchmarks' largest list, and an
// earlier build of it if given, take turns, so a busy machine slows them alike.
// Warm rounds follow one untimed round; cold rounds drop the page cache before
// every start, where this user may (root, or sudo -n).
//
// qr_startup_bench [--base PROGRAM] [--warm-only] PROGRAM FLOOR [RUNS]
//                                         (DISPLAY names the X server to use)
// qr_startup_bench --list FILE            writes the large list alone, to profile with
#include "DataFile.h"
#include "ReminderStore.h"
#include "SampleList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <thread>
#include <set>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kLarge = ReminderStore::kMaxRows;
constexpr auto kTimeout = std::chrono::seconds(30);
// Work a program leaves for after its first paint still counts for memory.
constexpr auto kSettle = std::chrono::milliseconds(1000);

struct Sample {
    double ms;
    // Processor time of all the program's threads up to the paint: on a busy
    // machine it varies far less than the wall time.
    double cpuMs;
    double peakMiB;
};

struct Case {
    std::string name;
    std::string program;
    std::vector<std::string> arguments;
    std::string folder;
    std::vector<Sample> warm;
    std::vector<Sample> cold;
};

// The samples of the warm or of the cold rounds.
using Round = std::vector<Sample> Case::*;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "qr_startup_bench: %s\n", what);
    std::exit(1);
}

double peakMiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    }
    return -1.0;
}

double cpuMs(pid_t pid)
{
    double ns = 0;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const QString& task : QDir(QString::fromStdString(tasks)).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        std::ifstream stat(tasks + '/' + task.toStdString() + "/schedstat");
        double onCpu = 0;
        if (stat >> onCpu)
            ns += onCpu;
    }
    return ns / 1e6;
}

// Waits for the next X event until the deadline; false when none came.
bool nextEvent(Display* display, XEvent& event, Clock::time_point deadline)
{
    while (!XPending(display)) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, int(left.count()));
    }
    XNextEvent(display, &event);
    return true;
}

// An X error about a window that is already gone is no fault of the measurement.
int ignoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

class FirstPaint {
public:
    explicit FirstPaint(Display* display) : display_(display)
    {
        int error = 0;
        if (!XDamageQueryExtension(display_, &damageEvent_, &error))
            fail("the X server has no DAMAGE extension");
        XSetErrorHandler(ignoreErrors);
        // Every top-level window's creation and mapping.
        XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
        XSync(display_, True);
    }

    // Starts the program in its folder and times its first window's first paint.
    Sample run(const Case& c)
    {
        std::vector<char*> argv{const_cast<char*>(c.program.c_str())};
        for (const std::string& argument : c.arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        std::set<Window> created;
        const auto start = Clock::now();
        const pid_t pid = fork();
        if (pid < 0)
            fail("cannot fork");
        if (pid == 0) {
            if (chdir(c.folder.c_str()) != 0 || !freopen("/dev/null", "w", stdout))
                _exit(126);
            execv(c.program.c_str(), argv.data());
            _exit(127);
        }
        const auto deadline = start + kTimeout;
        Window shown = None;
        std::optional<Clock::time_point> painted;
        double cpu = 0;
        XEvent event;
        while (!painted && nextEvent(display_, event, deadline)) {
            if (event.type == CreateNotify && !event.xcreatewindow.override_redirect) {
                // Watched from its creation, so no paint can slip in before. The
                // damage object goes with the window.
                created.insert(event.xcreatewindow.window);
                XDamageCreate(display_, event.xcreatewindow.window, XDamageReportNonEmpty);
                XFlush(display_);
            } else if (event.type == MapNotify && shown == None &&
                       created.count(event.xmap.window)) {
                shown = event.xmap.window;
            } else if (event.type == damageEvent_ + XDamageNotify) {
                const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
                if (shown != None && damage.drawable == shown) {
                    painted = Clock::now();
                    cpu = cpuMs(pid);
                }
            }
        }
        if (!painted) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            fail(shown == None ? "the program mapped no window in time"
                               : "the program's window was never painted");
        }
        std::this_thread::sleep_for(kSettle);
        const double peak = peakMiB(pid);
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        XSync(display_, True);
        return {std::chrono::duration<double, std::milli>(*painted - start).count(), cpu, peak};
    }

private:
    Display* display_;
    int damageEvent_ = 0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

std::vector<double> values(const Case& c, Round round, double Sample::*field)
{
    std::vector<double> out;
    for (const Sample& s : c.*round)
        out.push_back(s.*field);
    return out;
}

double wall(const Case& c, Round round)
{
    return median(values(c, round, &Sample::ms));
}

double cpu(const Case& c, Round round)
{
    return median(values(c, round, &Sample::cpuMs));
}

double peak(const Case& c, Round round)
{
    return median(values(c, round, &Sample::peakMiB));
}

void report(const Case& c, Round round)
{
    const std::vector<double> t = values(c, round, &Sample::ms);
    const auto [low, high] = std::minmax_element(t.begin(), t.end());
    const std::vector<double> p = values(c, round, &Sample::cpuMs);
    const auto [cpuLow, cpuHigh] = std::minmax_element(p.begin(), p.end());
    std::printf("  %-24s %6.1f ms (%5.1f to %5.1f)   cpu %5.1f ms (%5.1f to %5.1f)   peak %5.1f MiB\n",
                c.name.c_str(), median(t), *low, *high, median(p), *cpuLow, *cpuHigh,
                peak(c, round));
}

// One ratio for this build and, where there is one, for the base build beside it.
void ratio(const char* what, double value, std::optional<double> base, double goal)
{
    std::printf("  %-44s %6.2f", what, value);
    if (base)
        std::printf("  %6.2f", *base);
    if (goal > 0)
        std::printf("   goal <= %.2f  %s", goal, value <= goal ? "met" : "MISSED");
    std::printf("\n");
}

// Empties the page cache, so the next start reads the program, its libraries and
// fonts from the disk. An empty string when it was done, else why not.
std::string dropCaches()
{
    sync();
    if (FILE* file = std::fopen("/proc/sys/vm/drop_caches", "w")) {
        const bool written = std::fputs("3\n", file) >= 0;
        if (std::fclose(file) == 0 && written)
            return {};
    }
    const std::string asRoot = std::strerror(errno);
    if (std::system("sudo -n sh -c 'echo 3 >/proc/sys/vm/drop_caches' 2>/dev/null") == 0)
        return {};
    return "cannot write /proc/sys/vm/drop_caches (" + asRoot + ") and sudo -n cannot either";
}

// A folder holding a copy of the program and the data file it is to find there.
std::string programFolder(const QTemporaryDir& dir, const QString& program,
                          const QByteArray& data)
{
    const QString copy = dir.filePath(QFileInfo(program).fileName());
    QFile file(dir.filePath(ReminderStore::kFileName));
    if (!QFile::copy(program, copy) || !file.open(QIODevice::WriteOnly) ||
        file.write(data) != data.size())
        fail("cannot lay out the program's folder");
    return copy.toStdString();
}

[[noreturn]] void usage()
{
    fail("usage: qr_startup_bench [--base PROGRAM] [--warm-only] PROGRAM FLOOR [RUNS]");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--list") {
        QFile file(QFile::decodeName(argv[2]));
        const QByteArray bytes = SampleList::file(kLarge);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? 0 : 1;
    }
    std::vector<std::string> positional;
    std::optional<std::string> baseProgram;
    bool warmOnly = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--base" && i + 1 < argc)
            baseProgram = argv[++i];
        else if (argument == "--warm-only")
            warmOnly = true;
        else if (argument.rfind("--", 0) == 0)
            usage();
        else
            positional.push_back(argument);
    }
    if (positional.size() < 2 || positional.size() > 3)
        usage();
    const int runs = positional.size() == 3 ? std::atoi(positional[2].c_str()) : 7;
    if (runs < 1)
        fail("RUNS must be at least 1");
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        fail("cannot open the X display");

    const QByteArray large = SampleList::file(kLarge);
    const double fileMiB = double(large.size()) / (1024.0 * 1024.0);
    QTemporaryDir floorDir, emptyDir, largeDir, baseEmptyDir, baseLargeDir;
    if (!floorDir.isValid() || !emptyDir.isValid() || !largeDir.isValid() ||
        !baseEmptyDir.isValid() || !baseLargeDir.isValid())
        fail("cannot make temporary folders");
    const std::string floor = positional[1];
    std::vector<Case> cases = {
        {"bare floor", floor, {"--bare"}, floorDir.path().toStdString(), {}, {}},
        {"text floor", floor, {}, floorDir.path().toStdString(), {}, {}},
    };
    const auto addProgram = [&](const std::string& path, const char* suffix,
                                const QTemporaryDir& emptyIn, const QTemporaryDir& largeIn) {
        const QString program = QFile::decodeName(path.c_str());
        cases.push_back({std::string("empty list") + suffix,
                         programFolder(emptyIn, program, DataFile::kFreshFile),
                         {}, emptyIn.path().toStdString(), {}, {}});
        cases.push_back({std::string("32,767 reminders") + suffix,
                         programFolder(largeIn, program, large),
                         {}, largeIn.path().toStdString(), {}, {}});
    };
    addProgram(positional[0], "", emptyDir, largeDir);
    if (baseProgram)
        addProgram(*baseProgram, ", base", baseEmptyDir, baseLargeDir);

    std::string noCold = warmOnly ? "left out (--warm-only)" : dropCaches();

    FirstPaint firstPaint(display);
    // One untimed round fills the caches the warm ones find full.
    for (Case& c : cases)
        firstPaint.run(c);
    for (int i = 0; i < runs; ++i) {
        for (Case& c : cases)
            c.warm.push_back(firstPaint.run(c));
    }
    for (int i = 0; noCold.empty() && i < runs; ++i) {
        for (Case& c : cases) {
            noCold = dropCaches();
            if (!noCold.empty())
                break;
            c.cold.push_back(firstPaint.run(c));
        }
    }
    const bool cold = noCold.empty();

    std::printf("Start-up to first paint, median of %d runs (fastest to slowest), in wall time and "
                "in processor time, and peak memory (median VmHWM a second after the paint); "
                "data file of %d reminders: %.2f MiB\n",
                runs, kLarge, fileMiB);
    std::printf("Warm (after an untimed round)\n");
    for (const Case& c : cases)
        report(c, &Case::warm);
    if (cold) {
        std::printf("Cold (page cache dropped before every start)\n");
        for (const Case& c : cases)
            report(c, &Case::cold);
    } else {
        std::printf("Cold: no column: %s\n", noCold.c_str());
    }

    const Case& bare = cases[0];
    const Case& text = cases[1];
    const Case& empty = cases[2];
    const Case& full = cases[3];
    const Case* baseEmpty = baseProgram ? &cases[4] : nullptr;
    const Case* baseFull = baseProgram ? &cases[5] : nullptr;
    // A ratio for this build and the same for the base build.
    const auto both = [&](const char* what, auto of, double goal) {
        ratio(what, of(empty, full),
              baseProgram ? std::optional<double>(of(*baseEmpty, *baseFull)) : std::nullopt, goal);
    };
    if (baseProgram)
        std::printf("%-47s%6s  %6s\n", "Ratios", "this", "base");
    else
        std::printf("Ratios\n");
    const auto startUp = [&](const char* label, Round round, double goal) {
        both(label, [&](const Case& e, const Case&) { return wall(e, round) / wall(text, round); },
             goal);
        both("  the same in processor time",
             [&](const Case& e, const Case&) { return cpu(e, round) / cpu(text, round); }, 0);
    };
    const auto listSize = [&](const char* label, Round round, double goal) {
        both(label, [&](const Case& e, const Case& f) { return wall(f, round) / wall(e, round); },
             goal);
        both("  the same in processor time",
             [&](const Case& e, const Case& f) { return cpu(f, round) / cpu(e, round); }, 0);
    };
    startUp("warm: empty list / text floor", &Case::warm, 1.15);
    if (cold)
        startUp("cold: empty list / text floor", &Case::cold, 1.10);
    listSize("warm: 32,767 reminders / empty list", &Case::warm, 1.10);
    if (cold)
        listSize("cold: 32,767 reminders / empty list", &Case::cold, 1.10);
    // Held against the text floor: the fonts and the SVG renderer are in every
    // page, so only what the list adds over them counts against its file.
    both("(32,767 peak - text floor peak) / file size",
         [&](const Case&, const Case& f) {
             return (peak(f, &Case::warm) - peak(text, &Case::warm)) / fileMiB;
         },
         3.0);
    std::printf("For reference\n");
    both("warm: empty list / bare floor",
         [&](const Case& e, const Case&) { return wall(e, &Case::warm) / wall(bare, &Case::warm); },
         0);
    both("  the same in processor time",
         [&](const Case& e, const Case&) { return cpu(e, &Case::warm) / cpu(bare, &Case::warm); },
         0);
    ratio("warm: text floor / bare floor",
          wall(text, &Case::warm) / wall(bare, &Case::warm), std::nullopt, 0);
    both("(32,767 peak - bare floor peak) / file size",
         [&](const Case&, const Case& f) {
             return (peak(f, &Case::warm) - peak(bare, &Case::warm)) / fileMiB;
         },
         0);
    XCloseDisplay(display);
    return 0;
}
