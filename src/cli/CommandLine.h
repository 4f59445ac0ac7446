#pragma once

#include "core/PDFSource.h"
#include "core/ToolOptions.h"

#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

// The parsed form of a leaflow-cli invocation.
namespace CommandLine {

struct Merge {
    QList<PDFSource> inputs;
    QString output;
    QStringList ranges; // per input: range text, empty for all its pages
};

struct Split {
    PDFSource input;
    QString folder;
    SplitMode mode = SplitMode::each;
    qint64 every = 1;
    QString ranges;
};

struct Delete {
    PDFSource input;
    QString pages; // range text, one-based
    QString output;
};

struct Compress {
    PDFSource input;
    CompressionLevel level = CompressionLevel::balanced;
    QString output;
};

// One signature to place; page is one-based, rect in normalised page coordinates.
struct SignPlacement {
    QString signatureFile;
    int page = 1;
    QRectF rect;
};

struct Sign {
    PDFSource input;
    QList<SignPlacement> placements;
    QString output;
};

// "--rotate=RANGES:ANGLE": the input's pages named by ranges (none: all of them), turned
// clockwise by quarterTurns.
struct Rotation {
    std::optional<QString> ranges;
    int quarterTurns = 0;
};

// Organize and extract: the input's pages in the order given (none: as they are), some turned.
struct Organize {
    PDFSource input;
    std::optional<QString> order; // range text, one-based, descending pieces allowed
    QList<Rotation> rotations;
    QString output;
};

// Text recognition: languages are Tesseract's codes (tur, eng, spa), each once.
struct Ocr {
    PDFSource input;
    QStringList languages;
    bool redo = false;
    bool rotatePages = false;
    QString output;
};

struct Help {};

using Command = std::variant<Help, Merge, Split, Delete, Compress, Sign, Organize, Ocr>;

// Bounds given on the command line for the worker that runs the job.
struct Limits {
    std::optional<qint64> timeoutSeconds;
    std::optional<qint64> memoryMiB;
};

struct Invocation {
    Command command;
    Limits limits;
};

// A usage error: what was wrong, for standard error.
struct UsageError {
    QString message;
};

// Parses the arguments after the program name. Relative paths are made absolute.
// --timeout and --memory may stand anywhere after the command.
std::variant<Invocation, UsageError> parse(const QStringList& arguments);

QString usage();

} // namespace CommandLine
