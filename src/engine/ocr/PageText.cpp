#include "engine/ocr/PageText.h"

#include "engine/ocr/LayerMark.h"
#include "engine/structure/Walk.h"

#include <algorithm>
#include <set>

namespace PDFEngine::PageText {

namespace {

bool nonEmptyString(QPDFObjectHandle operand)
{
    return operand.isString() && !operand.getStringValue().empty();
}

bool showsText(const std::string& op, QPDFObjectHandle operand)
{
    if (op == "Tj" || op == "'" || op == "\"") {
        return nonEmptyString(operand);
    }
    if (op == "TJ" && operand.isArray()) {
        for (const QPDFObjectHandle& item : operand.aitems()) {
            if (nonEmptyString(item)) {
                return true;
            }
        }
    }
    return false;
}

// What the walk over one page shares between the streams it reads.
struct Walk {
    std::set<QPDFObjGen> forms; // each form is read once: a loop of forms ends
    bool text = false;
};

// Reads one content stream (or array of them) drawn with resources; nested forms are read with
// their own resources, or these when they have none.
class Reader : public QPDFObjectHandle::ParserCallbacks {
public:
    Reader(Walk& walk, QPDFObjectHandle resources, int depth)
        : m_walk(walk), m_resources(std::move(resources)), m_depth(depth)
    {
    }

    int openSaves() const { return m_saves; }

    void handleObject(QPDFObjectHandle object) override
    {
        if (!object.isOperator()) {
            m_operand = object;
            return;
        }
        const std::string op = object.getOperatorValue();
        if (op == "q") {
            ++m_saves;
        } else if (op == "Q") {
            m_saves = std::max(0, m_saves - 1);
        } else if (op == "Do") {
            drawn(m_operand);
        } else if (showsText(op, m_operand)) {
            m_walk.text = true;
        }
        m_operand = QPDFObjectHandle();
        if (m_walk.text) {
            terminateParsing();
        }
    }

    void handleEOF() override {}

private:
    void drawn(QPDFObjectHandle name)
    {
        if (!name.isName() || !m_resources.isDictionary() || m_depth >= PDFEngine::Walk::maxDepth) {
            return;
        }
        QPDFObjectHandle xobjects = m_resources.getKey("/XObject");
        QPDFObjectHandle form = xobjects.isDictionary() ? xobjects.getKey(name.getName())
                                                        : QPDFObjectHandle::newNull();
        if (!form.isStream() || !form.getDict().getKey("/Subtype").isNameAndEquals("/Form") ||
            LayerMark::partOf(form) == LayerMark::Part::form ||
            !m_walk.forms.insert(form.getObjGen()).second) {
            return;
        }
        QPDFObjectHandle own = form.getDict().getKey("/Resources");
        Reader inner(m_walk, own.isDictionary() ? own : m_resources, m_depth + 1);
        try {
            QPDFObjectHandle::parseContentStream(form, &inner);
        } catch (const std::exception&) {
            // An unreadable form shows what was read of it.
        }
    }

    Walk& m_walk;
    QPDFObjectHandle m_resources;
    int m_depth = 0;
    QPDFObjectHandle m_operand;
    int m_saves = 0;
};

} // namespace

Scan scan(QPDFPageObjectHelper& page)
{
    Walk walk;
    Reader reader(walk, page.getAttribute("/Resources", false), 0);
    try {
        page.parseContents(&reader);
    } catch (const std::exception&) {
        // As far as it could be read.
    }
    return Scan{walk.text, reader.openSaves()};
}

} // namespace PDFEngine::PageText
