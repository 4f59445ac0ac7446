#pragma once

#include "AppSection.h"
#include "PDFEngine.h"
#include "PDFSource.h"
#include "ToolOptions.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

// What one tool run asks of the engine, in plain values only, so that it can
// be carried to any thread.
struct ToolRequest {
    AppSection tool = AppSection::merge;
    QList<PDFSource> sources;   // in input order
    QString destination;        // the chosen file (merge, pages, a single compression)
    QString folder;             // the chosen folder (split, several compressions)
    PDFEngine::Grouping groups; // split
    QSet<int> removing;         // pages
    CompressionLevel level = CompressionLevel::balanced;
    QStringList baseNames;      // compression: the output name of each source, without ".pdf"
    QList<PDFEngine::SignItem> signItems; // sign
};

// What came back: the written files, or the failure's message.
struct ToolOutcome {
    QStringList outputs; // in output order
    // Compression: for each source, the file written for it, or none when it did not shrink.
    QList<std::optional<QString>> perSource;
    std::optional<QString> failure;
};

// Runs the engine operation of a request; never throws. Safe on any thread,
// since it touches nothing but its own values and the files they name.
ToolOutcome runTool(const ToolRequest& request);
