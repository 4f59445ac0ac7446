#pragma once

#include "engine/structure/SourceDocument.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace PDFEngine {

// A new document built from pages of opened inputs, carrying with each input's
// pages what belongs to them: their annotations, the form fields of their
// widgets (renamed where two inputs share a name), bookmarks, named
// destinations, page labels and the input's attachments. Nothing leads to a
// page that is not in the output: links to such pages are dropped, bookmarks
// to them keep only their titles when they hold kept entries, and copies never
// reach past the copied pages. A page placed twice is a copy of its own each
// time, its fields renamed as another input's would be; what leads to the page
// leads to its first copy.
class Assembly {
public:
    enum class Bookmarks { asIs, underInputName };

    explicit Assembly(Bookmarks bookmarks);

    // Appends the pages of source at the zero-based indices, in that order, and carries what
    // belongs to them. copied hears of each page copied, of the indices given.
    void add(SourceDocument& source, const std::vector<int>& indices,
             const std::function<void(qint64 done, qint64 total)>& copied = {});
    // Appends page index of source turned by quarterTurns clockwise (the content stays as it
    // is; only its rotation changes), for documents whose inputs take turns. Throws
    // std::out_of_range for a page source does not have.
    void place(SourceDocument& source, int index, int quarterTurns = 0);
    // Brings what belongs to the pages of source placed since its last carry. The first source
    // carried also gives the document information and viewer settings.
    void carry(SourceDocument& source);
    // Finishes the document-level parts; the output is then ready to write.
    QPDF& finish();
    qint64 pageCount() const { return m_pageCount; }

    // One bookmark of the output, before it is linked into the outline.
    struct Bookmark {
        QPDFObjectHandle title = QPDFObjectHandle::newNull();
        QPDFObjectHandle destination = QPDFObjectHandle::newNull(); // null: a title only
        QPDFObjectHandle action = QPDFObjectHandle::newNull(); // or an action leaving the document
        QPDFObjectHandle colour = QPDFObjectHandle::newNull();
        QPDFObjectHandle style = QPDFObjectHandle::newNull();
        bool open = false;
        std::vector<Bookmark> children;
    };

private:
    // One page copy of a source in this output.
    struct Placed {
        int page = 0;           // its index in the source
        long long position = 0; // its index in the output
        QPDFObjectHandle copy;
        int instance = 0; // 0: the page's first copy, 1: its second, ...
    };
    // One source's pages in this output.
    struct Added {
        std::vector<std::vector<QPDFObjectHandle>> copies; // per source page, first placed first
        std::vector<Placed> order;                         // in output order
        std::map<std::string, std::string> names; // named destinations, source to output name
        bool whole = false;                       // every page of the source is here
        int lowest = 0, highest = -1;             // the lowest and highest source page here

        bool kept(int page) const
        {
            return page >= 0 && static_cast<size_t>(page) < copies.size() &&
                   !copies[static_cast<size_t>(page)].empty();
        }
        QPDFObjectHandle first(int page) const { return copies[static_cast<size_t>(page)].front(); }
    };

    void copyAnnotations(SourceDocument& source, Added& added);
    void copyAnnotations(SourceDocument& source, const Added& added,
                         const std::vector<const Placed*>& pages, bool again);
    void copyNamedDestinations(const SourceDocument& source, Added& added);
    void copyLabels(const SourceDocument& source, const Added& added);
    void copyAttachments(SourceDocument& source);
    void copyDocumentSettings(SourceDocument& source);
    std::vector<Bookmark> bookmarks(const SourceDocument& source,
                                    const std::vector<SourceBookmark>& entries, const Added& added);
    QPDFObjectHandle view(const Target& target, const Added& added) const;
    void renameLinkDestinations(const std::vector<QPDFObjectHandle>& annots,
                                const Added& added) const;
    void pruneFields();

    Bookmarks m_bookmarkStyle;
    QPDF m_pdf;
    std::unique_ptr<QPDFAcroFormDocumentHelper> m_form; // made once the document exists
    qint64 m_pageCount = 0;
    bool m_first = true;
    bool m_anyLabels = false;
    std::vector<Bookmark> m_outline;
    std::map<std::string, QPDFObjectHandle> m_destinations;
    std::map<std::string, QPDFObjectHandle> m_attachments;
    std::vector<std::pair<long long, QPDFObjectHandle>> m_labels;
    std::set<QPDFObjGen> m_placedAnnotations;
    std::set<QPDFObjGen> m_placedPages;
    std::map<const SourceDocument*, Added> m_pending; // placed, not yet carried
};

} // namespace PDFEngine
