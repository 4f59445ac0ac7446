#include "engine/compress/fonts/FormFonts.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <stdexcept>
#include <string>
#include <vector>

namespace FormFonts {

namespace {

constexpr int maxDepth = 64;

// The font names that Tf selects in a default-appearance string.
std::vector<std::string> fontNames(QPDFObjectHandle da)
{
    std::vector<std::string> names;
    if (!da.isString()) {
        return names;
    }
    const std::string text = da.getUTF8Value();
    size_t at = 0;
    while ((at = text.find("Tf", at)) != std::string::npos) {
        const size_t slash = text.rfind('/', at);
        if (slash != std::string::npos) {
            const size_t end = text.find_first_of(" \t\r\n", slash);
            names.push_back(text.substr(slash, end == std::string::npos ? end : end - slash));
        }
        at += 2;
    }
    return names;
}

class Collector {
public:
    explicit Collector(QPDF& pdf) : m_root(pdf.getRoot()) {}

    std::set<QPDFObjGen> run(QPDF& pdf)
    {
        QPDFObjectHandle form = m_root.getKey("/AcroForm");
        if (form.isDictionary()) {
            resources(form.getKey("/DR"));
            QPDFObjectHandle fields = form.getKey("/Fields");
            if (fields.isArray()) {
                for (QPDFObjectHandle& field : fields.aitems()) {
                    node(field, form.getKey("/DA"));
                }
            }
        }
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
            QPDFObjectHandle annots = page.getObjectHandle().getKey("/Annots");
            if (annots.isArray()) {
                for (QPDFObjectHandle& annot : annots.aitems()) {
                    node(annot, QPDFObjectHandle::newNull());
                }
            }
        }
        return m_fonts;
    }

private:
    void resources(QPDFObjectHandle dr)
    {
        QPDFObjectHandle fonts = dr.isDictionary() ? dr.getKey("/Font") : dr;
        if (fonts.isDictionary()) {
            for (auto& [name, font] : fonts.ditems()) {
                add(font);
            }
        }
    }

    void add(const QPDFObjectHandle& font)
    {
        if (font.isIndirect()) {
            m_fonts.insert(font.getObjGen());
        }
    }

    // A field or annotation, with the /DA its parents hand down.
    // A field tree too deep to walk leaves every font whole.
    void node(QPDFObjectHandle item, const QPDFObjectHandle& inheritedDa, int depth = 0)
    {
        if (!item.isDictionary() ||
            (item.isIndirect() && !m_seen.insert(item.getObjGen()).second)) {
            return;
        }
        if (depth > maxDepth) {
            throw std::runtime_error("form field tree too deep");
        }
        resources(item.getKey("/DR"));
        QPDFObjectHandle da = item.hasKey("/DA") ? item.getKey("/DA") : inheritedDa;
        for (const std::string& name : fontNames(da)) {
            appearanceFonts(item.getKey("/AP"), name);
        }
        QPDFObjectHandle kids = item.getKey("/Kids");
        if (kids.isArray()) {
            for (QPDFObjectHandle& kid : kids.aitems()) {
                node(kid, da, depth + 1);
            }
        }
    }

    void appearanceFonts(QPDFObjectHandle ap, const std::string& name)
    {
        if (!ap.isDictionary()) {
            return;
        }
        const auto fontIn = [&](QPDFObjectHandle stream) {
            if (stream.isStream()) {
                QPDFObjectHandle res = stream.getDict().getKey("/Resources");
                if (res.isDictionary() && res.getKey("/Font").isDictionary()) {
                    add(res.getKey("/Font").getKey(name));
                }
            }
        };
        for (auto& [key, state] : ap.ditems()) {
            if (state.isStream()) {
                fontIn(state);
            } else if (state.isDictionary()) {
                for (auto& [k, s] : state.ditems()) {
                    fontIn(s);
                }
            }
        }
    }

    QPDFObjectHandle m_root;
    std::set<QPDFObjGen> m_seen;
    std::set<QPDFObjGen> m_fonts;
};

} // namespace

std::set<QPDFObjGen> collect(QPDF& pdf)
{
    return Collector(pdf).run(pdf);
}

} // namespace FormFonts
