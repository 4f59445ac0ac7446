#include "engine/compress/fonts/References.h"

#include <qpdf/QPDF.hh>

namespace References {

namespace {

void visit(QPDFObjectHandle value, const QPDFObjGen& owner, const std::string& key,
           const std::string& container, Places& places)
{
    if (value.isIndirect()) {
        places[value.getObjGen()].emplace_back(owner, key, container);
        return;
    }
    if (value.isArray()) {
        for (QPDFObjectHandle& item : value.aitems()) {
            visit(item, owner, "[]", key, places);
        }
    } else if (value.isDictionary()) {
        for (auto& [name, item] : value.ditems()) {
            visit(item, owner, name, key, places);
        }
    }
}

} // namespace

Places scan(QPDF& pdf)
{
    Places places;
    for (QPDFObjectHandle& object : pdf.getAllObjects()) {
        QPDFObjectHandle body = object.isStream() ? object.getDict() : object;
        if (body.isDictionary()) {
            for (auto& [name, item] : body.ditems()) {
                visit(item, object.getObjGen(), name, "", places);
            }
        } else if (body.isArray()) {
            for (QPDFObjectHandle& item : body.aitems()) {
                visit(item, object.getObjGen(), "[]", "", places);
            }
        }
    }
    // The trailer is no object, yet it can reach anything.
    visit(pdf.getTrailer(), QPDFObjGen(), "", "", places);
    return places;
}

} // namespace References
