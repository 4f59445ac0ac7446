#pragma once

#include <QString>
#include <QStringList>

// The one message a tool page shows after a run or a failure.
struct Banner {
    QString text;
    QStringList outputs; // files the run produced; empty for errors
    bool isError = false;

    bool operator==(const Banner&) const = default;
};
