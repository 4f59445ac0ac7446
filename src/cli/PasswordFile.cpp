#include "cli/PasswordFile.h"

#include <QFile>
#include <unistd.h>

namespace PasswordFile {

namespace {

// No password is this long; a longer first line means the wrong file (or an endless one such
// as /dev/zero).
constexpr qint64 longestLine = 4096;

Unusable unusable(const QString& path, const QString& why)
{
    return Unusable{QStringLiteral("--password-file=%1: %2").arg(path, why)};
}

} // namespace

std::variant<QString, Unusable> read(const QString& path)
{
    const bool standardInput = path == QStringLiteral("-");
    if (standardInput && isatty(STDIN_FILENO)) {
        return unusable(path, QStringLiteral("standard input is a terminal; leave the option out "
                                             "to be asked for the password without echo"));
    }
    QFile file(standardInput ? QString() : path);
    if (!(standardInput ? file.open(STDIN_FILENO, QIODevice::ReadOnly)
                        : file.open(QIODevice::ReadOnly))) {
        return unusable(path, file.errorString());
    }
    // Read past the longest accepted line, so that a longer one is noticed rather than cut.
    QByteArray line = file.readLine(longestLine + 2);
    while (line.endsWith('\n') || line.endsWith('\r')) {
        line.chop(1);
    }
    std::variant<QString, Unusable> result = QString::fromUtf8(line);
    if (file.error() != QFileDevice::NoError) {
        result = unusable(path, file.errorString());
    } else if (line.size() > longestLine) {
        result =
            unusable(path,
                     QStringLiteral("the first line is longer than %1 bytes").arg(longestLine));
    } else if (line.isEmpty()) {
        result = unusable(path, QStringLiteral("the first line is empty"));
    }
    line.fill('\0');
    return result;
}

} // namespace PasswordFile
