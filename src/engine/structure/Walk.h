#pragma once

#include <qpdf/QPDFObjectHandle.hh>

#include <string>
#include <utility>
#include <vector>

// Bounded walks over the trees a document keeps beside its pages. A damaged or
// hostile tree (a loop, a chain thousands of levels deep) loses the part that
// lies beyond the bounds; the walk itself always ends.
namespace PDFEngine::Walk {

// Deeper than any tree a real producer writes; a walk stops descending here.
constexpr int maxDepth = 100;
// More entries than any real outline, form or name tree holds.
constexpr int maxNodes = 1'000'000;

// The entries of a name tree, in the order met: the key's bytes and its value.
std::vector<std::pair<std::string, QPDFObjectHandle>> nameTree(const QPDFObjectHandle& root);
// The entries of a number tree, sorted by key.
std::vector<std::pair<long long, QPDFObjectHandle>> numberTree(const QPDFObjectHandle& root);

// The text of a name or string key, without a name's leading slash.
std::string keyText(QPDFObjectHandle key);

} // namespace PDFEngine::Walk
