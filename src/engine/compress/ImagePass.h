#pragma once

#include "core/ToolOptions.h"

#include <functional>

class QPDF;

// Re-encodes a document's images in place, at one compression level.
namespace ImagePass {

// Changes image streams only, each on its own object, so a shared image stays
// shared. The document is touched only from the calling thread; decoding,
// shrinking and encoding run on up to two worker threads. done(images finished,
// images found) is called on the calling thread as images are dealt with.
void run(QPDF& pdf, CompressionLevel level,
         const std::function<void(qint64 done, qint64 total)>& done = {});

} // namespace ImagePass
