#include "cli/PasswordPrompt.h"

#include "cli/Interrupt.h"

#include <algorithm>
#include <array>
#include <csignal>
#include <iostream>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

// The terminal as it was before the prompt, for the signal handler below.
termios savedTerminal{};

// A signal that ends the program at the prompt would leave the terminal without echo for the
// shell and whatever runs next; it is put back first. Ctrl+C ends the program as it does
// during a job; any other signal then takes its usual course, the handler being reset.
void restoreAndLeave(int signal)
{
    tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
    if (signal == SIGINT) {
        const char newline = '\n';
        [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, &newline, 1);
        ::_exit(interruptedStatus);
    }
    ::raise(signal);
}

constexpr std::array endingSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Turns the terminal's echo off and restores it however the read ends, a signal included.
class EchoOff {
public:
    EchoOff()
    {
        m_active = tcgetattr(STDIN_FILENO, &savedTerminal) == 0;
        if (!m_active) {
            return;
        }
        struct sigaction action {};
        action.sa_handler = restoreAndLeave;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND;
        for (size_t i = 0; i < endingSignals.size(); ++i) {
            sigaction(endingSignals[i], &action, &m_previous[i]);
        }
        termios quiet = savedTerminal;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    ~EchoOff()
    {
        if (!m_active) {
            return;
        }
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
        for (size_t i = 0; i < endingSignals.size(); ++i) {
            sigaction(endingSignals[i], &m_previous[i], nullptr);
        }
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    std::array<struct sigaction, endingSignals.size()> m_previous{};
    bool m_active = false;
};

} // namespace

std::optional<QString> promptPassword(const QString& prompt)
{
    if (!isatty(STDIN_FILENO)) {
        return std::nullopt;
    }
    std::cerr << prompt.toStdString() << std::flush;
    std::string line;
    bool read = false;
    {
        EchoOff quiet;
        read = static_cast<bool>(std::getline(std::cin, line));
    }
    std::cerr << '\n';
    std::optional<QString> typed;
    if (read) {
        typed = QString::fromStdString(line);
    }
    std::fill(line.begin(), line.end(), '\0');
    return typed;
}
