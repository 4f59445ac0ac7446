#include "engine/compress/fonts/ShownText.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <vector>

namespace ShownText {

namespace {

// Forms nested deeper than this are not walked, and then no font is changed.
constexpr int maxDepth = 32;
// Each form is walked once per font in force where it is drawn; past this many
// content streams in all, no font is changed either.
constexpr size_t maxWalks = 200'000;

// A resource dictionary with the indirect object that holds it, so that the
// place of each font reference in it can be named.
struct Scope {
    QPDFObjectHandle resources;
    QPDFObjGen owner;
};

class Walker {
public:
    Found& found() { return m_found; }

    void page(QPDFPageObjectHelper& page)
    {
        QPDFObjectHandle holder = page.getObjectHandle();
        std::set<QPDFObjGen> seen;
        // Resources may be inherited from the page tree: the node that has them owns them.
        while (!holder.getKey("/Resources").isDictionary() &&
               holder.getKey("/Parent").isDictionary() && seen.insert(holder.getObjGen()).second) {
            holder = holder.getKey("/Parent");
        }
        const Scope scope{holder.getKey("/Resources"), holder.getObjGen()};
        content(page.getObjectHandle().getKey("/Contents"), scope, QPDFObjectHandle(), 0);
        QPDFObjectHandle annots = page.getObjectHandle().getKey("/Annots");
        if (annots.isArray()) {
            for (QPDFObjectHandle& annot : annots.aitems()) {
                appearances(annot, scope);
            }
        }
    }

    // Draws a content stream (or array of them) in a scope with a font in force.
    void content(QPDFObjectHandle contents, const Scope& scope, const QPDFObjectHandle& font,
                 int depth);

    void form(QPDFObjectHandle stream, const Scope& outer, const QPDFObjectHandle& font, int depth)
    {
        if (!stream.isStream()) {
            return;
        }
        if (depth > maxDepth) {
            m_found.unattributed = true; // text too deep to walk may use any font
            return;
        }
        const QPDFObjGen fontId = font.isInitialized() ? font.getObjGen() : QPDFObjGen();
        if (!m_formsDone.insert({stream.getObjGen(), fontId}).second) {
            return;
        }
        QPDFObjectHandle resources = stream.getDict().getKey("/Resources");
        const Scope scope = resources.isDictionary() ? Scope{resources, stream.getObjGen()} : outer;
        content(stream, scope, font, depth + 1);
    }

    void sideContent(const Scope& scope, int depth)
    {
        QPDFObjectHandle res = scope.resources;
        if (!res.isDictionary() ||
            (res.isIndirect() && !m_resourcesDone.insert(res.getObjGen()).second)) {
            return;
        }
        forEachValue(res.getKey("/Pattern"), [&](const QPDFObjectHandle& p) {
            form(p, scope, QPDFObjectHandle(), depth); // shadings are no streams
        });
        forEachValue(res.getKey("/ExtGState"), [&](QPDFObjectHandle gs) {
            if (gs.isDictionary() && gs.getKey("/SMask").isDictionary()) {
                form(gs.getKey("/SMask").getKey("/G"), scope, QPDFObjectHandle(), depth);
            }
        });
    }

    void type3(QPDFObjectHandle font, const Scope& outer, int depth)
    {
        if (!m_type3Done.insert(font.getObjGen()).second) {
            return;
        }
        QPDFObjectHandle resources = font.getKey("/Resources");
        const Scope scope = resources.isDictionary() ? Scope{resources, font.getObjGen()} : outer;
        forEachValue(font.getKey("/CharProcs"), [&](QPDFObjectHandle proc) {
            if (proc.isStream()) {
                content(proc, scope, QPDFObjectHandle(), depth + 1);
            }
        });
    }

    // Records the font a name selects and where its reference sits.
    QPDFObjectHandle selectFont(const Scope& scope, const std::string& name)
    {
        QPDFObjectHandle resources = scope.resources;
        QPDFObjectHandle fonts = resources.isDictionary() ? resources.getKey("/Font")
                                                          : QPDFObjectHandle::newNull();
        QPDFObjectHandle font = fonts.isDictionary() ? fonts.getKey(name)
                                                     : QPDFObjectHandle::newNull();
        if (!font.isDictionary()) {
            return QPDFObjectHandle();
        }
        if (font.isIndirect()) {
            FontUse& use = m_found.fonts[font.getObjGen()];
            use.font = font;
            if (fonts.isIndirect()) {
                use.places.emplace(fonts.getObjGen(), name, "");
            } else {
                use.places.emplace(resources.isIndirect() ? resources.getObjGen() : scope.owner,
                                   name, "/Font");
            }
        }
        return font;
    }

    void show(const QPDFObjectHandle& font, const std::string& text)
    {
        if (!font.isInitialized()) {
            m_found.unattributed = true;
        } else if (font.isIndirect()) {
            m_found.fonts[font.getObjGen()].strings.insert(text);
        }
        // A direct font dictionary cannot be named, so its program is never changed.
    }

private:
    template <typename F>
    static void forEachValue(QPDFObjectHandle dict, F visit)
    {
        if (dict.isDictionary()) {
            for (auto& [key, value] : dict.ditems()) {
                visit(value);
            }
        }
    }

    void appearances(QPDFObjectHandle annot, const Scope& pageScope)
    {
        if (!annot.isDictionary()) {
            return;
        }
        forEachValue(annot.getKey("/AP"), [&](QPDFObjectHandle state) {
            if (state.isStream()) {
                form(state, pageScope, QPDFObjectHandle(), 0);
            } else {
                forEachValue(state, [&](const QPDFObjectHandle& s) {
                    form(s, pageScope, QPDFObjectHandle(), 0);
                });
            }
        });
    }

    Found m_found;
    std::set<std::pair<QPDFObjGen, QPDFObjGen>> m_formsDone;
    std::set<QPDFObjGen> m_resourcesDone;
    std::set<QPDFObjGen> m_type3Done;
    size_t m_walks = 0;
};

// Follows the operators of one content stream; the font is part of the
// graphics state, so q and Q save and restore it.
class Operators : public QPDFObjectHandle::ParserCallbacks {
public:
    Operators(Walker& walker, Scope scope, const QPDFObjectHandle& font, int depth)
        : m_walker(walker), m_scope(std::move(scope)), m_font(font), m_depth(depth)
    {
    }

    void handleObject(QPDFObjectHandle object, size_t /*offset*/, size_t /*length*/) override
    {
        if (!object.isOperator()) {
            m_operands.push_back(object);
            return;
        }
        apply(object.getOperatorValue());
        m_operands.clear();
    }
    void handleEOF() override {}

private:
    QPDFObjectHandle operand(size_t index) const
    {
        return index < m_operands.size() ? m_operands[index] : QPDFObjectHandle::newNull();
    }

    void showString(QPDFObjectHandle text)
    {
        if (text.isString()) {
            m_walker.show(m_font, text.getStringValue());
        }
    }

    void apply(const std::string& op)
    {
        if (op == "q") {
            m_saved.push_back(m_font);
        } else if (op == "Q") {
            if (!m_saved.empty()) {
                m_font = m_saved.back();
                m_saved.pop_back();
            }
        } else if (op == "Tf" && operand(0).isName()) {
            m_font = m_walker.selectFont(m_scope, operand(0).getName());
            if (m_font.isInitialized() && m_font.getKey("/Subtype").isNameAndEquals("/Type3")) {
                m_walker.type3(m_font, m_scope, m_depth);
            }
        } else if (op == "Tj" || op == "'") {
            showString(operand(m_operands.size() - 1));
        } else if (op == "\"") {
            showString(operand(2));
        } else if (op == "TJ" && operand(0).isArray()) {
            for (QPDFObjectHandle& item : operand(0).aitems()) {
                showString(item);
            }
        } else if (op == "gs") {
            graphicsState();
        } else if (op == "Do") {
            drawXObject();
        }
    }

    void graphicsState()
    {
        QPDFObjectHandle resources = m_scope.resources;
        QPDFObjectHandle states = resources.isDictionary() ? resources.getKey("/ExtGState")
                                                           : QPDFObjectHandle::newNull();
        if (!operand(0).isName() || !states.isDictionary()) {
            return;
        }
        // A font set through a graphics state is used but never counted as
        // walked, so its program stays whole.
        QPDFObjectHandle font = states.getKey(operand(0).getName()).getKey("/Font");
        if (font.isArray() && font.getArrayNItems() > 0) {
            m_font = font.getArrayItem(0).isDictionary() ? font.getArrayItem(0)
                                                         : QPDFObjectHandle();
        }
    }

    void drawXObject()
    {
        QPDFObjectHandle resources = m_scope.resources;
        QPDFObjectHandle xobjects = resources.isDictionary() ? resources.getKey("/XObject")
                                                             : QPDFObjectHandle::newNull();
        if (!operand(0).isName() || !xobjects.isDictionary()) {
            return;
        }
        QPDFObjectHandle x = xobjects.getKey(operand(0).getName());
        if (x.isStream() && x.getDict().getKey("/Subtype").isNameAndEquals("/Form")) {
            m_walker.form(x, m_scope, m_font, m_depth);
        }
    }

    Walker& m_walker;
    Scope m_scope;
    QPDFObjectHandle m_font;
    int m_depth;
    std::vector<QPDFObjectHandle> m_operands;
    std::vector<QPDFObjectHandle> m_saved;
};

void Walker::content(QPDFObjectHandle contents, const Scope& scope, const QPDFObjectHandle& font,
                     int depth)
{
    if (++m_walks > maxWalks) {
        m_found.unattributed = true; // a document built to be walked forever
        return;
    }
    sideContent(scope, depth);
    if (!contents.isStream() && !contents.isArray()) {
        return;
    }
    Operators operators(*this, scope, font, depth);
    try {
        QPDFObjectHandle::parseContentStream(contents, &operators);
    } catch (const std::exception&) {
        // Readers differ in what they draw past a break, so nothing is certain.
        m_found.unattributed = true;
    }
}

} // namespace

Found collect(QPDF& pdf)
{
    Walker walker;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        walker.page(page);
    }
    return std::move(walker.found());
}

} // namespace ShownText
