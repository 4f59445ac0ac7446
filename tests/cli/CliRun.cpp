#include "CliRun.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace CliRun {

namespace {

// Turkish language, settings under configHome.
QProcessEnvironment environment(const QString& configHome)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_MESSAGES"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("tr_TR.UTF-8"));
    env.insert(QStringLiteral("LANGUAGE"), QStringLiteral("tr"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    return env;
}

// NUL-terminated copies and the pointer list execve wants, made before fork.
struct CStrings {
    explicit CStrings(const QStringList& strings)
    {
        for (const QString& s : strings) {
            bytes.append(s.toLocal8Bit());
        }
        for (QByteArray& b : bytes) {
            pointers.push_back(b.data());
        }
        pointers.push_back(nullptr);
    }
    QList<QByteArray> bytes;
    std::vector<char*> pointers;
};

} // namespace

QString program()
{
    return qEnvironmentVariable("LEAFLOW_CLI");
}

Result run(const QStringList& arguments, const QString& workingFolder, const QString& configHome,
           int timeoutMs, const QByteArray& input)
{
    QProcess process;
    process.setProcessEnvironment(environment(configHome));
    process.setWorkingDirectory(workingFolder);
    // A runaway child crashes visibly; the sanitizer reserves more address space than any bound.
    if (!qEnvironmentVariableIsSet("ASAN_OPTIONS")) {
        process.setChildProcessModifier([] {
            constexpr rlim_t bound = rlim_t(3) << 30;
            const rlimit limit{bound, bound};
            setrlimit(RLIMIT_AS, &limit);
        });
    }
    process.start(program(), arguments);
    process.write(input);
    process.closeWriteChannel();
    Result result;
    if (!process.waitForFinished(timeoutMs)) {
        result.timedOut = true;
        process.kill();
        process.waitForFinished();
    }
    result.crashed = process.exitStatus() == QProcess::CrashExit && !result.timedOut;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

OnTerminal::OnTerminal(const QStringList& arguments, const QString& workingFolder,
                       const QString& configHome)
{
    if (::openpty(&m_controller, &m_terminal, nullptr, nullptr, nullptr) != 0) {
        return;
    }
    ::fcntl(m_controller, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_terminal, F_SETFD, FD_CLOEXEC);
    const CStrings argv(QStringList{program()} + arguments);
    const CStrings envp(environment(configHome).toStringList());
    const QByteArray folder = QFile::encodeName(workingFolder);
    m_pid = ::fork();
    if (m_pid == 0) {
        // Only async-signal-safe calls until exec: the test process may have threads.
        ::setsid();
        ::ioctl(m_terminal, TIOCSCTTY, 0);
        for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
            ::dup2(m_terminal, fd);
        }
        if (::chdir(folder.constData()) == 0) {
            ::execve(argv.pointers[0], argv.pointers.data(), envp.pointers.data());
        }
        ::_exit(127);
    }
}

OnTerminal::~OnTerminal()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    for (const int fd : {m_controller, m_terminal}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

void OnTerminal::drain(int waitMs)
{
    pollfd readable{m_controller, POLLIN, 0};
    if (::poll(&readable, 1, waitMs) <= 0) {
        return;
    }
    char buffer[4096];
    const ssize_t got = ::read(m_controller, buffer, sizeof buffer);
    if (got > 0) {
        m_output.append(buffer, got);
    }
}

bool OnTerminal::waitForOutput(const QByteArray& text, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!m_output.contains(text) && !deadline.hasExpired()) {
        drain(50);
    }
    return m_output.contains(text);
}

bool OnTerminal::echoes() const
{
    termios state{};
    return ::tcgetattr(m_terminal, &state) == 0 && (state.c_lflag & ECHO) != 0;
}

bool OnTerminal::waitForEcho(bool on, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (echoes() != on && !deadline.hasExpired()) {
        drain(20);
    }
    return echoes() == on;
}

void OnTerminal::type(const QByteArray& keys) const
{
    [[maybe_unused]] const ssize_t written = ::write(m_controller, keys.constData(), keys.size());
}

std::optional<int> OnTerminal::waitForExit(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (m_pid > 0 && !deadline.hasExpired()) {
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            drain(0);
            return WIFEXITED(status) ? std::optional(WEXITSTATUS(status)) : std::nullopt;
        }
        drain(20);
    }
    return std::nullopt;
}

} // namespace CliRun
