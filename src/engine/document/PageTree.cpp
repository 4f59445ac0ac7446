#include "engine/document/PageTree.h"

#include "engine/document/PackedObjects.h"

#include <qpdf/QPDFObjectHandle.hh>

#include <set>

namespace PDFEngine {

namespace {

// Pages are told from nodes as qpdf tells them: a node has /Kids. Direct nodes cannot loop, and
// all share one object number, so only indirect ones are remembered.
bool firstVisit(const QPDFObjectHandle& node, std::set<QPDFObjGen>& visited)
{
    return !node.isIndirect() || visited.insert(node.getObjGen()).second;
}

std::optional<qint64> counted(QPDFObjectHandle node, std::set<QPDFObjGen>& visited,
                              PackedObjects* packed)
{
    QPDFObjectHandle kids = node.getKey("/Kids");
    if (!node.isDictionary() || !kids.isArray() || !firstVisit(node, visited)) {
        return std::nullopt;
    }
    qint64 pages = 0;
    for (const QPDFObjectHandle& kid : kids.aitems()) {
        const std::optional<QPDFObjectHandle> alone = packed ? packed->read(kid) : std::nullopt;
        QPDFObjectHandle seen = alone.value_or(kid);
        if (!seen.isDictionary()) {
            return std::nullopt;
        }
        if (!seen.hasKey("/Kids")) {
            ++pages;
            continue;
        }
        const std::optional<qint64> below = counted(kid, visited, packed);
        if (!below) {
            return std::nullopt;
        }
        pages += *below;
    }
    QPDFObjectHandle count = node.getKey("/Count");
    if (!count.isInteger() || count.getIntValue() != pages) {
        return std::nullopt;
    }
    return pages;
}

qint64 settled(QPDFObjectHandle node, std::set<QPDFObjGen>& visited)
{
    QPDFObjectHandle kids = node.getKey("/Kids");
    if (!node.isDictionary() || !kids.isArray() || !firstVisit(node, visited)) {
        return 0;
    }
    qint64 pages = 0;
    for (QPDFObjectHandle kid : kids.aitems()) {
        pages += kid.isDictionary() && kid.hasKey("/Kids") ? settled(kid, visited) : 1;
    }
    QPDFObjectHandle count = node.getKey("/Count");
    if (!count.isInteger() || count.getIntValue() != pages) {
        node.replaceKey("/Count", QPDFObjectHandle::newInteger(pages));
    }
    return pages;
}

} // namespace

std::optional<qint64> countedPages(const QPDFObjectHandle& node, PackedObjects* packed)
{
    std::set<QPDFObjGen> visited;
    return counted(node, visited, packed);
}

void settleCounts(const QPDFObjectHandle& node)
{
    std::set<QPDFObjGen> visited;
    settled(node, visited);
}

} // namespace PDFEngine
