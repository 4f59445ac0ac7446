#pragma once

#include <QString>
#include <variant>

// Reads a password from a file, so it never appears on a command line that every local account
// can read (/proc/<pid>/cmdline).
namespace PasswordFile {

// Why a password file gave no password, for standard error.
struct Unusable {
    QString message;
};

// The first line of the file ("-": standard input, which must not be a terminal), without its
// line ending; an empty first line is refused.
std::variant<QString, Unusable> read(const QString& path);

} // namespace PasswordFile
