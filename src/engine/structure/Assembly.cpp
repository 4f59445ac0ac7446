#include "engine/structure/Assembly.h"

#include "engine/structure/Rotation.h"
#include "engine/structure/Walk.h"

#include <qpdf/QPDFMatrix.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace PDFEngine {

namespace {

// A scalar of another document as a new object of its own: values taken over
// from an input must not be shared between documents.
QPDFObjectHandle fresh(QPDFObjectHandle value)
{
    if (value.isString()) {
        return QPDFObjectHandle::newString(value.getStringValue());
    }
    if (value.isName()) {
        return QPDFObjectHandle::newName(value.getName());
    }
    if (value.isInteger()) {
        return QPDFObjectHandle::newInteger(value.getIntValue());
    }
    if (value.isReal()) {
        return QPDFObjectHandle::newReal(value.getRealValue());
    }
    if (value.isBool()) {
        return QPDFObjectHandle::newBool(value.getBoolValue());
    }
    return QPDFObjectHandle::newNull();
}

QPDFObjectHandle freshArray(QPDFObjectHandle array)
{
    std::vector<QPDFObjectHandle> items;
    if (array.isArray()) {
        for (const QPDFObjectHandle& item : array.aitems()) {
            items.push_back(fresh(item));
        }
    }
    return QPDFObjectHandle::newArray(items);
}

// name, or name followed by suffix(n) for the first n >= 2 that taken does not hold.
template <typename Taken, typename Suffix>
std::string unique(const std::string& name, Taken&& taken, Suffix&& suffix)
{
    std::string candidate = name;
    for (int n = 2; taken(candidate); ++n) {
        candidate = name + suffix(n);
    }
    return candidate;
}

// A page label dictionary starting offset pages into the range of entry.
QPDFObjectHandle labelFrom(QPDFObjectHandle entry, long long offset)
{
    QPDFObjectHandle label = QPDFObjectHandle::newDictionary();
    long long start = 1;
    if (entry.isDictionary()) {
        if (entry.getKey("/S").isName()) {
            label.replaceKey("/S", fresh(entry.getKey("/S")));
        }
        if (entry.getKey("/P").isString()) {
            label.replaceKey("/P", fresh(entry.getKey("/P")));
        }
        if (entry.getKey("/St").isInteger()) {
            start = entry.getKey("/St").getIntValue();
        }
    }
    if (start + offset != 1) {
        label.replaceKey("/St", QPDFObjectHandle::newInteger(start + offset));
    }
    return label;
}

// Links the bookmarks under parent; returns how many entries show below parent when open.
long long link(QPDF& pdf, const std::vector<Assembly::Bookmark>& bookmarks, QPDFObjectHandle parent)
{
    long long visible = 0;
    QPDFObjectHandle previous;
    for (const Assembly::Bookmark& bookmark : bookmarks) {
        QPDFObjectHandle item = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
        item.replaceKey("/Title", bookmark.title);
        item.replaceKey("/Parent", parent);
        for (auto [key, value] :
             {std::pair{"/Dest", bookmark.destination}, std::pair{"/A", bookmark.action},
              std::pair{"/C", bookmark.colour}, std::pair{"/F", bookmark.style}}) {
            if (!value.isNull()) {
                item.replaceKey(key, value);
            }
        }
        if (previous.isInitialized()) {
            item.replaceKey("/Prev", previous);
            previous.replaceKey("/Next", item);
        } else {
            parent.replaceKey("/First", item);
        }
        parent.replaceKey("/Last", item);
        previous = item;
        ++visible;
        if (!bookmark.children.empty()) {
            const long long below = link(pdf, bookmark.children, item);
            item.replaceKey("/Count", QPDFObjectHandle::newInteger(bookmark.open ? below : -below));
            visible += bookmark.open ? below : 0;
        }
    }
    return visible;
}

// A flat name tree of entries already in key order.
QPDFObjectHandle nameTree(const std::map<std::string, QPDFObjectHandle>& entries)
{
    std::vector<QPDFObjectHandle> names;
    for (auto [key, value] : entries) {
        names.push_back(QPDFObjectHandle::newString(key));
        names.push_back(value);
    }
    QPDFObjectHandle tree = QPDFObjectHandle::newDictionary();
    tree.replaceKey("/Names", QPDFObjectHandle::newArray(names));
    return tree;
}

} // namespace

Assembly::Assembly(Bookmarks bookmarks) : m_bookmarkStyle(bookmarks)
{
    m_pdf.emptyPDF();
    m_pdf.setSuppressWarnings(true);
    m_form = std::make_unique<QPDFAcroFormDocumentHelper>(m_pdf);
}

void Assembly::add(SourceDocument& source, const std::vector<int>& indices,
                   const std::function<void(qint64, qint64)>& copied)
{
    qint64 done = 0;
    for (int index : indices) {
        if (index < 0 || static_cast<size_t>(index) >= source.pages().size()) {
            continue;
        }
        place(source, index);
        if (copied) {
            copied(++done, qint64(indices.size()));
        }
    }
    carry(source);
}

void Assembly::place(SourceDocument& source, int index, int quarterTurns)
{
    QPDFObjectHandle original = source.pages().at(static_cast<size_t>(index));
    QPDFObjectHandle copy = m_pdf.copyForeignObject(original);
    if (!m_placedPages.insert(copy.getObjGen()).second) {
        // Copying again gives the first copy back: a page of its own shares its contents.
        copy = m_pdf.makeIndirectObject(copy.shallowCopy());
        copy.removeKey("/Annots");
        m_placedPages.insert(copy.getObjGen());
    }
    m_pdf.addPage(copy, false);
    if (quarterTurns % 4 != 0) {
        Rotation::turn(copy, original, quarterTurns);
    }
    Added& added = m_pending[&source];
    added.copies.resize(source.pages().size());
    std::vector<QPDFObjectHandle>& copies = added.copies[static_cast<size_t>(index)];
    added.order.push_back(Placed{index, m_pageCount++, copy, static_cast<int>(copies.size())});
    copies.push_back(copy);
}

void Assembly::carry(SourceDocument& source)
{
    // Each part is carried on its own: damage in one loses that part only.
    auto carry = [](auto&& step) {
        try {
            step();
        } catch (const std::exception&) {
        }
    };
    if (m_first) {
        m_first = false;
        carry([&] { copyDocumentSettings(source); });
    }
    const auto pending = m_pending.find(&source);
    if (pending == m_pending.end()) {
        return;
    }
    Added added = std::move(pending->second);
    m_pending.erase(pending);
    added.whole = std::all_of(added.copies.begin(), added.copies.end(),
                              [](const auto& copies) { return !copies.empty(); });
    const auto [lowest, highest] =
        std::minmax_element(added.order.begin(), added.order.end(),
                            [](const Placed& a, const Placed& b) { return a.page < b.page; });
    added.lowest = lowest->page;
    added.highest = highest->page;
    carry([&] { copyNamedDestinations(source, added); });
    carry([&] { copyAnnotations(source, added); });
    carry([&] { copyLabels(source, added); });
    carry([&] { copyAttachments(source); });
    carry([&] {
        std::vector<Bookmark> entries = bookmarks(source, source.outline(), added);
        if (m_bookmarkStyle == Bookmarks::asIs) {
            std::move(entries.begin(), entries.end(), std::back_inserter(m_outline));
            return;
        }
        // A title for the input as the user saw it listed, opening its first page.
        Bookmark top;
        top.title = QPDFObjectHandle::newUnicodeString(source.displayName().toStdString());
        top.destination = QPDFObjectHandle::newArray(
            {added.order.front().copy, QPDFObjectHandle::newName("/Fit")});
        top.open = true;
        top.children = std::move(entries);
        m_outline.push_back(std::move(top));
    });
}

void Assembly::copyDocumentSettings(SourceDocument& source)
{
    // Only the text entries: a damaged /Info may point anywhere, even at the page tree.
    QPDFObjectHandle info = source.pdf().getTrailer().getKey("/Info");
    if (info.isDictionary()) {
        QPDFObjectHandle copy = m_pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
        for (auto [key, value] : info.ditems()) {
            if (value.isString() || value.isName()) {
                copy.replaceKey(key, fresh(value));
            }
        }
        m_pdf.getTrailer().replaceKey("/Info", copy);
    }
    QPDFObjectHandle root = source.pdf().getRoot();
    if (root.getKey("/Lang").isString()) {
        m_pdf.getRoot().replaceKey("/Lang", fresh(root.getKey("/Lang")));
    }
    for (const char* key : {"/PageMode", "/PageLayout"}) {
        if (root.getKey(key).isName()) {
            m_pdf.getRoot().replaceKey(key, fresh(root.getKey(key)));
        }
    }
    // Document-wide settings that refer to no page, so copying them brings none along.
    for (const char* key : {"/ViewerPreferences", "/MarkInfo", "/OCProperties", "/Metadata"}) {
        QPDFObjectHandle value = root.getKey(key);
        if (value.isDictionary() || value.isStream()) {
            m_pdf.getRoot().replaceKey(key, m_pdf.copyForeignObject(
                                                value.isIndirect()
                                                    ? value
                                                    : source.pdf().makeIndirectObject(value)));
        }
    }
}

void Assembly::copyNamedDestinations(const SourceDocument& source, Added& added)
{
    for (auto [name, target] : source.namedDestinations()) {
        if (!added.kept(target.page)) {
            continue;
        }
        const std::string outputName = unique(
            name, [this](const std::string& n) { return m_destinations.count(n) > 0; },
            [](int n) { return "-" + std::to_string(n); });
        m_destinations.emplace(outputName, view(target, added));
        added.names.emplace(name, outputName);
    }
}

QPDFObjectHandle Assembly::view(const Target& target, const Added& added) const
{
    QPDFObjectHandle array = freshArray(target.view);
    array.setArrayItem(0, added.first(target.page));
    return array;
}

void Assembly::copyAnnotations(SourceDocument& source, Added& added)
{
    // The second copies of pages get annotations and fields of their own, as a second input would.
    for (int instance = 0;; ++instance) {
        std::vector<const Placed*> pages;
        for (const Placed& placed : added.order) {
            if (placed.instance == instance) {
                pages.push_back(&placed);
            }
        }
        if (pages.empty()) {
            return;
        }
        copyAnnotations(source, added, pages, instance > 0);
    }
}

void Assembly::copyAnnotations(SourceDocument& source, const Added& added,
                               const std::vector<const Placed*>& pages, bool again)
{
    std::vector<QPDFObjectHandle> chosen;
    std::vector<size_t> perPage;
    for (const Placed* placed : pages) {
        size_t taken = 0;
        for (const QPDFObjectHandle& annot :
             source.annotations(static_cast<size_t>(placed->page))) {
            const LinkUse use = source.linkUse(annot);
            if (use.internal && !(use.page && added.kept(*use.page))) {
                continue; // it would lead nowhere, or back to a page left out
            }
            chosen.push_back(annot);
            ++taken;
        }
        perPage.push_back(taken);
    }
    if (chosen.empty()) {
        return;
    }
    std::vector<QPDFObjectHandle> copies;
    try {
        // All pages of one input at once, so that a field with widgets on
        // several pages stays one field.
        std::vector<QPDFObjectHandle> fields;
        std::set<QPDFObjGen> unused;
        m_form->transformAnnotations(QPDFObjectHandle::newArray(chosen), copies, fields, unused,
                                     QPDFMatrix(), &source.pdf(), &source.form());
        if (copies.size() != chosen.size()) {
            throw std::logic_error("annotations lost");
        }
        m_form->addAndRenameFormFields(fields);
    } catch (const std::exception&) {
        // A form qpdf cannot follow: the annotations come as they are, without the form.
        copies.clear();
        for (const QPDFObjectHandle& annot : chosen) {
            QPDFObjectHandle copy = m_pdf.copyForeignObject(annot);
            copies.push_back(again ? m_pdf.makeIndirectObject(copy.shallowCopy()) : copy);
        }
    }
    renameLinkDestinations(copies, added);
    auto next = copies.begin();
    for (size_t i = 0; i < pages.size(); ++i) {
        if (perPage[i] == 0) {
            continue;
        }
        const std::vector<QPDFObjectHandle> mine(next, next + static_cast<long>(perPage[i]));
        next += static_cast<long>(perPage[i]);
        for (QPDFObjectHandle annot : mine) {
            m_placedAnnotations.insert(annot.getObjGen());
            if (again && annot.hasKey("/P")) {
                annot.replaceKey("/P", pages[i]->copy);
            }
        }
        QPDFObjectHandle(pages[i]->copy).replaceKey("/Annots", QPDFObjectHandle::newArray(mine));
    }
}

// Links that open a named destination use its name in this output.
void Assembly::renameLinkDestinations(const std::vector<QPDFObjectHandle>& annots,
                                      const Added& added) const
{
    auto renamed = [&added](const QPDFObjectHandle& name) {
        const auto found = added.names.find(Walk::keyText(name));
        return QPDFObjectHandle::newString(found == added.names.end() ? Walk::keyText(name)
                                                                      : found->second);
    };
    for (QPDFObjectHandle annot : annots) {
        if (!annot.getKey("/Subtype").isNameAndEquals("/Link")) {
            continue;
        }
        QPDFObjectHandle dest = annot.getKey("/Dest");
        if (dest.isName() || dest.isString()) {
            annot.replaceKey("/Dest", renamed(dest));
        }
        QPDFObjectHandle action = annot.getKey("/A");
        if (action.isDictionary() &&
            (action.getKey("/D").isName() || action.getKey("/D").isString())) {
            QPDFObjectHandle own = action.shallowCopy();
            own.replaceKey("/D", renamed(action.getKey("/D")));
            annot.replaceKey("/A", own);
        }
    }
}

void Assembly::copyLabels(const SourceDocument& source, const Added& added)
{
    std::vector<std::pair<long long, QPDFObjectHandle>> entries = source.labels();
    m_anyLabels = m_anyLabels || !entries.empty();
    if (entries.empty() || entries.front().first > 0) {
        // Pages without a label of their own count in decimal from the input's first page.
        entries.insert(entries.begin(), {0, QPDFObjectHandle::parse("<< /S /D >>")});
    }
    // A run of consecutive source pages at consecutive positions keeps one label range.
    size_t run = 0;
    while (run < added.order.size()) {
        size_t end = run;
        while (end + 1 < added.order.size() &&
               added.order[end + 1].page == added.order[end].page + 1 &&
               added.order[end + 1].position == added.order[end].position + 1) {
            ++end;
        }
        const long long first = added.order[run].page;
        const long long last = added.order[end].page;
        const long long at = added.order[run].position;
        auto current = entries.begin();
        for (auto e = entries.begin(); e != entries.end() && e->first <= first; ++e) {
            current = e;
        }
        m_labels.emplace_back(at, labelFrom(current->second, first - current->first));
        for (auto [start, entry] : entries) {
            if (start > first && start <= last) {
                m_labels.emplace_back(at + start - first, labelFrom(entry, 0));
            }
        }
        run = end + 1;
    }
}

void Assembly::copyAttachments(SourceDocument& source)
{
    for (auto [key, spec] : source.attachments()) {
        const std::string name = QPDFObjectHandle::newString(key).getUTF8Value();
        auto encoded = [](const std::string& text) {
            return QPDFObjectHandle::newUnicodeString(text).getStringValue();
        };
        // A number goes before the extension: "notlar (2).txt".
        const size_t dot = name.rfind('.');
        const size_t cut = dot == std::string::npos || dot == 0 ? name.size() : dot;
        std::string outputName = name;
        for (int n = 2; m_attachments.count(encoded(outputName)) > 0; ++n) {
            outputName = name.substr(0, cut) + " (" + std::to_string(n) + ")" + name.substr(cut);
        }
        QPDFObjectHandle own = spec.isIndirect() ? spec : source.pdf().makeIndirectObject(spec);
        m_attachments.emplace(encoded(outputName), m_pdf.copyForeignObject(own));
    }
}

std::vector<Assembly::Bookmark> Assembly::bookmarks(const SourceDocument& source,
                                                    const std::vector<SourceBookmark>& entries,
                                                    const Added& added)
{
    std::vector<Bookmark> kept;
    for (const SourceBookmark& entry : entries) {
        // A split walks the outline once per part: entries that lead only
        // outside the part's pages are passed over whole.
        if (!added.whole && (entry.lastPage < added.lowest || entry.firstPage > added.highest)) {
            continue;
        }
        Bookmark bookmark;
        bookmark.children = bookmarks(source, entry.children, added);
        const bool targetKept = entry.target && added.kept(entry.target->page);
        // A title whose pages are gone stays only as the heading of entries still here.
        if (!targetKept && bookmark.children.empty() && !added.whole) {
            continue;
        }
        QPDFObjectHandle item = entry.item;
        QPDFObjectHandle title = item.getKey("/Title");
        bookmark.title = title.isString() ? fresh(title) : QPDFObjectHandle::newString("");
        if (targetKept) {
            bookmark.destination = view(*entry.target, added);
        } else if (QPDFObjectHandle action = entry.otherAction;
                   added.whole && action.isDictionary()) {
            bookmark.action = m_pdf.copyForeignObject(
                action.isIndirect() ? action : source.pdf().makeIndirectObject(action));
        }
        if (item.getKey("/C").isArray()) {
            bookmark.colour = freshArray(item.getKey("/C"));
        }
        bookmark.style = fresh(item.getKey("/F"));
        bookmark.open = entry.open;
        kept.push_back(std::move(bookmark));
    }
    return kept;
}

void Assembly::pruneFields()
{
    QPDFObjectHandle form = m_pdf.getRoot().getKey("/AcroForm");
    if (!form.isDictionary() || !form.getKey("/Fields").isArray()) {
        return;
    }
    std::set<QPDFObjGen> seen;
    // A field stays when one of its widgets is on a page of the output.
    std::function<bool(QPDFObjectHandle, int)> keep = [&](QPDFObjectHandle field, int depth) {
        if (!field.isDictionary() || depth > Walk::maxDepth ||
            (field.isIndirect() && !seen.insert(field.getObjGen()).second)) {
            return false;
        }
        const bool placed = m_placedAnnotations.count(field.getObjGen()) > 0;
        QPDFObjectHandle kids = field.getKey("/Kids");
        if (!kids.isArray()) {
            return placed || !field.getKey("/Subtype").isNameAndEquals("/Widget");
        }
        std::vector<QPDFObjectHandle> staying;
        for (const QPDFObjectHandle& kid : kids.aitems()) {
            if (keep(kid, depth + 1)) {
                staying.push_back(kid);
            }
        }
        field.replaceKey("/Kids", QPDFObjectHandle::newArray(staying));
        return placed || !staying.empty();
    };
    std::vector<QPDFObjectHandle> fields;
    for (const QPDFObjectHandle& field : form.getKey("/Fields").aitems()) {
        if (keep(field, 0)) {
            fields.push_back(field);
        }
    }
    if (fields.empty()) {
        m_pdf.getRoot().removeKey("/AcroForm");
    } else {
        form.replaceKey("/Fields", QPDFObjectHandle::newArray(fields));
    }
}

QPDF& Assembly::finish()
{
    QPDFObjectHandle root = m_pdf.getRoot();
    if (!m_outline.empty()) {
        QPDFObjectHandle outlines =
            m_pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Outlines >>"));
        const long long visible = link(m_pdf, m_outline, outlines);
        outlines.replaceKey("/Count", QPDFObjectHandle::newInteger(visible));
        root.replaceKey("/Outlines", outlines);
    }
    if (!m_destinations.empty() || !m_attachments.empty()) {
        QPDFObjectHandle names = QPDFObjectHandle::newDictionary();
        if (!m_destinations.empty()) {
            names.replaceKey("/Dests", m_pdf.makeIndirectObject(nameTree(m_destinations)));
        }
        if (!m_attachments.empty()) {
            names.replaceKey("/EmbeddedFiles", m_pdf.makeIndirectObject(nameTree(m_attachments)));
        }
        root.replaceKey("/Names", names);
    }
    if (m_anyLabels) {
        // Inputs that take turns add their ranges out of page order.
        std::stable_sort(m_labels.begin(), m_labels.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<QPDFObjectHandle> numbers;
        for (auto [at, label] : m_labels) {
            numbers.push_back(QPDFObjectHandle::newInteger(at));
            numbers.push_back(label);
        }
        QPDFObjectHandle labels = QPDFObjectHandle::newDictionary();
        labels.replaceKey("/Nums", QPDFObjectHandle::newArray(numbers));
        root.replaceKey("/PageLabels", labels);
    }
    try {
        pruneFields();
    } catch (const std::exception&) {
        root.removeKey("/AcroForm");
    }
    return m_pdf;
}

} // namespace PDFEngine
