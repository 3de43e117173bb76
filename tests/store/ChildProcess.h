#pragma once

#include <QByteArray>
#include <QStringList>

#include <functional>

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs work in a forked child, so a size limit or a change of user made for one
// case never reaches the other tests. The child reports through the lines it
// returns; the parent asserts on them.
struct ChildOutcome {
    bool exited = false;
    int code = -1;
    QStringList lines;
};

inline ChildOutcome runInChild(const std::function<QStringList()>& work, unsigned timeoutSecs = 20)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid < 0)
        return {};
    if (pid == 0) {
        ::close(fds[0]);
        ::alarm(timeoutSecs);
        const QByteArray out = work().join(u'\n').toUtf8();
        qsizetype done = 0;
        while (done < out.size()) {
            const ssize_t n = ::write(fds[1], out.constData() + done, size_t(out.size() - done));
            if (n <= 0)
                ::_exit(3);
            done += n;
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    QByteArray out;
    char buf[4096];
    ssize_t n;
    while ((n = ::read(fds[0], buf, sizeof buf)) > 0)
        out.append(buf, n);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ChildOutcome result;
    result.exited = WIFEXITED(status);
    result.code = result.exited ? WEXITSTATUS(status) : -1;
    if (!out.isEmpty())
        result.lines = QString::fromUtf8(out).split(u'\n');
    return result;
}

// In the child: become a user that file permissions apply to. Root ignores them,
// so it turns into "nobody"; anyone else is already bound by them. A child that
// cannot reports kNoUser, and the case is skipped.
inline const QString kNoUser = QStringLiteral("could not switch to an unprivileged user");

inline bool becomeUnprivileged()
{
    if (::geteuid() != 0)
        return true;
    const passwd* pw = ::getpwnam("nobody");
    if (!pw)
        return false;
    return ::setgroups(0, nullptr) == 0 && ::setgid(pw->pw_gid) == 0 &&
           ::setuid(pw->pw_uid) == 0 && ::geteuid() != 0;
}

// In the child: files may grow to at most bytes, and going past that fails with
// EFBIG instead of killing the process, as a full disk would fail a write.
inline bool limitFileSize(rlim_t bytes)
{
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return false;
    limit.rlim_cur = bytes;
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}
