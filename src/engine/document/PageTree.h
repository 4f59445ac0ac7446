#pragma once

#include <QtGlobal>
#include <optional>

class QPDFObjectHandle;

namespace PDFEngine {

class PackedObjects;

// The pages under a page tree node, counted leaf by leaf; nullopt when the tree loops, holds
// something that is neither a node nor a page, or has a node whose /Count says otherwise. With
// packed, pages packed in object streams are read through it, and not kept.
std::optional<qint64> countedPages(const QPDFObjectHandle& node, PackedObjects* packed = nullptr);

// Sets the /Count of every node under node, node included, to the pages it holds, so that a count
// an input got wrong is not written out again. A loop is left for the check to find.
void settleCounts(const QPDFObjectHandle& node);

} // namespace PDFEngine
