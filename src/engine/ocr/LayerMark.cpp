#include "engine/ocr/LayerMark.h"

#include <qpdf/QPDF.hh>

namespace PDFEngine::LayerMark {

namespace {

constexpr const char* key = "/LeaflowTextLayer";

} // namespace

void markForm(QPDFObjectHandle form)
{
    // On the dictionary: a stream handle ignores replaceKey with only a warning.
    form.getDict().replaceKey(key, QPDFObjectHandle::newBool(true));
}

QPDFObjectHandle stream(QPDF& pdf, const std::string& data, Part part)
{
    QPDFObjectHandle made = pdf.newStream(data);
    made.getDict().replaceKey(key, QPDFObjectHandle::newName(part == Part::opening ? "/Opening"
                                                                                   : "/Placing"));
    return made;
}

Part partOf(QPDFObjectHandle object)
{
    if (!object.isStream()) {
        return Part::none;
    }
    QPDFObjectHandle mark = object.getDict().getKey(key);
    if (mark.isBool() && mark.getBoolValue() &&
        object.getDict().getKey("/Subtype").isNameAndEquals("/Form")) {
        return Part::form;
    }
    if (mark.isNameAndEquals("/Opening")) {
        return Part::opening;
    }
    return mark.isNameAndEquals("/Placing") ? Part::placing : Part::none;
}

} // namespace PDFEngine::LayerMark
