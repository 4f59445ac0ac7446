#include "engine/compress/DrawnSizes.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFMatrix.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>
#include <vector>

namespace DrawnSizes {

namespace {

// Forms and patterns nested deeper than this, or more operators replayed than
// this in all, and the walk gives up: a document built to be walked forever.
constexpr int maxDepth = 32;
constexpr size_t maxSteps = 20'000'000;

// What a content stream does to the transformation and which XObjects it
// draws, read once and replayed at every transformation it is drawn with.
struct Step {
    enum class Kind { save, restore, concat, draw, pattern };
    Kind kind = Kind::save;
    QPDFMatrix matrix;
    std::string name;
};

struct Program {
    bool readable = true;
    std::vector<Step> steps;
};

class Recorder : public QPDFObjectHandle::ParserCallbacks {
public:
    explicit Recorder(Program& program) : m_program(program) {}

    void handleObject(QPDFObjectHandle object, size_t /*offset*/, size_t /*length*/) override
    {
        if (!object.isOperator()) {
            m_operands.push_back(object);
            return;
        }
        record(object.getOperatorValue());
        m_operands.clear();
    }
    void handleEOF() override {}

private:
    void record(const std::string& op)
    {
        using Kind = Step::Kind;
        std::vector<Step>& steps = m_program.steps;
        if (op == "q") {
            m_open.push_back(steps.size());
            steps.push_back({Kind::save, {}, {}});
        } else if (op == "Q" && !m_open.empty() && m_open.back() >= m_drawnUpTo) {
            // Nothing drawn since the matching q: text and paths leave no step behind,
            // so a long page keeps only the way to its images.
            steps.resize(m_open.back());
            m_open.pop_back();
        } else if (op == "Q") {
            if (!m_open.empty()) {
                m_open.pop_back();
            }
            steps.push_back({Kind::restore, {}, {}});
        } else if (op == "cm") {
            const bool numbers = m_operands.size() == 6 &&
                                 std::all_of(m_operands.begin(), m_operands.end(),
                                             [](QPDFObjectHandle& o) { return o.isNumber(); });
            if (!numbers) {
                m_program.readable = false; // readers differ on what a broken cm leaves
                return;
            }
            const QPDFMatrix m(m_operands[0].getNumericValue(), m_operands[1].getNumericValue(),
                               m_operands[2].getNumericValue(), m_operands[3].getNumericValue(),
                               m_operands[4].getNumericValue(), m_operands[5].getNumericValue());
            steps.push_back({Kind::concat, m, {}});
        } else if (op == "Do" && m_operands.size() == 1 && m_operands[0].isName()) {
            steps.push_back({Kind::draw, {}, m_operands[0].getName()});
            m_drawnUpTo = steps.size();
        } else if ((op == "scn" || op == "SCN") && !m_operands.empty() &&
                   m_operands.back().isName()) {
            steps.push_back({Kind::pattern, {}, m_operands.back().getName()});
            m_drawnUpTo = steps.size();
        }
    }

    Program& m_program;
    std::vector<QPDFObjectHandle> m_operands;
    std::vector<size_t> m_open; // where each q still open sits in the steps
    size_t m_drawnUpTo = 0;     // the steps up to here hold a draw and stay
};

QPDFMatrix matrixOf(QPDFObjectHandle dict)
{
    QPDFObjectHandle m = dict.getKey("/Matrix");
    return m.isMatrix() ? QPDFMatrix(m.getArrayAsMatrix()) : QPDFMatrix();
}

// The resources a form or pattern draws with: its own, or, left out, those of
// the content that draws it.
QPDFObjectHandle resourcesOf(QPDFObjectHandle stream, const QPDFObjectHandle& outer)
{
    QPDFObjectHandle own = stream.getDict().getKey("/Resources");
    return own.isDictionary() ? own : outer;
}

template <typename F>
void forEachValue(QPDFObjectHandle dict, F visit)
{
    if (dict.isDictionary()) {
        for (auto& [key, value] : dict.ditems()) {
            visit(value);
        }
    }
}

// Where a form or pattern is drawn moves nothing in it, so only the linear part counts.
using WalkKey = std::tuple<QPDFObjGen, double, double, double, double>;

class Walker {
public:
    explicit Walker(QPDF& pdf) : m_pdf(pdf) {}

    void page(QPDFPageObjectHelper& page)
    {
        QPDFObjectHandle resources = page.getAttribute("/Resources", false);
        QPDFMatrix base;
        QPDFObjectHandle unit = page.getObjectHandle().getKey("/UserUnit");
        if (unit.isNumber() && unit.getNumericValue() > 0) {
            base.scale(unit.getNumericValue(), unit.getNumericValue());
        }
        content(page.getObjectHandle().getKey("/Contents"), resources, base, 0);
        QPDFObjectHandle annots = page.getObjectHandle().getKey("/Annots");
        if (annots.isArray()) {
            for (QPDFObjectHandle& annot : annots.aitems()) {
                appearances(annot, resources);
            }
        }
    }

    Found take()
    {
        if (!m_found.complete) {
            m_found.drawn.clear();
        }
        return std::move(m_found);
    }

private:
    // Parses each form and pattern once, to replay wherever it is drawn; a page's
    // content (a stream or an array read as one) is read once and not kept.
    std::shared_ptr<const Program> program(QPDFObjectHandle contents, bool keep)
    {
        const bool cached = keep && contents.isStream() && contents.isIndirect();
        if (cached) {
            const auto at = m_programs.find(contents.getObjGen());
            if (at != m_programs.end()) {
                return at->second;
            }
        }
        auto made = std::make_shared<Program>();
        const size_t warnings = m_pdf.numWarnings();
        try {
            Recorder recorder(*made);
            QPDFObjectHandle::parseContentStream(contents, &recorder);
        } catch (const std::exception&) {
            made->readable = false;
        }
        // qpdf reads past what it cannot parse with a warning; readers differ there.
        made->readable = made->readable && m_pdf.numWarnings() == warnings;
        if (cached) {
            m_programs.emplace(contents.getObjGen(), made);
        }
        return made;
    }

    void content(QPDFObjectHandle contents, const QPDFObjectHandle& resources,
                 const QPDFMatrix& base, int depth)
    {
        unknownSides(resources, depth);
        if (!contents.isStream() && !contents.isArray()) {
            return;
        }
        const std::shared_ptr<const Program> steps = program(contents, depth > 0);
        if (!steps->readable) {
            unknownIn(resources, depth);
            return;
        }
        replay(*steps, resources, base, depth);
    }

    void replay(const Program& program, const QPDFObjectHandle& resources, const QPDFMatrix& base,
                int depth)
    {
        QPDFMatrix ctm = base;
        std::vector<QPDFMatrix> saved;
        for (const Step& step : program.steps) {
            if (++m_steps > maxSteps) {
                m_found.complete = false;
                return;
            }
            switch (step.kind) {
            case Step::Kind::save: saved.push_back(ctm); break;
            case Step::Kind::restore:
                if (!saved.empty()) {
                    ctm = saved.back();
                    saved.pop_back();
                }
                break;
            case Step::Kind::concat: ctm.concat(step.matrix); break;
            case Step::Kind::draw: draw(resources, step.name, ctm, depth); break;
            case Step::Kind::pattern: pattern(resources, step.name, base, depth); break;
            }
        }
    }

    void draw(QPDFObjectHandle resources, const std::string& name, const QPDFMatrix& ctm, int depth)
    {
        QPDFObjectHandle xobjects = resources.isDictionary() ? resources.getKey("/XObject")
                                                             : QPDFObjectHandle::newNull();
        QPDFObjectHandle x = xobjects.isDictionary() ? xobjects.getKey(name)
                                                     : QPDFObjectHandle::newNull();
        if (!x.isStream()) {
            return; // readers draw nothing for a name that names no XObject
        }
        QPDFObjectHandle subtype = x.getDict().getKey("/Subtype");
        if (subtype.isNameAndEquals("/Image")) {
            const double width = std::hypot(ctm.a, ctm.b);
            const double height = std::hypot(ctm.c, ctm.d);
            if (std::isnan(width) || std::isnan(height)) {
                m_found.unknown.insert(x.getObjGen()); // a transformation past any number
            }
            Size& size = m_found.drawn[x.getObjGen()];
            size.width = std::max(size.width, width);
            size.height = std::max(size.height, height);
        } else if (subtype.isNameAndEquals("/Form")) {
            QPDFMatrix inner = ctm;
            inner.concat(matrixOf(x.getDict()));
            nested(x, resources, inner, depth);
        }
    }

    // A tiling pattern paints its cell at one size wherever it fills: the
    // pattern's matrix from the space of the content that selects it.
    void pattern(QPDFObjectHandle resources, const std::string& name, const QPDFMatrix& base,
                 int depth)
    {
        QPDFObjectHandle patterns = resources.isDictionary() ? resources.getKey("/Pattern")
                                                             : QPDFObjectHandle::newNull();
        QPDFObjectHandle p = patterns.isDictionary() ? patterns.getKey(name)
                                                     : QPDFObjectHandle::newNull();
        if (p.isStream()) { // shadings carry no content
            QPDFMatrix space = base;
            space.concat(matrixOf(p.getDict()));
            nested(p, resources, space, depth);
        }
    }

    // A form or pattern drawn at one transformation, walked once for each.
    void nested(const QPDFObjectHandle& stream, const QPDFObjectHandle& outer,
                const QPDFMatrix& ctm, int depth)
    {
        if (depth >= maxDepth) {
            m_found.complete = false;
            return;
        }
        // A form that draws itself is drawn by no reader; its first pass already counted.
        if (m_onStack.count(stream.getObjGen()) != 0) {
            return;
        }
        const WalkKey key{stream.getObjGen(), ctm.a, ctm.b, ctm.c, ctm.d};
        if (!m_walked.insert(key).second) {
            return;
        }
        m_onStack.insert(stream.getObjGen());
        content(stream, resourcesOf(stream, outer), ctm, depth + 1);
        m_onStack.erase(stream.getObjGen());
    }

    // Soft-mask groups and Type 3 glyphs are drawn in spaces the walk does not follow.
    void unknownSides(QPDFObjectHandle resources, int depth)
    {
        if (!resources.isDictionary() ||
            (resources.isIndirect() && !m_sidesDone.insert(resources.getObjGen()).second)) {
            return;
        }
        forEachValue(resources.getKey("/ExtGState"), [&](QPDFObjectHandle gs) {
            QPDFObjectHandle group = gs.isDictionary() && gs.getKey("/SMask").isDictionary()
                                         ? gs.getKey("/SMask").getKey("/G")
                                         : QPDFObjectHandle::newNull();
            if (group.isStream()) {
                unknownIn(resourcesOf(group, resources), depth);
            }
        });
        forEachValue(resources.getKey("/Font"), [&](QPDFObjectHandle font) {
            if (font.isDictionary() && font.getKey("/Subtype").isNameAndEquals("/Type3") &&
                glyphsDraw(font)) {
                QPDFObjectHandle own = font.getKey("/Resources");
                unknownIn(own.isDictionary() ? own : resources, depth);
            }
        });
    }

    // Most Type 3 glyphs are paths or inline images, and then the images of the
    // resources they would share with the page stay known.
    bool glyphsDraw(QPDFObjectHandle font)
    {
        bool draws = false;
        forEachValue(font.getKey("/CharProcs"), [&](QPDFObjectHandle proc) {
            if (!draws && proc.isStream()) {
                const std::shared_ptr<const Program> glyph = program(proc, true);
                draws = !glyph->readable ||
                        std::any_of(glyph->steps.begin(), glyph->steps.end(), [](const Step& s) {
                            return s.kind == Step::Kind::draw || s.kind == Step::Kind::pattern;
                        });
            }
        });
        return draws;
    }

    void appearances(QPDFObjectHandle annot, QPDFObjectHandle pageResources)
    {
        if (!annot.isDictionary()) {
            return;
        }
        forEachValue(annot.getKey("/AP"), [&](QPDFObjectHandle state) {
            if (state.isStream()) {
                unknownIn(resourcesOf(state, pageResources), 0);
            } else {
                forEachValue(state, [&](QPDFObjectHandle s) {
                    if (s.isStream()) {
                        unknownIn(resourcesOf(s, pageResources), 0);
                    }
                });
            }
        });
    }

    // Every image these resources reach, through forms, patterns, soft-mask
    // groups and Type 3 fonts, may be drawn at any size.
    void unknownIn(QPDFObjectHandle resources, int depth)
    {
        if (!resources.isDictionary() ||
            (resources.isIndirect() && !m_unknownDone.insert(resources.getObjGen()).second)) {
            return;
        }
        if (depth >= 2 * maxDepth) {
            m_found.complete = false;
            return;
        }
        const auto inner = [&](QPDFObjectHandle stream) {
            QPDFObjectHandle own = stream.isStream() ? stream.getDict().getKey("/Resources")
                                                     : QPDFObjectHandle::newNull();
            if (own.isDictionary()) {
                unknownIn(own, depth + 1);
            }
        };
        forEachValue(resources.getKey("/XObject"), [&](QPDFObjectHandle x) {
            if (x.isStream() && x.getDict().getKey("/Subtype").isNameAndEquals("/Image")) {
                m_found.unknown.insert(x.getObjGen());
            } else {
                inner(x);
            }
        });
        forEachValue(resources.getKey("/Pattern"), inner);
        forEachValue(resources.getKey("/ExtGState"), [&](QPDFObjectHandle gs) {
            if (gs.isDictionary() && gs.getKey("/SMask").isDictionary()) {
                inner(gs.getKey("/SMask").getKey("/G"));
            }
        });
        forEachValue(resources.getKey("/Font"), [&](QPDFObjectHandle font) {
            if (font.isDictionary() && font.getKey("/Resources").isDictionary()) {
                unknownIn(font.getKey("/Resources"), depth + 1);
            }
        });
    }

    QPDF& m_pdf;
    Found m_found;
    std::map<QPDFObjGen, std::shared_ptr<const Program>> m_programs;
    std::set<WalkKey> m_walked;
    std::set<QPDFObjGen> m_onStack;
    std::set<QPDFObjGen> m_sidesDone;
    std::set<QPDFObjGen> m_unknownDone;
    size_t m_steps = 0;
};

} // namespace

const Size* Found::known(QPDFObjGen image) const
{
    const auto at = drawn.find(image);
    if (!complete || at == drawn.end() || unknown.count(image) != 0) {
        return nullptr;
    }
    return &at->second;
}

Found collect(QPDF& pdf)
{
    Walker walker(pdf);
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        walker.page(page);
    }
    return walker.take();
}

} // namespace DrawnSizes
