#pragma once

#include "core/ToolOptions.h"

#include <QDateTime>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <optional>

using Stroke = QList<QPointF>;

// One signature of the library: drawn strokes, or an imported image file.
struct SavedSignature {
    QUuid id;
    QString name;
    std::optional<QList<Stroke>> strokes; // normalised: x, y from 0 to 1, y downwards
    std::optional<double> weight;         // line width as a fraction of the drawn height
    std::optional<InkColor> ink;
    std::optional<QString> imageFile; // a file name inside the signatures folder
    double aspect = 1.0;              // width / height

    static constexpr double defaultWeight = 0.04;

    bool operator==(const SavedSignature&) const = default;
};

// One finished tool run.
struct HistoryItem {
    QUuid id;
    QDateTime date;
    QString tool;        // raw value of the tool's section
    QStringList inputs;  // file names only
    QStringList outputs; // full paths
    qint64 bytesBefore = 0;
    qint64 bytesAfter = 0;

    bool operator==(const HistoryItem&) const = default;
};

// Everything the application remembers beyond its settings.
struct AppData {
    qint64 version = 1;
    QList<SavedSignature> signatures;
    QList<HistoryItem> history; // newest first

    static constexpr qsizetype historyLimit = 200;

    // Puts a finished run at the front and keeps only the newest historyLimit records.
    void recordRun(const HistoryItem& item);

    bool operator==(const AppData&) const = default;
};
