#pragma once

#include <QString>
#include <QStringList>

// The one message a tool page shows after a run or a failure.
struct Banner {
    // A finished run, something the user should know that is no failure (a compression that
    // found nothing to gain), or what went wrong.
    enum class Kind { success, information, error };

    QString text;
    QStringList outputs; // files the run produced; empty for errors
    Kind kind = Kind::success;

    bool isError() const { return kind == Kind::error; }

    bool operator==(const Banner&) const = default;
};
