#pragma once

#include <QString>
#include <optional>

// Asks for a password on the terminal without echo; absent when standard
// input is not a terminal or nothing could be read.
std::optional<QString> promptPassword(const QString& prompt);
