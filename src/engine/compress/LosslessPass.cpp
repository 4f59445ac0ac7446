#include "engine/compress/LosslessPass.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <set>

namespace LosslessPass {

std::vector<QPDFObjectHandle> reachable(QPDF& pdf)
{
    std::vector<QPDFObjectHandle> found;
    std::set<QPDFObjGen> seen;
    std::vector<QPDFObjectHandle> pending{pdf.getTrailer()};
    while (!pending.empty()) {
        QPDFObjectHandle object = pending.back();
        pending.pop_back();
        if (object.isIndirect()) {
            if (!seen.insert(object.getObjGen()).second) {
                continue;
            }
            found.push_back(object);
        }
        if (object.isStream()) {
            pending.push_back(object.getDict());
        } else if (object.isDictionary()) {
            for (auto& [key, value] : object.ditems()) {
                pending.push_back(value);
            }
        } else if (object.isArray()) {
            for (QPDFObjectHandle& item : object.aitems()) {
                pending.push_back(item);
            }
        }
    }
    return found;
}

void dropThumbnails(QPDF& pdf)
{
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        QPDFObjectHandle dict = page.getObjectHandle();
        if (dict.hasKey("/Thumb")) {
            dict.removeKey("/Thumb");
        }
    }
}

} // namespace LosslessPass
