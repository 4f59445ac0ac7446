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
// reach past the copied pages.
class Assembly {
public:
    enum class Bookmarks { asIs, underInputName };

    explicit Assembly(Bookmarks bookmarks);

    // Appends the pages of source at the zero-based indices, in that order. The
    // first source added also gives the document information and viewer settings. copied
    // hears of each page copied, of the indices given.
    void add(SourceDocument& source, const std::vector<int>& indices,
             const std::function<void(qint64 done, qint64 total)>& copied = {});
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
    struct Added; // one source's pages in this output

    void copyAnnotations(SourceDocument& source, Added& added);
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
};

} // namespace PDFEngine
