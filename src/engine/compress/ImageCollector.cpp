#include "engine/compress/ImageCollector.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <set>

namespace ImageCollector {

namespace {

class Walker {
public:
    void page(QPDFPageObjectHelper& page)
    {
        resources(page.getAttribute("/Resources", false));
        QPDFObjectHandle annots = page.getObjectHandle().getKey("/Annots");
        if (annots.isArray()) {
            for (QPDFObjectHandle& annot : annots.aitems()) {
                appearances(annot);
            }
        }
    }

    Found result()
    {
        Found found;
        for (QPDFObjectHandle& image : m_images) {
            if (m_masks.count(image.getObjGen()) == 0) {
                found.images.push_back(image);
            }
        }
        found.softMaskUsers = m_softMaskUsers;
        return found;
    }

private:
    // Guards against cycles and repeated work: any indirect object is walked once.
    bool firstVisit(const QPDFObjectHandle& object)
    {
        return !object.isIndirect() || m_visited.insert(object.getObjGen()).second;
    }

    void resources(QPDFObjectHandle res)
    {
        if (!res.isDictionary() || !firstVisit(res)) {
            return;
        }
        forEachValue(res.getKey("/XObject"), [this](const QPDFObjectHandle& x) { xobject(x); });
        forEachValue(res.getKey("/Pattern"), [this](QPDFObjectHandle p) {
            if (p.isStream()) { // tiling patterns carry content; shadings do not
                container(p);
            }
        });
        forEachValue(res.getKey("/ExtGState"), [this](QPDFObjectHandle gs) {
            if (gs.isDictionary() && gs.getKey("/SMask").isDictionary()) {
                container(gs.getKey("/SMask").getKey("/G"));
            }
        });
        forEachValue(res.getKey("/Font"), [this](QPDFObjectHandle font) {
            if (font.isDictionary() && font.getKey("/Subtype").isNameAndEquals("/Type3")) {
                resources(font.getKey("/Resources"));
            }
        });
    }

    template <typename F>
    void forEachValue(QPDFObjectHandle dict, F visit)
    {
        if (!dict.isDictionary()) {
            return;
        }
        for (auto& [key, value] : dict.ditems()) {
            visit(value);
        }
    }

    void xobject(QPDFObjectHandle x)
    {
        if (!x.isStream()) {
            return;
        }
        QPDFObjectHandle subtype = x.getDict().getKey("/Subtype");
        if (subtype.isNameAndEquals("/Image")) {
            image(x);
        } else if (subtype.isNameAndEquals("/Form")) {
            container(x);
        }
    }

    void container(QPDFObjectHandle stream)
    {
        if (stream.isStream() && firstVisit(stream)) {
            resources(stream.getDict().getKey("/Resources"));
        }
    }

    void image(QPDFObjectHandle x)
    {
        if (!m_seenImages.insert(x.getObjGen()).second) {
            return;
        }
        m_images.push_back(x);
        QPDFObjectHandle smask = x.getDict().getKey("/SMask");
        if (smask.isStream()) {
            m_masks.insert(smask.getObjGen());
            ++m_softMaskUsers[smask.getObjGen()];
        }
        QPDFObjectHandle mask = x.getDict().getKey("/Mask");
        if (mask.isStream()) {
            m_masks.insert(mask.getObjGen());
        }
    }

    void appearances(QPDFObjectHandle annot)
    {
        if (!annot.isDictionary()) {
            return;
        }
        forEachValue(annot.getKey("/AP"), [this](QPDFObjectHandle state) {
            if (state.isStream()) {
                container(state);
            } else {
                forEachValue(state, [this](const QPDFObjectHandle& s) { container(s); });
            }
        });
    }

    std::set<QPDFObjGen> m_visited;
    std::set<QPDFObjGen> m_seenImages;
    std::set<QPDFObjGen> m_masks;
    std::map<QPDFObjGen, int> m_softMaskUsers;
    std::vector<QPDFObjectHandle> m_images;
};

} // namespace

Found collect(QPDF& pdf)
{
    Walker walker;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        walker.page(page);
    }
    return walker.result();
}

} // namespace ImageCollector
