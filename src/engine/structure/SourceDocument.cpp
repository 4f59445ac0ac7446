#include "engine/structure/SourceDocument.h"

#include "engine/structure/Walk.h"

#include <qpdf/QPDF.hh>

#include <algorithm>
#include <set>

namespace PDFEngine {

namespace {

// Reads one level of an outline and, below the depth bound, the levels under it.
struct OutlineReader {
    const SourceDocument& source;
    std::set<QPDFObjGen> seen;
    int nodes = 0;

    std::vector<SourceBookmark> level(QPDFObjectHandle parent, int depth)
    {
        std::vector<SourceBookmark> entries;
        if (depth > Walk::maxDepth) {
            return entries;
        }
        for (QPDFObjectHandle item = parent.getKey("/First");
             item.isDictionary() && ++nodes < Walk::maxNodes; item = item.getKey("/Next")) {
            if (item.isIndirect() && !seen.insert(item.getObjGen()).second) {
                break; // a loop: what follows was read already
            }
            entries.push_back(entry(item, depth));
        }
        return entries;
    }

    SourceBookmark entry(QPDFObjectHandle item, int depth)
    {
        SourceBookmark bookmark;
        bookmark.item = item;
        QPDFObjectHandle count = item.getKey("/Count");
        bookmark.open = count.isInteger() && count.getIntValue() > 0;
        QPDFObjectHandle destination = item.getKey("/Dest");
        QPDFObjectHandle action = item.getKey("/A");
        if (destination.isNull() && action.isDictionary()) {
            if (action.getKey("/S").isNameAndEquals("/GoTo")) {
                destination = action.getKey("/D");
            } else {
                bookmark.otherAction = action;
            }
        }
        if (!destination.isNull()) {
            bookmark.target = source.resolve(destination);
        }
        bookmark.children = level(item, depth + 1);
        if (bookmark.target) {
            bookmark.firstPage = bookmark.lastPage = bookmark.target->page;
        }
        for (const SourceBookmark& child : bookmark.children) {
            bookmark.firstPage = std::min(bookmark.firstPage, child.firstPage);
            bookmark.lastPage = std::max(bookmark.lastPage, child.lastPage);
        }
        return bookmark;
    }
};

} // namespace

SourceDocument::SourceDocument(QPDF& pdf, QString displayName)
    : m_pdf(&pdf), m_displayName(std::move(displayName))
{
    readPages();
    QPDFObjectHandle root = pdf.getRoot();
    // Each part is read on its own: damage in one loses that part only.
    try {
        readNamedDestinations();
    } catch (const std::exception&) {
        m_named.clear();
    }
    try {
        readOutline();
    } catch (const std::exception&) {
        m_outline.clear();
    }
    try {
        m_labels = Walk::numberTree(root.getKey("/PageLabels"));
    } catch (const std::exception&) {
        m_labels.clear();
    }
    try {
        m_attachments = Walk::nameTree(root.getKey("/Names").getKey("/EmbeddedFiles"));
    } catch (const std::exception&) {
        m_attachments.clear();
    }
    m_form = std::make_unique<QPDFAcroFormDocumentHelper>(pdf);
    try {
        if (root.getKey("/AcroForm").getKey("/Fields").isArray()) {
            m_form->getFormFields(); // reads the field tree once, bounded by qpdf
        }
    } catch (const std::exception&) {
        // A field tree qpdf cannot follow: the merge copies annotations without the form.
    }
}

void SourceDocument::readPages()
{
    try {
        // A page copied alone would lose the box, rotation or resources it inherits.
        m_pdf->pushInheritedAttributesToPage();
    } catch (const std::exception&) {
        // A tree qpdf cannot flatten: the pages come with what they hold themselves.
    }
    m_pages = m_pdf->getAllPages();
    m_annots.resize(m_pages.size());
    for (size_t i = 0; i < m_pages.size(); ++i) {
        QPDFObjectHandle page = m_pages[i];
        m_pageIndex.emplace(page.getObjGen(), static_cast<int>(i));
        try {
            QPDFObjectHandle annots = page.getKey("/Annots");
            if (annots.isArray()) {
                for (QPDFObjectHandle annot : annots.aitems()) {
                    if (annot.isDictionary()) {
                        m_annots[i].push_back(
                            annot.isIndirect() ? annot : m_pdf->makeIndirectObject(annot));
                    }
                }
            }
        } catch (const std::exception&) {
            m_annots[i].clear();
        }
        page.removeKey("/Annots");
    }
}

void SourceDocument::readNamedDestinations()
{
    QPDFObjectHandle root = m_pdf->getRoot();
    auto add = [this](const std::string& name, QPDFObjectHandle value) {
        QPDFObjectHandle array = value.isDictionary() ? value.getKey("/D") : value;
        if (const std::optional<Target> target = explicitTarget(array)) {
            m_named.emplace(name, *target);
        }
    };
    QPDFObjectHandle dests = root.getKey("/Dests");
    if (dests.isDictionary()) {
        for (auto [key, value] : dests.ditems()) {
            add(key.substr(1), value);
        }
    }
    for (auto [name, value] : Walk::nameTree(root.getKey("/Names").getKey("/Dests"))) {
        add(name, value);
    }
}

void SourceDocument::readOutline()
{
    QPDFObjectHandle outlines = m_pdf->getRoot().getKey("/Outlines");
    if (outlines.isDictionary()) {
        OutlineReader reader{*this, {}, 0};
        m_outline = reader.level(outlines, 0);
    }
}

std::optional<Target> SourceDocument::explicitTarget(QPDFObjectHandle array) const
{
    if (!array.isArray() || array.getArrayNItems() == 0) {
        return std::nullopt;
    }
    QPDFObjectHandle page = array.getArrayItem(0);
    if (!page.isIndirect()) {
        return std::nullopt;
    }
    const auto found = m_pageIndex.find(page.getObjGen());
    if (found == m_pageIndex.end()) {
        return std::nullopt;
    }
    return Target{found->second, array};
}

std::optional<Target> SourceDocument::resolve(QPDFObjectHandle destination) const
{
    if (destination.isDictionary()) {
        return explicitTarget(destination.getKey("/D"));
    }
    if (destination.isName() || destination.isString()) {
        const auto found = m_named.find(Walk::keyText(destination));
        return found == m_named.end() ? std::nullopt : std::optional<Target>(found->second);
    }
    return explicitTarget(destination);
}

LinkUse SourceDocument::linkUse(QPDFObjectHandle annotation) const
{
    if (!annotation.getKey("/Subtype").isNameAndEquals("/Link")) {
        return {};
    }
    QPDFObjectHandle destination = annotation.getKey("/Dest");
    if (destination.isNull()) {
        QPDFObjectHandle action = annotation.getKey("/A");
        if (!action.isDictionary() || !action.getKey("/S").isNameAndEquals("/GoTo")) {
            return {};
        }
        destination = action.getKey("/D");
    }
    const std::optional<Target> target = resolve(destination);
    return LinkUse{true, target ? std::optional<int>(target->page) : std::nullopt};
}

} // namespace PDFEngine
