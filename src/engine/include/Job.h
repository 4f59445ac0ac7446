#pragma once

#include "core/PDFSource.h"
#include "core/SplitPlan.h"
#include "core/ToolOptions.h"
#include "engine/include/SignatureArt.h"
#include "engine/include/Staging.h"

#include <QList>
#include <QRectF>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

// What a tool asks of the engine, in plain values only, so that it can be
// carried to any thread; the window and the command line build the same jobs.
namespace PDFEngine {

using PageGroup = ::PageGroup;
using Grouping = ::Grouping;

// Joins the pages of sources, in order, into destination. A source with range text in
// ranges gives only the pages it names ("1-3, 7, 10-", read as a split's ranges), in that order;
// an empty or missing entry gives all its pages.
struct MergeJob {
    QList<PDFSource> sources;
    QString destination;
    QStringList ranges = {}; // per source

    bool operator==(const MergeJob&) const = default;
};

// How a split groups pages: one page a file, `every` pages a file, or range text.
struct SplitRule {
    SplitMode mode = SplitMode::each;
    qint64 every = 2;
    QString ranges;

    bool operator==(const SplitRule&) const = default;
};

// Writes one file per group of the source's pages into folder, which is made
// when createFolder is set and it does not exist yet (only once there is something to put in it).
struct SplitJob {
    PDFSource source;
    SplitRule rule;
    QString folder;
    bool createFolder = false;

    bool operator==(const SplitJob&) const = default;
};

// Re-encodes the images of every source at level. One source is written to
// destination; several go into folder, named after baseNames (made unique there),
// which is made as a split's is.
struct CompressJob {
    QList<PDFSource> sources;
    CompressionLevel level = CompressionLevel::balanced;
    QString destination;
    QString folder;
    QStringList baseNames; // one per source, without ".pdf"
    bool createFolder = false;

    bool operator==(const CompressJob&) const = default;
};

// Writes a copy of source without the pages in removing (zero-based) and those
// that ranges (one-based range text, read against the file's pages) names.
struct DeletePagesJob {
    PDFSource source;
    QSet<int> removing;
    std::optional<QString> ranges;
    QString destination;

    bool operator==(const DeletePagesJob&) const = default;
};

// One signature to stamp: a zero-based page, where on the displayed page in
// normalised coordinates (origin top-left, y downwards), and what to draw.
struct SignItem {
    int page = 0;
    QRectF rect;
    SignatureArt art;

    bool operator==(const SignItem&) const = default;
};

// Writes a copy of source with each item stamped upright on its page; items
// whose page does not exist are skipped.
struct SignJob {
    PDFSource source;
    QList<SignItem> items;
    QString destination;

    bool operator==(const SignJob&) const = default;
};

// One page of an organized document: the source it comes from (index into the job's sources),
// its zero-based page there, and the quarter turns clockwise added to the rotation it has.
struct OrganizedPage {
    int source = 0;
    int page = 0;
    int quarterTurns = 0; // negative: anticlockwise

    bool operator==(const OrganizedPage&) const = default;
};

// Writes the listed pages, in that order and turned as asked, into destination; a page may be
// listed more than once. The first source gives the document's settings. Extracting pages is
// the same job with fewer of them.
struct OrganizeJob {
    QList<PDFSource> sources;
    QList<OrganizedPage> pages;
    QString destination;

    bool operator==(const OrganizeJob&) const = default;
};

// Lays an invisible text layer, recognised from each page's picture, over the pages of every
// source that show no text of their own; with redo, also over pages whose only text is a layer
// this job laid before, which it replaces. Languages are recognition codes ("tur", "eng", "spa").
// With turnPages, pages found standing sideways or upside down are turned upright. A source with
// nothing to recognise is not written. One source is written to destination; several go into
// folder, named after baseNames (made unique there), which is made as a split's is.
struct OcrJob {
    QList<PDFSource> sources;
    QStringList languages;
    bool redo = false;
    bool turnPages = false;
    QList<qint64> pageCounts; // per source, as counted when it was added; bounds the run's time
    QString destination;
    QString folder;
    QStringList baseNames; // one per source, without ".pdf"
    bool createFolder = false;

    bool operator==(const OcrJob&) const = default;
};

// What text recognition did with one source's pages.
struct RecognitionTally {
    int recognised = 0; // a text layer laid over it
    int searchable = 0; // left alone: it shows text already
    int turned = 0;     // turned upright

    bool operator==(const RecognitionTally&) const = default;
};

// Opens source as every job does and counts its pages, so that a file the viewer tolerates but a
// job would refuse is turned away when it is added. Without a password, a file that needs one is
// only reported locked.
struct InspectJob {
    PDFSource source;

    bool operator==(const InspectJob&) const = default;
};

using Job = std::variant<MergeJob, SplitJob, CompressJob, DeletePagesJob, SignJob, InspectJob,
                         OrganizeJob, OcrJob>;

// What a job came to: the written files, or the failure's message.
struct Outcome {
    QStringList outputs; // in output order
    // The outputs while they wait in their private folder, until commit() puts them in place.
    Staging staging;
    // Compression and recognition: for each source, the file written for it, or none when it
    // did not shrink or had nothing to recognise.
    QList<std::optional<QString>> perSource;
    // Recognition: for each source, what became of its pages.
    QList<RecognitionTally> recognition;
    std::optional<QString> failure;
    // Compression that wrote nothing at all: the message saying so.
    std::optional<QString> notSmaller;
    // Inspection: the source's page count, or that it needs the password it was not given.
    std::optional<qint64> pageCount;
    bool locked = false;

    bool operator==(const Outcome&) const = default;
};

} // namespace PDFEngine
