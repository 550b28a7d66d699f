#include "ProgramLauncher.h"
#include "PlatformLog.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

// What the two children tell the parent through the error pipe.
struct Report
{
    int kind;
    int value;
};
enum ReportKind
{
    kPid = 1,     // value: the program's process id
    kForkFailed,  // value: errno
    kSetupFailed, // value: errno (working directory, /dev/null)
    kExecFailed   // value: errno
};

// Everything below runs between fork() and exec() in a copy of a process
// that has other threads: async-signal-safe calls only, no allocation.
void report(int fd, int kind, int value)
{
    const Report r{kind, value};
    ssize_t n;
    do {
        n = ::write(fd, &r, sizeof r);
    } while (n < 0 && errno == EINTR);
}

void closeRange(int first, int last)
{
    if (first > last)
        return;
#ifdef SYS_close_range
    if (::syscall(SYS_close_range, unsigned(first), unsigned(last), 0u) == 0)
        return;
#endif
    for (int fd = first; fd <= last; ++fd)
        ::close(fd);
}

[[noreturn]] void execProgram(int errorFd, int maxFd, const char *path, char *const argv[], const char *dir)
{
    // Our streams stay ours: the program reads and writes /dev/null.
    const int null = ::open("/dev/null", O_RDWR);
    if (null < 0 || ::dup2(null, 0) < 0 || ::dup2(null, 1) < 0 || ::dup2(null, 2) < 0) {
        report(errorFd, kSetupFailed, errno);
        ::_exit(127);
    }
    // Nothing else of ours either (sockets, device handles, a caller's pipes),
    // except the error pipe, which closes itself at exec.
    closeRange(3, errorFd - 1);
    closeRange(errorFd + 1, maxFd);
    if (dir && ::chdir(dir) != 0) {
        report(errorFd, kSetupFailed, errno);
        ::_exit(127);
    }
    // Signals we ignore or block would stay so in the program.
    struct sigaction dfl = {};
    dfl.sa_handler = SIG_DFL;
    ::sigaction(SIGPIPE, &dfl, nullptr);
    ::sigaction(SIGCHLD, &dfl, nullptr);
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::execve(path, argv, environ);
    report(errorFd, kExecFailed, errno);
    ::_exit(127);
}

} // namespace

ProgramLauncher::~ProgramLauncher() = default;

bool DetachedProgramLauncher::startDetached(const QString &program, const QStringList &arguments,
                                            const QString &workingDirectory)
{
    return start(program, arguments, workingDirectory);
}

bool DetachedProgramLauncher::start(const QString &program, const QStringList &arguments,
                                    const QString &workingDirectory, qint64 *pid)
{
    // Resolved here: the working directory changes before the program runs.
    const QString path = program.contains(QLatin1Char('/')) ? QFileInfo(program).absoluteFilePath()
                                                            : QStandardPaths::findExecutable(program);
    if (path.isEmpty()) {
        qCDebug(lcPlatform) << "cannot start" << program << ": not found";
        return false;
    }
    // Made before fork(): the children may not allocate.
    const QByteArray file = QFile::encodeName(path);
    const QByteArray dir = QFile::encodeName(workingDirectory);
    QList<QByteArray> args{QFile::encodeName(program)};
    for (const QString &a : arguments)
        args.append(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    struct rlimit limit = {};
    int maxFd = 65535;
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        maxFd = int(qMin<rlim_t>(limit.rlim_cur, 1 << 20)) - 1;

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        qCDebug(lcPlatform) << "cannot start" << program << ":" << qt_error_string(errno);
        return false;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        // Out of our session, and out of our children (the program's parent
        // is init): nothing of ours waits for it or ends with it.
        int errorFd = pipeFds[1];
        if (errorFd < 3)
            errorFd = ::fcntl(errorFd, F_DUPFD_CLOEXEC, 3);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild < 0) {
            report(errorFd, kForkFailed, errno);
            ::_exit(1);
        }
        if (grandchild > 0) {
            report(errorFd, kPid, int(grandchild));
            ::_exit(0);
        }
        execProgram(errorFd, maxFd, file.constData(), argv.data(), dir.isEmpty() ? nullptr : dir.constData());
    }
    const int forkError = errno;
    ::close(pipeFds[1]);
    if (child < 0) {
        ::close(pipeFds[0]);
        qCDebug(lcPlatform) << "cannot start" << program << ":" << qt_error_string(forkError);
        return false;
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    // Until every writer is gone: the intermediate child has exited, the
    // program has executed (the pipe closed on exec) or failed.
    qint64 started = 0;
    int failure = 0;
    Report r;
    for (;;) {
        const ssize_t n = ::read(pipeFds[0], &r, sizeof r);
        if (n < 0 && errno == EINTR)
            continue;
        if (n != ssize_t(sizeof r))
            break;
        if (r.kind == kPid)
            started = r.value;
        else
            failure = r.value;
    }
    ::close(pipeFds[0]);
    if (started <= 0 || failure != 0) {
        qCDebug(lcPlatform) << "cannot start" << program << ":" << qt_error_string(failure);
        return false;
    }
    if (pid)
        *pid = started;
    return true;
}
