#pragma once

#include <QHash>
#include <QString>
#include <optional>

// Where an input PDF lives and the password that unlocked it (kept in memory only).
struct PDFSource {
    QString path; // absolute
    std::optional<QString> password;

    bool operator==(const PDFSource&) const = default;
};

inline size_t qHash(const PDFSource& source, size_t seed = 0) noexcept
{
    seed = qHashMulti(seed, source.path, source.password.has_value());
    return source.password ? qHash(*source.password, seed) : seed;
}
