#include "engine/ocr/SharedFonts.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>

namespace PDFEngine {

namespace {

// Deeper than a font's own objects go (font, descendant, descriptor, font file).
constexpr int fontDepth = 8;

// The whole content of a font's objects, stream data included, as one string: two fonts with
// the same are the same font.
void describe(QPDFObjectHandle object, int depth, std::string& out)
{
    if (depth > fontDepth) {
        out += "?";
        return;
    }
    if (object.isStream()) {
        describe(object.getDict(), depth + 1, out);
        const std::shared_ptr<Buffer> data = object.getRawStreamData();
        out += "stream " + std::to_string(data->getSize()) + ":";
        out.append(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
    } else if (object.isDictionary()) {
        out += "<<"; // ditems() is ordered by key
        for (auto [key, value] : object.ditems()) {
            out += key + " ";
            describe(value, depth + 1, out);
        }
        out += ">>";
    } else if (object.isArray()) {
        out += "[";
        for (const QPDFObjectHandle& item : object.aitems()) {
            describe(item, depth + 1, out);
            out += " ";
        }
        out += "]";
    } else {
        out += object.unparse() + " ";
    }
}

} // namespace

void SharedFonts::share(QPDFObjectHandle copied, QPDFObjectHandle original)
{
    QPDFObjectHandle fonts = copied.getDict().getKey("/Resources").getKey("/Font");
    QPDFObjectHandle originals = original.getDict().getKey("/Resources").getKey("/Font");
    if (!fonts.isDictionary() || !originals.isDictionary()) {
        return;
    }
    QPDFObjectHandle own = QPDFObjectHandle::newDictionary();
    for (auto [name, font] : fonts.ditems()) {
        std::string content;
        describe(originals.getKey(name), 0, content);
        // Only an object of its own can be shared: a direct one is written out where it is used.
        const QPDFObjectHandle shared =
            font.isIndirect() ? font : copied.getOwningQPDF()->makeIndirectObject(font);
        const auto [known, added] = m_fonts.emplace(content, shared);
        own.replaceKey(name, added ? shared : known->second);
    }
    QPDFObjectHandle resources = copied.getDict().getKey("/Resources").shallowCopy();
    resources.replaceKey("/Font", own);
    copied.getDict().replaceKey("/Resources", resources);
}

} // namespace PDFEngine
