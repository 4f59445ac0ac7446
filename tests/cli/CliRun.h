#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <sys/types.h>

// Runs leaflow-cli in Turkish, with private settings and at most 3 GB of memory.
namespace CliRun {

struct Result {
    bool crashed = false;
    bool timedOut = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

QString program();
// `input` is all of standard input, closed after it.
Result run(const QStringList& arguments, const QString& workingFolder, const QString& configHome,
           int timeoutMs = 60000, const QByteArray& input = {});

// leaflow-cli on a pseudo-terminal as its controlling terminal and standard streams: the prompt.
class OnTerminal {
public:
    OnTerminal(const QStringList& arguments, const QString& workingFolder,
               const QString& configHome);
    ~OnTerminal(); // kills the program if it still runs
    OnTerminal(const OnTerminal&) = delete;
    OnTerminal& operator=(const OnTerminal&) = delete;

    bool started() const { return m_pid > 0; }
    // Everything the program wrote to the terminal so far.
    const QByteArray& output() const { return m_output; }
    bool waitForOutput(const QByteArray& text, int timeoutMs);
    // The terminal's ECHO flag as the program has set it.
    bool echoes() const;
    bool waitForEcho(bool on, int timeoutMs);
    // Keys typed at the terminal: "\x03" is Ctrl+C, which the terminal turns into SIGINT.
    void type(const QByteArray& keys) const;
    // The exit status; absent when the program was ended by a signal or is still running.
    std::optional<int> waitForExit(int timeoutMs);

private:
    void drain(int waitMs);

    int m_controller = -1;
    int m_terminal = -1;
    pid_t m_pid = -1;
    QByteArray m_output;
};

} // namespace CliRun
