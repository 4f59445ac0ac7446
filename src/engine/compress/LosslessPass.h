#pragma once

#include <QtGlobal>

#include <qpdf/QPDFObjectHandle.hh>

#include <functional>
#include <vector>

class QPDF;

// Shrinks a document without changing what any stream decodes to: page
// thumbnails go, identical objects are stored once, and stream data is stored at
// zlib's best where that saves. Objects nothing refers to are left out by the
// writer itself, which also packs the rest into object streams.
namespace LosslessPass {

using StepReport = std::function<void(qint64 done, qint64 total)>;

// Every indirect object the trailer leads to, each once, in the order first met.
std::vector<QPDFObjectHandle> reachable(QPDF& pdf);

// Removes /Thumb from every page: readers draw their own.
void dropThumbnails(QPDF& pdf);

// Points every reference to a stream, font, font descriptor, graphics state,
// colour space or resource dictionary at one object among those identical to it
// (same dictionary, same stored bytes, compared byte for byte), so the copies
// are no longer written. Objects whose identity matters (pages, annotations,
// fields, outline and structure items) are never merged. Returns how many
// objects were folded into another.
int mergeDuplicates(QPDF& pdf, const StepReport& done = {});

// Flate-compresses streams stored without a filter and recompresses Flate
// streams at zlib's best level, each only when that makes it smaller; the
// result is written exactly as stored here. XMP metadata stays as it was: plain
// text when stored so, which other programs read without a PDF parser.
// Inflating and deflating run on up to two worker threads.
void recompressStreams(QPDF& pdf, const StepReport& done = {});

} // namespace LosslessPass
