#include "PasswordPrompt.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

// Restores the terminal's echo however the read ends.
class EchoOff {
public:
    EchoOff()
    {
        m_active = tcgetattr(STDIN_FILENO, &m_saved) == 0;
        if (m_active) {
            termios quiet = m_saved;
            quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
        }
    }
    ~EchoOff()
    {
        if (m_active) {
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &m_saved);
        }
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    termios m_saved{};
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
    if (!read) {
        return std::nullopt;
    }
    return QString::fromStdString(line);
}
