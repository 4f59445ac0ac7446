#pragma once

#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include <QString>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPDF;

namespace PDFEngine {

// Where a destination leads: a zero-based page of its document and the
// destination array that says how to show it (page first, then the view).
struct Target {
    int page = 0;
    QPDFObjectHandle view; // the explicit destination array
};

// One bookmark of an input, its target resolved to a page index.
struct SourceBookmark {
    QPDFObjectHandle item;        // the outline item, for its title, colour and style
    std::optional<Target> target; // none: no destination inside the document
    QPDFObjectHandle otherAction =
        QPDFObjectHandle::newNull(); // an action that leaves the document (URI, launch, ...)
    bool open = false;
    std::vector<SourceBookmark> children;
    // The lowest and highest page this entry and those below it lead to (none: last < first).
    int firstPage = std::numeric_limits<int>::max();
    int lastPage = -1;
};

// What a link annotation does with the pages of its document.
struct LinkUse {
    bool internal = false;   // false: not a link, or one that leaves the document
    std::optional<int> page; // internal: the page it opens; none when it points nowhere
};

// An opened input, read once for everything an output takes from it besides
// its pages: annotations, form, bookmarks, named destinations, page labels and
// attachments. Damaged parts are read as absent. The pages' annotation arrays
// are taken off the pages here, so that copying a page copies only the page
// and each output decides which annotations come with it.
class SourceDocument {
public:
    SourceDocument(QPDF& pdf, QString displayName);

    QPDF& pdf() const { return *m_pdf; }
    const QString& displayName() const { return m_displayName; }
    const std::vector<QPDFObjectHandle>& pages() const { return m_pages; }
    // The annotations of page index, indirect, streams and non-dictionaries left out.
    const std::vector<QPDFObjectHandle>& annotations(size_t page) const { return m_annots[page]; }
    QPDFAcroFormDocumentHelper& form() { return *m_form; }

    const std::vector<SourceBookmark>& outline() const { return m_outline; }
    const std::map<std::string, Target>& namedDestinations() const { return m_named; }
    // Label dictionaries by first page; empty when the document has none.
    const std::vector<std::pair<long long, QPDFObjectHandle>>& labels() const { return m_labels; }
    const std::vector<std::pair<std::string, QPDFObjectHandle>>& attachments() const
    {
        return m_attachments;
    }

    // A destination (array, name, string or dictionary with /D) resolved to a page.
    std::optional<Target> resolve(QPDFObjectHandle destination) const;
    LinkUse linkUse(QPDFObjectHandle annotation) const;

private:
    void readPages();
    void readNamedDestinations();
    void readOutline();
    std::optional<Target> explicitTarget(QPDFObjectHandle array) const;

    QPDF* m_pdf;
    QString m_displayName;
    std::vector<QPDFObjectHandle> m_pages;
    std::map<QPDFObjGen, int> m_pageIndex;
    std::vector<std::vector<QPDFObjectHandle>> m_annots;
    std::unique_ptr<QPDFAcroFormDocumentHelper> m_form;
    std::vector<SourceBookmark> m_outline;
    std::map<std::string, Target> m_named;
    std::vector<std::pair<long long, QPDFObjectHandle>> m_labels;
    std::vector<std::pair<std::string, QPDFObjectHandle>> m_attachments;
};

} // namespace PDFEngine
