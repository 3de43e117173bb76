// Times start-up as the user sees it: from starting a program to the first paint
// of its window, both seen by the X server (the window's MapNotify, then its first
// Damage event), and reads the program's peak memory once it has settled. The
// floor, the program on an empty list and the program on the benchmarks' largest
// list take turns, so a busy machine slows all three alike.
//
// qr_startup_bench PROGRAM FLOOR [RUNS]   (DISPLAY names the X server to use)
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
#include <chrono>
#include <cstdio>
#include <cstdlib>
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
    const char* name;
    std::string program;
    std::string folder;
    std::vector<Sample> samples;
};

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
        std::set<Window> created;
        const auto start = Clock::now();
        const pid_t pid = fork();
        if (pid < 0)
            fail("cannot fork");
        if (pid == 0) {
            if (chdir(c.folder.c_str()) != 0 || !freopen("/dev/null", "w", stdout))
                _exit(126);
            execl(c.program.c_str(), c.program.c_str(), static_cast<char*>(nullptr));
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

std::vector<double> times(const Case& c, double Sample::*field = &Sample::ms)
{
    std::vector<double> out;
    for (const Sample& s : c.samples)
        out.push_back(s.*field);
    return out;
}

double peak(const Case& c)
{
    std::vector<double> out;
    for (const Sample& s : c.samples)
        out.push_back(s.peakMiB);
    return median(out);
}

void report(const Case& c)
{
    const std::vector<double> t = times(c);
    const auto [low, high] = std::minmax_element(t.begin(), t.end());
    const std::vector<double> cpu = times(c, &Sample::cpuMs);
    const auto [cpuLow, cpuHigh] = std::minmax_element(cpu.begin(), cpu.end());
    std::printf("  %-18s %6.1f ms (%5.1f to %5.1f)   cpu %5.1f ms (%5.1f to %5.1f)   peak %5.1f MiB\n",
                c.name, median(t), *low, *high, median(cpu), *cpuLow, *cpuHigh, peak(c));
}

void ratio(const char* what, double value, double goal)
{
    std::printf("  %-40s %6.2f   goal <= %.2f  %s\n", what, value, goal,
                value <= goal ? "met" : "MISSED");
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

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--list") {
        QFile file(QFile::decodeName(argv[2]));
        const QByteArray bytes = SampleList::file(kLarge);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? 0 : 1;
    }
    if (argc < 3 || argc > 4)
        fail("usage: qr_startup_bench PROGRAM FLOOR [RUNS]");
    const int runs = argc == 4 ? std::atoi(argv[3]) : 7;
    if (runs < 1)
        fail("RUNS must be at least 1");
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        fail("cannot open the X display");

    const QString program = QFile::decodeName(argv[1]);
    const QByteArray large = SampleList::file(kLarge);
    QTemporaryDir emptyDir, largeDir, floorDir;
    if (!emptyDir.isValid() || !largeDir.isValid() || !floorDir.isValid())
        fail("cannot make temporary folders");
    Case cases[] = {
        {"floor", argv[2], floorDir.path().toStdString(), {}},
        {"empty list", programFolder(emptyDir, program, DataFile::kFreshFile),
         emptyDir.path().toStdString(), {}},
        {"32,767 reminders", programFolder(largeDir, program, large),
         largeDir.path().toStdString(), {}},
    };

    FirstPaint firstPaint(display);
    // One untimed round fills the caches the later ones find full.
    for (Case& c : cases)
        firstPaint.run(c);
    for (int i = 0; i < runs; ++i) {
        for (Case& c : cases)
            c.samples.push_back(firstPaint.run(c));
    }

    const Case& floor = cases[0];
    const Case& empty = cases[1];
    const Case& full = cases[2];
    std::printf("Start-up to first paint, median of %d runs (fastest to slowest), in wall time and "
                "in processor time, and peak memory (median VmHWM); data file of %d reminders: "
                "%.2f MiB\n",
                runs, kLarge, double(large.size()) / (1024.0 * 1024.0));
    for (const Case& c : cases)
        report(c);
    std::printf("Ratios\n");
    ratio("empty list / floor", median(times(empty)) / median(times(floor)), 1.1);
    std::printf("  %-40s %6.2f\n", "  the same in processor time",
                median(times(empty, &Sample::cpuMs)) / median(times(floor, &Sample::cpuMs)));
    ratio("32,767 reminders / empty list", median(times(full)) / median(times(empty)), 1.1);
    auto cpu = [](const Case& c) { return median(times(c, &Sample::cpuMs)); };
    std::printf("  %-40s %6.2f\n", "  the same in processor time", cpu(full) / cpu(empty));
    ratio("(32,767 peak - floor peak) / file size",
          (peak(full) - peak(floor)) / (double(large.size()) / (1024.0 * 1024.0)), 3.0);
    XCloseDisplay(display);
    return 0;
}
