#include "engine/structure/Walk.h"

#include <algorithm>
#include <functional>
#include <set>

namespace PDFEngine::Walk {

namespace {

// Calls visit with each key and value of the leaves' `leafKey` arrays.
void walkTree(QPDFObjectHandle root, const char* leafKey,
              const std::function<void(const QPDFObjectHandle&, const QPDFObjectHandle&)>& visit)
{
    std::vector<std::pair<QPDFObjectHandle, int>> pending{{root, 0}};
    std::set<QPDFObjGen> seen;
    int nodes = 0;
    while (!pending.empty() && nodes < maxNodes) {
        auto [node, depth] = pending.back();
        pending.pop_back();
        ++nodes;
        if (!node.isDictionary() || depth > maxDepth ||
            (node.isIndirect() && !seen.insert(node.getObjGen()).second)) {
            continue;
        }
        QPDFObjectHandle leaves = node.getKey(leafKey);
        if (leaves.isArray()) {
            const int count = leaves.getArrayNItems();
            for (int i = 0; i + 1 < count; i += 2) {
                visit(leaves.getArrayItem(i), leaves.getArrayItem(i + 1));
            }
        }
        QPDFObjectHandle kids = node.getKey("/Kids");
        if (kids.isArray()) {
            // Pushed in reverse so that entries come out in tree order.
            for (int i = kids.getArrayNItems() - 1; i >= 0; --i) {
                pending.emplace_back(kids.getArrayItem(i), depth + 1);
            }
        }
    }
}

} // namespace

std::string keyText(QPDFObjectHandle key)
{
    if (key.isString()) {
        return key.getStringValue();
    }
    if (key.isName()) {
        return key.getName().substr(1);
    }
    return {};
}

std::vector<std::pair<std::string, QPDFObjectHandle>> nameTree(const QPDFObjectHandle& root)
{
    std::vector<std::pair<std::string, QPDFObjectHandle>> entries;
    walkTree(root, "/Names", [&entries](QPDFObjectHandle key, const QPDFObjectHandle& value) {
        if (key.isString()) {
            entries.emplace_back(key.getStringValue(), value);
        }
    });
    return entries;
}

std::vector<std::pair<long long, QPDFObjectHandle>> numberTree(const QPDFObjectHandle& root)
{
    std::vector<std::pair<long long, QPDFObjectHandle>> entries;
    walkTree(root, "/Nums", [&entries](QPDFObjectHandle key, const QPDFObjectHandle& value) {
        if (key.isInteger()) {
            entries.emplace_back(key.getIntValue(), value);
        }
    });
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return entries;
}

} // namespace PDFEngine::Walk
