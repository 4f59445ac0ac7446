#include "engine/ocr/EarlierLayer.h"

#include "engine/ocr/LayerMark.h"
#include "engine/ocr/PageResources.h"

#include <qpdf/Buffer.hh>
#include <qpdf/Pl_Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFTokenizer.hh>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace PDFEngine::EarlierLayer {

namespace {

using LayerMark::Part;

std::set<std::string> layerNames(QPDFPageObjectHelper& page)
{
    std::set<std::string> names;
    QPDFObjectHandle resources = page.getAttribute("/Resources", false);
    QPDFObjectHandle xobjects = resources.isDictionary() ? resources.getKey("/XObject")
                                                         : QPDFObjectHandle::newNull();
    if (xobjects.isDictionary()) {
        for (auto [name, xobject] : xobjects.ditems()) {
            if (LayerMark::partOf(xobject) == Part::form) {
                names.insert(name);
            }
        }
    }
    return names;
}

// Passes content through without "/Name Do" for the given names.
class WithoutDrawing : public QPDFObjectHandle::TokenFilter {
public:
    explicit WithoutDrawing(std::set<std::string> names) : m_names(std::move(names)) {}

    void handleToken(const QPDFTokenizer::Token& token) override
    {
        const QPDFTokenizer::token_type_e type = token.getType();
        if (!m_held.empty() &&
            (type == QPDFTokenizer::tt_space || type == QPDFTokenizer::tt_comment)) {
            m_held.push_back(token);
            return;
        }
        if (!m_held.empty() && token.isWord("Do")) {
            m_held.clear();
            return;
        }
        flush();
        if (type == QPDFTokenizer::tt_name && m_names.count(token.getValue()) > 0) {
            m_held.push_back(token);
            return;
        }
        writeToken(token);
    }

    void handleEOF() override { flush(); }

private:
    void flush()
    {
        for (const QPDFTokenizer::Token& held : m_held) {
            writeToken(held);
        }
        m_held.clear();
    }

    std::set<std::string> m_names;
    std::vector<QPDFTokenizer::Token> m_held;
};

// The page's content without our two streams; false when they are not both there as streams of
// their own.
bool withoutOurStreams(QPDFPageObjectHelper& page)
{
    QPDFObjectHandle contents = page.getObjectHandle().getKey("/Contents");
    if (!contents.isArray()) {
        return false;
    }
    std::vector<QPDFObjectHandle> kept;
    int openings = 0;
    int placings = 0;
    for (const QPDFObjectHandle& item : contents.aitems()) {
        const Part part = LayerMark::partOf(item);
        openings += part == Part::opening ? 1 : 0;
        placings += part == Part::placing ? 1 : 0;
        if (part != Part::opening && part != Part::placing) {
            kept.push_back(item);
        }
    }
    if (openings == 0 || openings != placings) {
        return false;
    }
    page.getObjectHandle().replaceKey("/Contents", QPDFObjectHandle::newArray(kept));
    return true;
}

} // namespace

bool present(QPDFPageObjectHelper& page)
{
    return !layerNames(page).empty();
}

void remove(QPDFPageObjectHelper& page)
{
    const std::set<std::string> names = layerNames(page);
    if (!withoutOurStreams(page)) {
        WithoutDrawing filter(names);
        Pl_Buffer filtered("content without the layer");
        page.filterContents(&filter, &filtered);
        const std::unique_ptr<Buffer> data(filtered.getBuffer());
        page.getObjectHandle().replaceKey(
            "/Contents",
            page.getObjectHandle().getOwningQPDF()->newStream(
                std::string(reinterpret_cast<const char*>(data->getBuffer()), data->getSize())));
    }
    QPDFObjectHandle xobjects = PageResources::own(page).getKey("/XObject");
    for (const std::string& name : names) {
        xobjects.removeKey(name);
    }
}

} // namespace PDFEngine::EarlierLayer
